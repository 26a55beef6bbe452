#include "views/phases/script/ScriptElementRow.h"

#include "design/MenuButton.h"
#include "design/Palette.h"
#include "design/PlainTextEditor.h"
#include "design/PointerHover.h"
#include "design/SymbolButton.h"
#include "design/Theme.h"

#include <QFocusEvent>
#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QMenu>
#include <QSpacerItem>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

#include <cmath>

using namespace Qt::StringLiterals;

namespace studio {

namespace {
constexpr int controlsSpacing = 4;
} // namespace

const ScriptElementRow::KindStyle& ScriptElementRow::style(ScriptElementKind kind)
{
    static const QList<KindStyle> table = [] {
        QList<KindStyle> rows(allCases<ScriptElementKind>().size());
        const auto row = [&rows](ScriptElementKind k, KindStyle s) {
            s.label = label(k);
            rows[qsizetype(k)] = s;
        };
        row(ScriptElementKind::sceneHeading,
            {.indent = 0, .spaceAbove = 22, .fontSize = 12.5, .weight = QFont::Bold,
             .placeholder = u"INT. SOMEWHERE \u2014 DAY"_s, .symbol = u"building.2"_s});
        row(ScriptElementKind::action,
            {.indent = 0, .spaceAbove = 10, .fontSize = 12.5, .weight = QFont::Normal,
             .placeholder = u"What we see\u2026"_s, .symbol = u"figure.walk"_s});
        row(ScriptElementKind::character,
            {.indent = 200, .maxWidth = 240, .spaceAbove = 14, .fontSize = 12.5, .weight = QFont::DemiBold,
             .placeholder = u"CHARACTER NAME"_s, .symbol = u"person.fill"_s});
        row(ScriptElementKind::parenthetical,
            {.indent = 160, .maxWidth = 240, .spaceAbove = 2, .fontSize = 11.5, .weight = QFont::Normal,
             .placeholder = u"(quietly)"_s, .symbol = u"parentheses"_s});
        row(ScriptElementKind::dialogue,
            {.indent = 120, .maxWidth = 330, .spaceAbove = 2, .fontSize = 12.5, .weight = QFont::Normal,
             .placeholder = u"What they say\u2026"_s, .symbol = u"text.bubble.fill"_s});
        row(ScriptElementKind::transition,
            {.indent = 280, .spaceAbove = 14, .fontSize = 12.0, .weight = QFont::DemiBold, .trailing = true,
             .placeholder = u"CUT TO:"_s, .symbol = u"arrow.right.square"_s});
        return rows;
    }();
    return table[qsizetype(kind)];
}

QFont ScriptElementRow::font(ScriptElementKind kind)
{
    const KindStyle& s = style(kind);
    return Theme::font(s.fontSize, s.weight);
}

ScriptElementRow::ScriptElementRow(const QUuid& id, QWidget* parent)
    : QWidget(parent)
    , m_id(id)
    , m_stack(new QVBoxLayout(this))
    , m_line(new QWidget(this))
    , m_lineLayout(new QHBoxLayout(m_line))
    , m_indent(new QSpacerItem(0, 0, QSizePolicy::Fixed, QSizePolicy::Minimum))
    , m_editor(new PlainTextEditor(QString(), font(ScriptElementKind::action), m_line))
    , m_flex(new QSpacerItem(0, 0, QSizePolicy::Expanding, QSizePolicy::Minimum))
    , m_controls(new QWidget(m_line))
    , m_hover(new PointerHover(m_line))
{
    setAttribute(Qt::WA_TranslucentBackground);
    m_line->setAttribute(Qt::WA_TranslucentBackground);
    m_controls->setAttribute(Qt::WA_TranslucentBackground);
    m_stack->setContentsMargins(0, 0, 0, 0);
    m_stack->setSpacing(0);
    m_stack->addWidget(m_line);

    m_editor->setTextColor(Palette::paperInk());
    m_editor->setPlaceholderColor(Palette::withOpacity(Palette::paperInk(), 0.3));
    m_editor->setSubmitsOnReturn(true);
    // The field takes the width its kind allows and no more; what is left
    // goes to the flexible space after it.
    m_editor->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);

    // The frame is always there, so the text doesn't move on hover; what it
    // holds is made the first time it is needed (most rows of a long script
    // are never hovered).
    m_controls->setFixedWidth(controlsWidth);

    m_lineLayout->setContentsMargins(0, 0, 0, 0);
    m_lineLayout->setSpacing(0);
    m_lineLayout->addSpacerItem(m_indent);
    m_lineLayout->addWidget(m_editor, 1, Qt::AlignTop);
    m_lineLayout->addSpacerItem(m_flex);
    m_lineLayout->addWidget(m_controls, 0, Qt::AlignTop);

    connect(m_editor, &PlainTextEditor::textEdited, this, [this](const QString& text) { Q_EMIT textEdited(m_id, text); });
    connect(m_editor, &PlainTextEditor::submitted, this, [this] { Q_EMIT submitted(m_id); });
    connect(m_hover, &PointerHover::changed, this, [this](bool hovered) { Q_EMIT hoverChanged(m_id, hovered); });
    m_editor->textEdit()->installEventFilter(this);
    // A click on what hangs under the line (a chip) leaves the focus in the
    // text: Qt stops looking for a widget to focus at a focused proxy.
    setFocusProxy(m_editor);
    applyKind(m_kind);
}

QString ScriptElementRow::text() const
{
    return m_editor->text();
}

void ScriptElementRow::setElement(const ScriptElement& element)
{
    // Most refreshes (a keystroke in another row) leave this element as it was.
    if (m_shown && *m_shown == element)
        return;
    if (element.kind != m_kind)
        applyKind(element.kind);
    m_editor->setText(element.text);
    m_shown = element;
}

void ScriptElementRow::applyKind(ScriptElementKind kind)
{
    m_kind = kind;
    const KindStyle& s = style(kind);
    const QFont f = font(kind);
    m_editor->setTextFont(f);
    m_editor->setPlaceholder(s.placeholder);
    m_editor->setTextAlignment(s.trailing ? Qt::AlignRight : Qt::AlignLeft);
    m_editor->setMaximumWidth(s.maxWidth ? int(*s.maxWidth) : QWIDGETSIZE_MAX);
    m_indent->changeSize(int(s.indent), 0, QSizePolicy::Fixed, QSizePolicy::Minimum);
    // A transition's field takes the whole width, so its text sits against
    // the controls; every other kind leaves the rest to a flexible space.
    if (s.trailing)
        m_flex->changeSize(0, 0, QSizePolicy::Fixed, QSizePolicy::Minimum);
    else
        m_flex->changeSize(0, 0, QSizePolicy::Expanding, QSizePolicy::Minimum);
    m_lineLayout->setContentsMargins(0, int(s.spaceAbove), 0, 0);
    // The controls are centred on the first line of text.
    m_controls->setFixedHeight(int(std::ceil(QFontMetricsF(f).height())));
    if (m_kindMenu) {
        m_kindMenu->setSymbol(s.symbol, 9, Palette::paperInkSoft());
        m_kindMenu->setAccessibleName(s.label);
    }
    m_lineLayout->invalidate();
}

void ScriptElementRow::makeControls()
{
    if (m_kindMenu)
        return;
    m_kindMenu = new MenuButton(QString(), m_controls);
    m_remove = new SymbolButton(u"xmark"_s, 8, Palette::paperInkSoft(), QFont::Bold, m_controls);
    m_kindMenu->setShape(MenuButton::Shape::plain);
    m_kindMenu->setPadding(2, 0);
    m_kindMenu->setSpacing(0);
    m_kindMenu->setFocusPolicy(Qt::NoFocus);
    m_remove->setFocusPolicy(Qt::NoFocus);
    const KindStyle& s = style(m_kind);
    m_kindMenu->setSymbol(s.symbol, 9, Palette::paperInkSoft());
    m_kindMenu->setAccessibleName(s.label);
    auto* controlsLayout = new QHBoxLayout(m_controls);
    controlsLayout->setContentsMargins(0, 0, 0, 0);
    controlsLayout->setSpacing(controlsSpacing);
    controlsLayout->addStretch(1);
    controlsLayout->addWidget(m_kindMenu, 0, Qt::AlignVCenter);
    controlsLayout->addWidget(m_remove, 0, Qt::AlignVCenter);
    m_kindMenu->setVisible(m_hovered);
    m_remove->setVisible(m_hovered);
    connect(m_remove, &QAbstractButton::clicked, this, [this] { Q_EMIT removeRequested(m_id); });
    connect(m_kindMenu, &MenuButton::aboutToOpen, this, &ScriptElementRow::fillKindMenu);
}

MenuButton* ScriptElementRow::kindMenu()
{
    makeControls();
    return m_kindMenu;
}

SymbolButton* ScriptElementRow::removeButton()
{
    makeControls();
    return m_remove;
}

bool ScriptElementRow::controlsShown() const
{
    return m_hovered && m_remove && m_remove->isVisible();
}

void ScriptElementRow::fillKindMenu()
{
    // Rebuilt at each opening: the entries name this row's element by id.
    QMenu* menu = m_kindMenu->menu();
    menu->clear();
    for (ScriptElementKind k : allCases<ScriptElementKind>()) {
        QAction* action = menu->addAction(Theme::escapeMnemonic(style(k).label));
        connect(action, &QAction::triggered, this, [this, k] { Q_EMIT kindPicked(m_id, k); });
    }
}

void ScriptElementRow::setHovered(bool hovered)
{
    if (hovered == m_hovered)
        return;
    m_hovered = hovered;
    if (hovered)
        makeControls();
    if (m_kindMenu) {
        m_kindMenu->setVisible(hovered);
        m_remove->setVisible(hovered);
    }
}

void ScriptElementRow::focusText()
{
    m_editor->textEdit()->setFocus(Qt::OtherFocusReason);
}

void ScriptElementRow::moveCaretToEnd()
{
    m_editor->textEdit()->moveCursor(QTextCursor::End);
}

bool ScriptElementRow::hasTextFocus() const
{
    return m_editor->textEdit()->hasFocus();
}

void ScriptElementRow::setAccessory(QWidget* accessory, QWidget* newParent)
{
    if (accessory == m_accessory)
        return;
    if (m_accessory) {
        m_stack->removeWidget(m_accessory);
        m_accessory->hide();
        m_accessory->setParent(newParent);
    }
    m_accessory = accessory;
    if (accessory) {
        m_stack->addWidget(accessory);
        accessory->show();
    }
}

bool ScriptElementRow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_editor->textEdit()) {
        if (event->type() == QEvent::FocusIn) {
            Q_EMIT textFocusChanged(m_id, true);
        } else if (event->type() == QEvent::FocusOut) {
            // A menu opening or the window going to the background leaves the
            // focus where it was.
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
                Q_EMIT textFocusChanged(m_id, false);
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace studio
