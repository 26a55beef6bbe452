#include "views/phases/cast/LookAnchorCard.h"

#include "design/style/Palette.h"
#include "design/text/PlainTextEditor.h"
#include "design/style/Shapes.h"
#include "design/widgets/SymbolLabel.h"
#include "design/widgets/TextLabel.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"

#include <QHBoxLayout>
#include <QTextEdit>
#include <QPainter>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace studio {

namespace {
constexpr qreal radius = 12;
} // namespace

LookAnchorCard::LookAnchorCard(const QString& hint, QWidget* parent)
    : QWidget(parent)
    , m_editor(new PlainTextEditor(QString(), Theme::font(type::control), this))
{
    setAttribute(Qt::WA_TranslucentBackground);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(12, 12, 12, 12);
    column->setSpacing(7);
    auto* header = new QHBoxLayout;
    header->setSpacing(6);
    header->addWidget(new SymbolLabel(u"lock.shield.fill"_s, 10, Palette::gold(), QFont::Normal, this));
    header->addWidget(new TextLabel(u"SIGNATURE LOOK — CONSISTENCY ANCHOR"_s, Theme::font(type::footnote, QFont::DemiBold, 0.8),
                                    Palette::gold(), this));
    m_editor->textEdit()->setAccessibleName(u"Signature look — consistency anchor"_s);
    header->addStretch(1);
    column->addLayout(header);
    m_editor->setTextColor(Palette::textPrimary());
    m_editor->setMinimumTextHeight(74);
    column->addWidget(m_editor);
    auto* hintLabel = new TextLabel(hint, Theme::font(type::label), Palette::textTertiary(), this);
    hintLabel->setWordWrap(true);
    column->addWidget(hintLabel);
    connect(m_editor, &PlainTextEditor::textEdited, this, &LookAnchorCard::textEdited);
}

void LookAnchorCard::setText(const QString& text)
{
    m_editor->setText(text);
}

void LookAnchorCard::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF r = rect();
    shapes::fillRounded(p, r, radius, Palette::withOpacity(Palette::gold(), 0.06));
    shapes::strokeRoundedInside(p, r, radius, Palette::withOpacity(Palette::gold(), 0.25), 1.0);
}

} // namespace studio
