#pragma once

// A card of the Cast & World gallery, painted in one piece: the seeded
// picture across the top (cropped to fill the card's width), an optional
// badge over its bottom-right corner, then the name and a subtitle on one
// line each. The card is a surface-coloured rounded rectangle, outlined in
// the accent while selected. A click (which gives the card the keyboard), or
// Space or Return while the card has the keyboard focus (a Tab stop, ringed
// for the keyboard), reports the card's id; the screen decides what it
// selects. Character and location cards differ only in what they show.

#include "design/access/ChoiceAccessible.h"

#include <QAbstractButton>
#include <QPixmap>
#include <QString>
#include <QUuid>

class QPainter;

namespace studio {

class GalleryCard : public QAbstractButton, public SelectableChoice<GalleryCard, ChoiceAccessible::Kind::oneOf> {
    Q_OBJECT
public:
    struct Face {
        QString seed;
        QString badge; // shown upper-cased; empty: no badge
        QString name;
        QString subtitle;
        bool selected = false;
        friend bool operator==(const Face&, const Face&) = default;
    };

    QUuid id() const { return m_id; }
    const Face& face() const { return m_face; }
    bool isSelected() const { return m_face.selected; }

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    void chosen(const QUuid& id);

protected:
    // artWidth x artHeight: the size the picture is composed at; pictureHeight:
    // how tall it stands on the card.
    GalleryCard(const QUuid& id, qreal artWidth, qreal artHeight, qreal pictureHeight, QWidget* parent);
    // Repaints only when something shown changed.
    void setFace(Face face);

    void paintEvent(QPaintEvent* event) override;

private:
    // Everything but the selection outline, at that size (points) and pixel
    // ratio, from a shared cache.
    QPixmap picture(const QSize& size, qreal dpr) const;
    void paintPicture(QPainter& painter, const QSizeF& size) const;

    QUuid m_id;
    Face m_face;
    qreal m_artWidth;
    qreal m_artHeight;
    qreal m_pictureHeight;
};

} // namespace studio
