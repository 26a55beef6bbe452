#pragma once

// One style preset in the look screen's gallery: its art over its name and
// a two-line blurb. The chosen style carries a gold check over the art and a
// gold outline, both easing in on a spring when the user picks it. The card
// only reports clicks; the screen decides.

#include <QAbstractButton>
#include <QString>

namespace studio {

class Spring;
struct StylePreset;

class StyleCard : public QAbstractButton {
    Q_OBJECT
public:
    explicit StyleCard(const StylePreset& preset, QWidget* parent = nullptr);

    QString presetID() const { return m_id; }
    bool isSelected() const { return m_selected; }
    void setSelected(bool selected, bool animated);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_id;
    QString m_seed;
    bool m_selected = false;
    Spring* m_selection;
};

} // namespace studio
