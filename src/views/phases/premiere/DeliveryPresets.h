#pragma once

// The "Delivery Format" section of the Premiere screen: one card per row of
// the delivery preset catalog, in catalog order, sharing the row's width.
// The chosen card (the screen's view state, never saved) has a gold border,
// a gold symbol and a check mark; a tap asks for its preset
// (presetChosen).

#include "design/widgets/AccessibleSource.h"

#include <QAbstractButton>
#include <QList>
#include <QString>
#include <QWidget>

namespace studio {

struct ExportPreset;
class SymbolLabel;
class TextLabel;

class PresetCard : public QAbstractButton, public AccessibleSource {
    Q_OBJECT
public:
    explicit PresetCard(const ExportPreset& preset, QWidget* parent = nullptr);

    QString presetID() const { return m_id; }
    // Chosen: shown checked (and read out so).
    bool isSelected() const { return isChecked(); }
    void setSelected(bool selected);

    QSize sizeHint() const override;

protected:
    QAccessibleInterface* accessibleFor(QObject* object) override;
    void paintEvent(QPaintEvent* event) override;
    // The screen says which card is chosen: a press only asks.
    void nextCheckState() override {}

private:
    QString m_id;
    SymbolLabel* m_icon;
    SymbolLabel* m_check;
    TextLabel* m_blurb;
};

class DeliveryPresets : public QWidget {
    Q_OBJECT
public:
    explicit DeliveryPresets(QWidget* parent = nullptr);

    void setSelectedID(const QString& id);
    QList<PresetCard*> cards() const { return m_cards; }
    PresetCard* card(const QString& id) const;

Q_SIGNALS:
    void presetChosen(const QString& id);

private:
    QList<PresetCard*> m_cards;
};

} // namespace studio
