#pragma once

// One shot of the footage manifest: a card whose first line is painted in
// one piece (checkbox, thumbnail, title and description, length, clip chip,
// status dot, disclosure chevron), so a manifest of hundreds of shots stays a
// few widgets per row. When the row is open, the composed prompt and its
// reference chips follow under the line. The row only shows what it is given
// and reports clicks by the shot's id; the screen decides what they change.

#include "model/Board.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QUuid>
#include <QWidget>

#include <optional>

class QLabel;

namespace studio {

class Spring;
class PromptPane;

class ShotRow : public QWidget {
    Q_OBJECT
public:
    // Everything the first line shows.
    struct Face {
        QString title;
        QString description; // empty: the "No description yet" fallback
        QString length;
        int clips = 1;
        ShotStatus status = ShotStatus::planned;
        QString seed;
        bool selected = false;
        bool expanded = false;
        friend bool operator==(const Face&, const Face&) = default;
    };

    explicit ShotRow(const QUuid& shotID, QWidget* parent = nullptr);

    QUuid shotID() const { return m_shotID; }
    const Face& face() const { return m_face; }
    void setFace(const Face& face);
    // The composed prompt and its references, shown while the row is open.
    void setPrompt(const QString& prompt, const QStringList& references);
    // What the open row shows (empty while closed).
    QString promptText() const;
    QStringList referenceTexts() const;
    QLabel* promptLabel() const;
    // Whether the row is still opening or closing.
    bool isTurning() const;

    // Where the two buttons of the line are (for the pointer and for tests).
    QRect checkboxRect() const;
    QRect disclosureRect() const;
    QRect statusDotRect() const;
    // The tooltip the line shows at a point (empty: none).
    QString toolTipAt(const QPoint& pos) const;

    // The height of the first line.
    static int lineHeight();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

Q_SIGNALS:
    void selectionToggled(const QUuid& shotID);
    void disclosureToggled(const QUuid& shotID);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The part of the line the checkbox, chip, dot and chevron leave to the texts.
    QRectF textRect() const;
    QRectF chipRect() const;
    // The open part's height at a width (0 while it is folded away).
    int openHeight(int width) const;
    void layoutPane();

    // The title and description as the line shows them at a width.
    struct ShownTexts {
        qreal width = 0;
        QString title;
        QString description;
    };
    const ShownTexts& shownTexts(qreal width) const;

    QUuid m_shotID;
    Face m_face;
    mutable std::optional<ShownTexts> m_shownTexts;
    bool m_hasFace = false;
    // The open part sits in a frame the card's edge and bottom padding cut,
    // so a prompt being revealed never draws over the card's edge.
    QWidget* m_frame = nullptr;
    PromptPane* m_pane = nullptr;
    Spring* m_turn;
    enum class Target { none, checkbox, disclosure } m_pressed = Target::none;
};

} // namespace studio
