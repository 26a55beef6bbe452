#pragma once

// The look screen's frame settings: the aspect ratio (one card per ratio
// with its outline), the frame rate, and the lens-character and lighting
// chips. The card shows a look and reports what the user picks or toggles;
// the screen writes it.

#include "model/Look.h"
#include "views/phases/look/LookOption.h"

#include <QHash>
#include <QList>
#include <QString>

namespace studio {

class Chip;
class PillPicker;

// One aspect ratio: its outline over its label, gold-outlined when chosen.
class AspectCard : public LookOption {
    Q_OBJECT
public:
    explicit AspectCard(AspectRatio aspect, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    AspectRatio m_aspect;
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
