#pragma once

// One director's lens in the look screen's strip: a fixed 236 by 118 card
// with the lens's name, who inspired it and up to four lines of its
// philosophy. The chosen lens carries a gold check and outline, easing in on
// a spring when the user picks it. The card is a Tab stop; Space, Return and
// a click report it.
//
// The card's words come from the catalog, never from the production: they
// are drawn once per lens and pixel ratio and kept for every later card of
// that lens, so opening the screen again paints copies.

#include "design/access/ChoiceAccessible.h"

#include <QAbstractButton>
#include <QString>
#include <optional>

namespace studio {

class Spring;
struct DirectorLens;

class LensCard : public QAbstractButton, public SelectableChoice<LensCard, ChoiceAccessible::Kind::oneOf> {
    Q_OBJECT
public:
    explicit LensCard(const DirectorLens& lens, QWidget* parent = nullptr);

    bool isSelected() const { return m_selected; }
    // Shows the state at once, or eases into it on a spring of the given
    // response (seconds).
    void setSelected(bool selected, std::optional<qreal> springResponse = std::nullopt);

    // Forgets the kept drawings of every lens (the next card draws anew).
    static void forgetDrawings();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void useSpring(qreal response);

    QString m_id;
    bool m_selected = false;
    Spring* m_selection = nullptr;
    qreal m_response = 0;
};

} // namespace studio
