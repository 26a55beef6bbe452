#include "views/phases/footage/ShotRow.h"

#include "design/widgets/ArtThumb.h"
#include "design/widgets/FlowLayout.h"
#include "design/focus/FocusOutline.h"
#include "design/widgets/HairlineDivider.h"
#include "design/widgets/KeyedList.h"
#include "design/style/Palette.h"
#include "design/style/Shapes.h"
#include "design/widgets/SpokenName.h"
#include "design/style/Spring.h"
#include "design/style/Symbols.h"
#include "design/widgets/TextLabel.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "model/Text.h"
#include "state/rules/FootageRules.h"
#include "views/phases/footage/RowSymbolButton.h"

#include <QCursor>
#include <QEvent>
#include <QFontMetricsF>
#include <QHelpEvent>
#include <QLabel>
#include <QPainter>
#include <QToolTip>
#include <QResizeEvent>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace studio {

namespace {

constexpr qreal pad = 10;
constexpr qreal gap = 10;
constexpr qreal checkboxSize = 13;
constexpr QSizeF thumbFrame(50, 29);
constexpr QSizeF thumbArt(120, 68);
constexpr qreal thumbRadius = 5;
constexpr qreal dotSize = 7;
constexpr qreal chevronSize = 9;
constexpr qreal chipPadH = 6, chipPadV = 3;
// The open part's padding below its last line.
constexpr int openPadBottom = 10;
// The status dot's tooltip answers a little around the dot.
constexpr int hitSlop = 4;

struct Fonts {
    QFont title = Theme::font(type::body, QFont::DemiBold);
    QFont description = Theme::font(type::label);
    QFont length = Theme::font(type::small, QFont::Medium);
    QFont chip = Theme::font(type::footnote2, QFont::DemiBold);
};
const Fonts& fonts()
{
    static const Fonts f;
    return f;
}

QColor statusColor(ShotStatus status)
{
    switch (status) {
    case ShotStatus::planned:
        return Palette::white(level::muted);
    case ShotStatus::rendered:
        return Palette::gold();
    case ShotStatus::approved:
        return Palette::success();
    }
    return Palette::white(level::muted);
}

qreal textWidth(const QFont& font, const QString& text)
{
    return QFontMetricsF(font).horizontalAdvance(text);
}

} // namespace

// A reference image the clip plans carry: a paperclip and the reference's name
// on a faint capsule.
class ReferenceChip : public QWidget {
public:
    explicit ReferenceChip(QWidget* parent = nullptr)
        : QWidget(parent)
    {
        setAttribute(Qt::WA_TranslucentBackground);
        setFont(Theme::font(type::footnote2));
    }

    QString text() const { return m_text; }
    void setText(const QString& text)
    {
        const QString shown = text::displayPrefix(text);
        if (shown == m_text)
            return;
        m_text = shown;
        updateGeometry();
        update();
    }

    QSize sizeHint() const override
    {
        const QFontMetricsF fm(font());
        const qreal w = chipPadH + Symbols::boxSize(symbolSize) + 4 + fm.horizontalAdvance(m_text) + chipPadH;
        const qreal h = std::max(fm.height(), Symbols::boxSize(symbolSize)) + 2 * chipPadV;
        return QSize(int(std::ceil(w)), int(std::ceil(h)));
    }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing, true);
        shapes::fillCapsule(p, QRectF(rect()), Palette::white(level::wash));
        const qreal box = Symbols::boxSize(symbolSize);
        Symbols::paint(p, QRectF(chipPadH, (height() - box) / 2.0, box, box), u"paperclip"_s,
                       Palette::textTertiary(), symbolSize);
        p.setFont(font());
        p.setPen(Palette::textTertiary());
        const QRectF textArea(chipPadH + box + 4, 0, width() - chipPadH - box - 4 - chipPadH + 1, height());
        p.drawText(textArea, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, m_text);
    }

private:
    static constexpr qreal symbolSize = 7;
    QString m_text;
};

// The open part of a row: a rule, the caption, the prompt (selectable for
// copying, every line shown) and the reference chips.
class PromptPane : public QWidget {
public:
    explicit PromptPane(QWidget* parent)
        : QWidget(parent)
        , m_prompt(new QLabel(this))
        , m_refsHost(new QWidget(this))
        , m_refsLayout(new FlowLayout(4, m_refsHost))
        , m_refs(m_refsLayout)
    {
        setAttribute(Qt::WA_TranslucentBackground);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(12, 0, 12, openPadBottom);
        layout->setSpacing(8);
        layout->addWidget(new HairlineDivider(Qt::Horizontal, this));
        layout->addWidget(
            new TextLabel(u"COMPOSED PROMPT"_s, Theme::font(type::caption, QFont::DemiBold, 0.8), Palette::gold(), this));

        m_prompt->setTextFormat(Qt::PlainText);
        m_prompt->setWordWrap(true);
        m_prompt->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        // Tab reaches it as well, so the keyboard selects and copies what a
        // drag of the pointer does.
        m_prompt->setFocusPolicy(Qt::StrongFocus);
        m_prompt->setFont(Theme::font(type::callout));
        m_prompt->setCursor(Qt::IBeamCursor);
        QPalette palette = m_prompt->palette();
        palette.setColor(QPalette::WindowText, Palette::textSecondary());
        palette.setColor(QPalette::Text, Palette::textSecondary());
        m_prompt->setPalette(palette);
        layout->addWidget(m_prompt);

        m_refsHost->setAttribute(Qt::WA_TranslucentBackground);
        m_refsLayout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(m_refsHost);
        // The prompt is selectable from the keyboard too, so it is a focus
        // stop; its ring goes round the text, in the room the pane leaves it.
        new FocusOutline(m_prompt, m_prompt);
    }

    void setContent(const QString& prompt, const QStringList& references)
    {
        // Only the start of an extraordinarily long prompt is laid out; the
        // ellipsis says the rest is not shown.
        QString shown = text::displayPrefix(prompt);
        if (shown.size() < prompt.size())
            shown += u'…';
        if (m_prompt->text() != shown)
            m_prompt->setText(shown);
        m_refs.sync(
            references, [](const QString& r) { return r; },
            [this](const QString&) { return new ReferenceChip(m_refsHost); },
            [](ReferenceChip* chip, const QString& r, int) { chip->setText(r); });
    }

    QLabel* prompt() const { return m_prompt; }
    QStringList references() const
    {
        QStringList out;
        for (ReferenceChip* chip : m_refs.widgets())
            out.append(chip->text());
        return out;
    }

private:
    QLabel* m_prompt;
    QWidget* m_refsHost;
    FlowLayout* m_refsLayout;
    KeyedList<QString, ReferenceChip> m_refs;
};

ShotRow::ShotRow(const QUuid& shotID, QWidget* parent)
    : QWidget(parent)
    , m_shotID(shotID)
    , m_turn(new Spring(0.3, 0.85, this))
    , m_checkbox(new RowSymbolButton(checkboxSize, QFont::Normal, this))
    , m_disclosure(new RowSymbolButton(chevronSize, QFont::DemiBold, this))
{
    setAttribute(Qt::WA_TranslucentBackground);
    m_checkbox->setCheckable(true);
    m_disclosure->setCheckable(true);
    m_disclosure->setSymbol(u"chevron.down"_s, Palette::textTertiary());
    m_disclosure->setToolTip(u"Show composed prompt"_s);
    // Reported by id: the screen looks the shot up again when it acts.
    connect(m_checkbox, &QAbstractButton::clicked, this, [this] { Q_EMIT selectionToggled(m_shotID); });
    connect(m_disclosure, &QAbstractButton::clicked, this, [this] { Q_EMIT disclosureToggled(m_shotID); });
    // The height follows the width (the open prompt wraps), and opening or
    // closing reveals the prompt on the chevron's spring.
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    connect(m_turn, &Spring::valueChanged, this, [this] {
        m_disclosure->setTurn(180.0 * m_turn->value());
        if (m_pane && !m_pane->isHidden()) {
            updateGeometry();
            layoutPane();
        }
    });
    connect(m_turn, &Spring::settled, this, [this] {
        if (m_pane && !m_face.expanded && !m_pane->isHidden()) {
            m_pane->hide();
            updateGeometry();
        }
    });
}

int ShotRow::openHeight(int width) const
{
    return m_pane && !m_pane->isHidden() ? m_pane->heightForWidth(width) : 0;
}

int ShotRow::heightForWidth(int width) const
{
    const qreal reveal = std::clamp(m_turn->value(), 0.0, 1.0);
    return lineHeight() + int(std::ceil(reveal * openHeight(width)));
}

QSize ShotRow::sizeHint() const
{
    const int w = width() > 0 ? width() : 480;
    return QSize(w, heightForWidth(w));
}

QSize ShotRow::minimumSizeHint() const
{
    return QSize(0, lineHeight());
}

void ShotRow::layoutPane()
{
    // The pane at its full height, in a frame that ends where the card's
    // bottom padding begins: while the row opens, the prompt and its chips
    // slide out from under that line instead of running over the card's edge.
    if (!m_pane || m_pane->isHidden())
        return;
    const int line = lineHeight();
    m_frame->setGeometry(0, line, width(), std::max(0, height() - line - openPadBottom));
    m_pane->setGeometry(0, 0, width(), openHeight(width()));
}

void ShotRow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeButtons();
    layoutPane();
}

void ShotRow::placeButtons()
{
    const int room = RowSymbolButton::margin();
    m_checkbox->setGeometry(checkboxRect().adjusted(-room, -room, room, room));
    m_disclosure->setGeometry(disclosureRect().adjusted(-room, -room, room, room));
}

QAbstractButton* ShotRow::checkbox() const
{
    return m_checkbox;
}

QAbstractButton* ShotRow::disclosure() const
{
    return m_disclosure;
}

QList<QWidget*> ShotRow::focusStops() const
{
    QList<QWidget*> stops{m_checkbox, m_disclosure};
    if (m_pane && !m_pane->isHidden())
        stops.append(m_pane->prompt());
    return stops;
}

QString ShotRow::spokenDetails() const
{
    const QString description = m_face.description.isEmpty() ? u"No description yet"_s
                                                              : text::displayPrefix(m_face.description);
    return (m_face.size.isEmpty() ? QString() : m_face.size + u" · "_s) + description + u" · "_s + m_face.length + u" · "_s + rules::clipChipText(m_face.clips) + u" · "_s
        + label(m_face.status);
}

int ShotRow::lineHeight()
{
    static const int height = [] {
        const qreal texts = QFontMetricsF(fonts().title).height() + 1 + QFontMetricsF(fonts().description).height();
        const qreal content = std::max({Symbols::boxSize(checkboxSize), thumbFrame.height(), texts});
        return int(std::ceil(content + 2 * pad));
    }();
    return height;
}

void ShotRow::setFace(const Face& face)
{
    if (m_hasFace && face == m_face)
        return;
    const bool spokenChanged = !m_hasFace || face.title != m_face.title || face.description != m_face.description
        || face.length != m_face.length || face.clips != m_face.clips || face.status != m_face.status;
    // The chevron turns on a spring when the row opens or closes, and stands
    // where it belongs when the row first shows.
    if (!m_hasFace) {
        m_turn->jumpTo(face.expanded ? 1 : 0);
        m_disclosure->setTurn(face.expanded ? 180 : 0);
    }
    else if (face.expanded != m_face.expanded)
        m_turn->setTarget(face.expanded ? 1 : 0);
    m_hasFace = true;
    const bool statusChanged = face.status != m_face.status;
    if (face.title != m_face.title || face.description != m_face.description)
        m_shownTexts.reset();
    m_face = face;
    m_checkbox->setChecked(face.selected);
    m_checkbox->setSymbol(face.selected ? u"checkmark.square.fill"_s : u"square"_s,
                          face.selected ? Palette::gold() : Palette::textTertiary());
    m_disclosure->setChecked(face.expanded);
    if (spokenChanged) {
        // The painted line, for assistive technology: the checkbox says which
        // shot it picks, the row what the line shows. Each told only when it
        // changes (a new clip count leaves the title as it is).
        const QString details = spokenName(spokenDetails());
        const QString title = spokenName(face.title);
        const auto describe = [](QWidget* widget, const QString& description) {
            if (widget->accessibleDescription() != description)
                widget->setAccessibleDescription(description);
        };
        setSpokenName(m_checkbox, title);
        describe(m_checkbox, details);
        // Every row has one: it says which shot's prompt it shows.
        describe(m_disclosure, title);
        setSpokenName(this, title);
        describe(this, details);
    }
    // A take landing under the pointer: the dot's tooltip names the new status
    // rather than the one it had when the pointer arrived.
    if (statusChanged && underMouse() && QToolTip::isVisible()) {
        const QString tip = toolTipAt(mapFromGlobal(QCursor::pos()));
        if (!tip.isEmpty() && tip != QToolTip::text())
            QToolTip::showText(QCursor::pos(), tip, this, QRect(), -1);
    }
    if (face.expanded && !m_pane) {
        m_frame = new QWidget(this);
        m_frame->setAttribute(Qt::WA_TranslucentBackground);
        m_pane = new PromptPane(m_frame);
        m_frame->show();
    }
    // A closing row keeps its prompt until the spring has folded it away.
    if (face.expanded && m_pane->isHidden()) {
        m_pane->show();
        updateGeometry();
        layoutPane();
    }
    update(0, 0, width(), lineHeight());
}

void ShotRow::setPrompt(const QString& prompt, const QStringList& references)
{
    if (!m_pane)
        return;
    m_pane->setContent(prompt, references);
    updateGeometry();
    layoutPane();
}

QString ShotRow::promptText() const
{
    return m_pane && m_face.expanded ? m_pane->prompt()->text() : QString();
}

QStringList ShotRow::referenceTexts() const
{
    return m_pane && m_face.expanded ? m_pane->references() : QStringList();
}

QLabel* ShotRow::promptLabel() const
{
    return m_pane ? m_pane->prompt() : nullptr;
}

bool ShotRow::isTurning() const
{
    return m_turn->isMoving();
}

QRect ShotRow::checkboxRect() const
{
    const qreal box = Symbols::boxSize(checkboxSize);
    return QRectF(pad, (lineHeight() - box) / 2.0, box, box).toAlignedRect();
}

QRect ShotRow::disclosureRect() const
{
    const qreal box = Symbols::boxSize(chevronSize);
    return QRectF(width() - pad - box, (lineHeight() - box) / 2.0, box, box).toAlignedRect();
}

QRect ShotRow::statusDotRect() const
{
    const qreal box = Symbols::boxSize(chevronSize);
    const qreal x = width() - pad - box - gap - dotSize;
    return QRectF(x, (lineHeight() - dotSize) / 2.0, dotSize, dotSize).toAlignedRect();
}

QRectF ShotRow::chipRect() const
{
    const QFontMetricsF fm(fonts().chip);
    const qreal w = fm.horizontalAdvance(rules::clipChipText(m_face.clips)) + 2 * chipPadH;
    const qreal h = fm.height() + 2 * chipPadV;
    const qreal right = statusDotRect().left() - gap;
    return QRectF(right - w, (lineHeight() - h) / 2.0, w, h);
}

QRectF ShotRow::textRect() const
{
    const qreal left = pad + Symbols::boxSize(checkboxSize) + gap + thumbFrame.width() + gap;
    const qreal right = chipRect().left() - gap - textWidth(fonts().length, m_face.length) - gap;
    return QRectF(left, pad, std::max<qreal>(0, right - left), lineHeight() - 2 * pad);
}

QString ShotRow::toolTipAt(const QPoint& pos) const
{
    if (statusDotRect().adjusted(-hitSlop, -hitSlop, hitSlop, hitSlop).contains(pos))
        return label(m_face.status);
    return QString();
}

bool ShotRow::event(QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        // A press anywhere on the card gives the row the keyboard, on its
        // first stop, as a press on its checkbox or chevron does: keys
        // pressed next act on this row, never on the control the user left
        // (an engine slider, perhaps scrolled out of view).
        m_checkbox->setFocus(Qt::MouseFocusReason);
        event->accept();
        return true;
    }
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QString tip = toolTipAt(help->pos());
        if (tip.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(help->globalPos(), tip, this, QRect(), -1);
        }
        return true;
    }
    return QWidget::event(event);
}

const ShotRow::ShownTexts& ShotRow::shownTexts(qreal width) const
{
    // Eliding shapes the whole line: done once per face and width, not on
    // every frame the row is painted in.
    if (!m_shownTexts || m_shownTexts->width != width) {
        const QString description = m_face.description.isEmpty() ? u"No description yet"_s : m_face.description;
        m_shownTexts = ShownTexts{
            .width = width,
            .title = QFontMetricsF(fonts().title).elidedText(m_face.title, Qt::ElideRight, width),
            .description = QFontMetricsF(fonts().description)
                               .elidedText(text::displayPrefix(description), Qt::ElideRight, width),
        };
    }
    return *m_shownTexts;
}

void ShotRow::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    shapes::paintCard(p, QRectF(rect()), 11, m_face.selected ? Palette::surfaceHigh() : Palette::surface());
    const Fonts& f = fonts();
    const qreal line = lineHeight();

    const qreal thumbX = pad + Symbols::boxSize(checkboxSize) + gap;
    ArtThumb::paint(p, QRectF(thumbX, (line - thumbFrame.height()) / 2.0, thumbFrame.width(), thumbFrame.height()),
                    m_face.seed, thumbArt.width(), thumbArt.height(), thumbRadius);

    const QRectF texts = textRect();
    const QFontMetricsF titleMetrics(f.title), descriptionMetrics(f.description);
    const qreal textsHeight = titleMetrics.height() + 1 + descriptionMetrics.height();
    const qreal top = (line - textsHeight) / 2.0;
    p.setFont(f.title);
    p.setPen(Palette::textPrimary());
    const ShownTexts& shown = shownTexts(texts.width());
    p.drawText(QRectF(texts.left(), top, texts.width(), titleMetrics.height()), Qt::AlignLeft | Qt::AlignVCenter,
               shown.title);
    p.setFont(f.description);
    p.setPen(Palette::textTertiary());
    p.drawText(QRectF(texts.left(), top + titleMetrics.height() + 1, texts.width(), descriptionMetrics.height()),
               Qt::AlignLeft | Qt::AlignVCenter, shown.description);

    const QRectF chip = chipRect();
    const qreal lengthWidth = textWidth(f.length, m_face.length);
    p.setFont(f.length);
    p.setPen(Palette::textSecondary());
    p.drawText(QRectF(chip.left() - gap - lengthWidth, 0, lengthWidth + 1, line), Qt::AlignLeft | Qt::AlignVCenter,
               m_face.length);

    shapes::fillCapsule(p, chip, Palette::white(level::wash));
    p.setFont(f.chip);
    p.setPen(m_face.clips == 1 ? Palette::textTertiary() : Palette::gold());
    p.drawText(chip, Qt::AlignCenter, rules::clipChipText(m_face.clips));

    p.setPen(Qt::NoPen);
    p.setBrush(statusColor(m_face.status));
    p.drawEllipse(QRectF(statusDotRect()));
}

} // namespace studio
