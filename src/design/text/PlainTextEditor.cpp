#include "design/text/PlainTextEditor.h"

#include "design/widgets/FieldFrame.h"
#include "design/focus/FocusOutline.h"
#include "design/text/GrowingTextEdit.h"
#include "design/style/Palette.h"

#include <QKeyEvent>
#include <QPainter>
#include <QTextDocument>
#include <QTextOption>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace studio {

PlainTextEditor::PlainTextEditor(const QString& placeholder, const QFont& font, QWidget* parent)
    : QWidget(parent)
    , m_edit(new GrowingTextEdit(this))
    , m_placeholder(placeholder)
    , m_placeholderColor(Palette::textTertiary())
{
    makePlainEditor(m_edit, font);
    m_edit->document()->setDocumentMargin(0);
    m_edit->viewport()->setAutoFillBackground(false);
    m_edit->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
    m_edit->installEventFilter(this);
    m_edit->viewport()->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_edit);
    setFocusProxy(m_edit);
    new FocusOutline(this, m_edit);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    connect(m_edit, &GrowingTextEdit::textEdited, this, &PlainTextEditor::textEdited);
    connect(m_edit, &GrowingTextEdit::contentHeightChanged, this, &PlainTextEditor::adjustHeight);
    adjustHeight();
}

QString PlainTextEditor::text() const
{
    return m_edit->plainText();
}

void PlainTextEditor::setText(const QString& text)
{
    m_edit->setTextKeepingCaret(text);
}

void PlainTextEditor::setPlaceholder(const QString& placeholder)
{
    m_placeholder = placeholder;
    m_edit->viewport()->update();
}

void PlainTextEditor::setPlaceholderInset(const QPointF& inset)
{
    m_placeholderInset = inset;
    m_edit->viewport()->update();
}

bool PlainTextEditor::isPlaceholderShown() const
{
    return m_edit->document()->isEmpty() && !m_placeholder.isEmpty();
}

void PlainTextEditor::setTextFont(const QFont& font)
{
    // Each change of the document's font lays the whole text out again.
    if (m_edit->font() == font && m_edit->document()->defaultFont() == font)
        return;
    m_edit->setFont(font);
    if (m_edit->document()->defaultFont() != font)
        m_edit->document()->setDefaultFont(font);
    adjustHeight();
}

void PlainTextEditor::setTextColor(const QColor& color)
{
    QPalette pal = m_edit->palette();
    pal.setColor(QPalette::Text, color);
    m_edit->setPalette(pal);
}

void PlainTextEditor::setPlaceholderColor(const QColor& color)
{
    m_placeholderColor = color;
    m_edit->viewport()->update();
}

void PlainTextEditor::setPlaceholderFont(const QFont& font)
{
    m_placeholderFont = font;
    m_edit->viewport()->update();
}

void PlainTextEditor::setTextMargin(qreal margin)
{
    margin = std::max<qreal>(0, margin);
    if (m_edit->document()->documentMargin() == margin)
        return;
    m_edit->document()->setDocumentMargin(margin);
    adjustHeight();
}

void PlainTextEditor::setMinimumTextHeight(qreal height)
{
    m_minHeight = std::max<qreal>(0, height);
    adjustHeight();
}

void PlainTextEditor::setTextAlignment(Qt::Alignment alignment)
{
    alignment &= Qt::AlignHorizontal_Mask;
    if (alignment == m_alignment)
        return;
    m_alignment = alignment;
    QTextOption option = m_edit->document()->defaultTextOption();
    option.setAlignment(m_alignment);
    m_edit->document()->setDefaultTextOption(option);
    m_edit->viewport()->update();
}

void PlainTextEditor::setSubmitsOnReturn(bool submit)
{
    m_submitOnReturn = submit;
}

void PlainTextEditor::adjustHeight()
{
    const qreal content = m_edit->contentHeight();
    const int wanted = int(std::ceil(std::clamp<qreal>(content, m_minHeight, QWIDGETSIZE_MAX)));
    if (height() != wanted || minimumHeight() != wanted || maximumHeight() != wanted)
        setFixedHeight(wanted);
}

bool PlainTextEditor::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_edit && event->type() == QEvent::KeyPress && m_submitOnReturn) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            Q_EMIT submitted();
            return true;
        }
    }
    if (watched == m_edit->viewport() && event->type() == QEvent::Paint && isPlaceholderShown()) {
        // Drawn under the editor's own painting, which has nothing to show yet
        // but the caret.
        QPainter p(m_edit->viewport());
        p.setFont(m_placeholderFont.value_or(m_edit->font()));
        p.setPen(m_placeholderColor);
        const QRectF area = QRectF(m_edit->viewport()->rect()).adjusted(m_placeholderInset.x(), m_placeholderInset.y(), 0, 0);
        p.drawText(area, m_alignment | Qt::AlignTop | Qt::TextWordWrap, m_placeholder);
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace studio
