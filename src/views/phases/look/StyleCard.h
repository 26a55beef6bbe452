#pragma once

// One style preset in the look screen's gallery: its art over its name and
// a two-line blurb. The chosen style carries a gold check over the art and a
// gold outline, both easing in on a spring when the user picks it. The card
// is a Tab stop; Space, Return and a click choose it. It only reports the
// choice; the screen decides.
//
// Everything the card shows at rest comes from the catalog, never from the
// production: its drawing at a size and its height at a width are kept for
// every later card of that style, so opening the screen again lays out and
// paints from what is kept.

#include "design/access/ChoiceAccessible.h"

#include <QAbstractButton>
#include <QString>

namespace studio {

class Spring;
struct StylePreset;

class StyleCard : public QAbstractButton, public SelectableChoice<StyleCard, ChoiceAccessible::Kind::oneOf> {
    Q_OBJECT
public:
    explicit StyleCard(const StylePreset& preset, QWidget* parent = nullptr);

    bool isSelected() const { return m_selected; }
    void setSelected(bool selected, bool animated);

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // Forgets the kept drawings and heights of every style.
    static void forgetDrawings();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_id;
    bool m_selected = false;
    Spring* m_selection;
};

} // namespace studio
