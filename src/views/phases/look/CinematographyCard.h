#pragma once

// The look screen's frame settings: the aspect ratio (one card per ratio
// with its outline), the frame rate, and the lens-character and lighting
// chips. The card shows a look and reports what the user picks or toggles;
// the screen writes it.

#include "design/access/ChoiceAccessible.h"
#include "model/Look.h"

#include <QAbstractButton>
#include <QHash>
#include <QList>
#include <QString>

namespace studio {

class Chip;
class PillPicker;

// One aspect ratio: its outline over its label, gold-outlined when chosen.
// A Tab stop; Space, Return and a click pick it.
class AspectCard : public QAbstractButton, public SelectableChoice<AspectCard, ChoiceAccessible::Kind::oneOf> {
    Q_OBJECT
public:
    explicit AspectCard(AspectRatio aspect, QWidget* parent = nullptr);

    bool isSelected() const { return m_selected; }
    void setSelected(bool selected);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    AspectRatio m_aspect;
    bool m_selected = false;
};

class CinematographyCard : public QWidget {
    Q_OBJECT
public:
    explicit CinematographyCard(QWidget* parent = nullptr);

    void display(const LookSpec& look);

    AspectCard* aspectCard(AspectRatio aspect) const { return m_aspects.value(aspect); }
    PillPicker* frameRatePicker() const { return m_frameRates; }
    Chip* lensFeelChip(const QString& text) const;
    Chip* lightingChip(const QString& text) const;

Q_SIGNALS:
    void aspectPicked(AspectRatio aspect);
    void frameRatePicked(FrameRate rate);
    void lensFeelToggled(const QString& text);
    void lightingMoodToggled(const QString& text);

private:
    QHash<AspectRatio, AspectCard*> m_aspects;
    PillPicker* m_frameRates;
    QList<Chip*> m_lensFeels;
    QList<Chip*> m_lightingMoods;
};

} // namespace studio
