#include "design/widgets/FieldFrame.h"

#include "design/focus/FocusRing.h"
#include "design/style/Palette.h"
#include "design/style/Shapes.h"
#include "design/style/Tokens.h"

#include <QAbstractScrollArea>
#include <QEvent>
#include <QLineEdit>
#include <QPainter>
#include <QVBoxLayout>

#include <limits>

namespace studio {

FieldFrame::FieldFrame(QWidget* editor, const QMargins& padding, QWidget* parent, qreal radius)
    : QWidget(parent)
    , m_editor(editor)
    , m_radius(radius)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(padding);
    layout->setSpacing(0);
    layout->addWidget(editor);
    setFocusProxy(editor);
    editor->installEventFilter(this);
}

bool FieldFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_editor && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut))
        update();
    return QWidget::eventFilter(watched, event);
}

void FieldFrame::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QRectF r = rect();
    shapes::fillRounded(p, r, m_radius, Palette::black(level::shade));
    shapes::strokeRoundedInside(p, r, m_radius, Palette::hairline(), 1.0);
    if (m_editor->hasFocus())
        FocusRing::paintRounded(p, r, m_radius);
}

void makePlainEditor(QWidget* editor, const QFont& font)
{
    // No frame and no background: the field's own frame is drawn around it.
    editor->setProperty("studioPlain", true);
    if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        line->setFrame(false);
        // A line edit keeps 32,767 characters unless told otherwise: it would
        // cut a longer stored text when shown, and the first keystroke would
        // save the cut.
        line->setMaxLength(std::numeric_limits<int>::max());
    }
    if (auto* area = qobject_cast<QAbstractScrollArea*>(editor)) {
        area->setFrameShape(QFrame::NoFrame);
        area->viewport()->setAutoFillBackground(false);
    }
    editor->setFont(font);
    editor->setAttribute(Qt::WA_TranslucentBackground);
    editor->setAutoFillBackground(false);
    QPalette pal = editor->palette();
    pal.setColor(QPalette::Base, Qt::transparent);
    pal.setColor(QPalette::Window, Qt::transparent);
    pal.setColor(QPalette::Text, Palette::textPrimary());
    pal.setColor(QPalette::PlaceholderText, Palette::textTertiary());
    editor->setPalette(pal);
}

} // namespace studio
