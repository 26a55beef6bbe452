#pragma once

// One shot of the footage manifest: a card whose first line is painted in
// one piece (thumbnail, title and description, length, clip chip, status
// dot), so a manifest of hundreds of shots stays a few widgets per row; its
// checkbox and disclosure chevron are buttons of their own on that line, each
// a Tab stop read out by what it does to this shot. When the row is open, the
// composed prompt and its reference chips follow under the line. The row only
// shows what it is given and reports presses by the shot's id; the screen
// decides what they change.

#include "model/Board.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QUuid>
#include <QWidget>

#include <optional>

class QAbstractButton;
class QLabel;

namespace studio {

class Spring;
class PromptPane;
class RowSymbolButton;

class ShotRow : public QWidget {
    Q_OBJECT
public:
    // Everything the first line shows.
    struct Face {
        QString title;
        QString size; // in words: the title shows it as letters
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

    // The two buttons of the line, and where their symbols stand.
    QAbstractButton* checkbox() const;
    QAbstractButton* disclosure() const;
    QRect checkboxRect() const;
    QRect disclosureRect() const;
    QRect statusDotRect() const;
    // What takes the keyboard focus in the row, in reading order: the
    // checkbox, the chevron, and the open prompt's text.
    QList<QWidget*> focusStops() const;
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
    void resizeEvent(QResizeEvent* event) override;

private:
    // The part of the line the checkbox, chip, dot and chevron leave to the texts.
    QRectF textRect() const;
    QRectF chipRect() const;
    // The open part's height at a width (0 while it is folded away).
    int openHeight(int width) const;
    void layoutPane();
    void placeButtons();
    // What assistive technology reads of the line besides the title.
    QString spokenDetails() const;

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
    RowSymbolButton* m_checkbox;
    RowSymbolButton* m_disclosure;
};

} // namespace studio
