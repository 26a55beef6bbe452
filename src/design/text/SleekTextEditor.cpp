#include "design/text/SleekTextEditor.h"

#include "design/widgets/FieldFrame.h"
#include "design/widgets/FieldLabel.h"
#include "design/text/GrowingTextEdit.h"
#include "design/style/Theme.h"

#include <QFontMetricsF>
#include <QTextDocument>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace studio {

namespace {
constexpr int editorPadding = 4;
// The editor's text sits 5 points in from its edge (9 from the well's).
constexpr qreal documentMargin = 5;
} // namespace

SleekTextEditor::SleekTextEditor(const QString& label, const QString& placeholder, qreal minHeight,
                                 qreal fontSize, QWidget* parent)
    : QWidget(parent)
    , m_label(new FieldLabel(label, this))
    , m_edit(new GrowingTextEdit(this))
    , m_minHeight(std::max<qreal>(0, minHeight))
{
    makePlainEditor(m_edit, Theme::font(fontSize));
    m_edit->setPlaceholderText(placeholder);
    m_edit->document()->setDocumentMargin(documentMargin);
    m_edit->viewport()->setAutoFillBackground(false);
    // The well sets the height (minHeight, or the text's height when taller).
    m_edit->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
    m_frame = new FieldFrame(m_edit, QMargins(editorPadding, editorPadding, editorPadding, editorPadding), this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    layout->addWidget(m_label);
    layout->addWidget(m_frame);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setFocusProxy(m_edit);
    // Read out by the caption the editor shows.
    m_edit->setAccessibleName(label);
    connect(m_edit, &GrowingTextEdit::textEdited, this, &SleekTextEditor::textEdited);
    connect(m_edit, &GrowingTextEdit::contentHeightChanged, this, &SleekTextEditor::adjustHeight);
    adjustHeight();
}

QString SleekTextEditor::text() const
{
    return m_edit->plainText();
}

void SleekTextEditor::setText(const QString& text)
{
    m_edit->setTextKeepingCaret(text);
}

bool SleekTextEditor::isPlaceholderShown() const
{
    return m_edit->document()->isEmpty();
}

void SleekTextEditor::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // A new width wraps the placeholder anew.
    if (m_edit->document()->isEmpty())
        adjustHeight();
}

void SleekTextEditor::adjustHeight()
{
    qreal content = m_edit->contentHeight();
    // While the text is empty the well holds the whole placeholder, drawn the
    // way the editor draws it (wrapped inside the document margin).
    const int width = m_edit->viewport()->width();
    if (m_edit->document()->isEmpty() && !m_edit->placeholderText().isEmpty() && width > 0) {
        const qreal margin = m_edit->document()->documentMargin();
        const QRectF box(0, 0, std::max<qreal>(1, width - 2 * margin), 1e6);
        const QRectF needed = QFontMetricsF(m_edit->font())
                                  .boundingRect(box, Qt::AlignTop | Qt::TextWordWrap, m_edit->placeholderText());
        content = std::max(content, needed.height() + 2 * margin);
    }
    const int wanted = int(std::ceil(std::clamp<qreal>(content + 2 * editorPadding, m_minHeight, QWIDGETSIZE_MAX)));
    if (m_frame->height() != wanted || m_frame->minimumHeight() != wanted)
        m_frame->setFixedHeight(wanted);
}

} // namespace studio
