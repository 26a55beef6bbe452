#include "views/home/FormatCard.h"

#include "design/access/ChoiceAccessible.h"
#include "design/focus/FocusRing.h"
#include "design/style/Palette.h"
#include "design/style/Shapes.h"
#include "design/style/Symbols.h"
#include "design/widgets/TextLabel.h"
#include "design/widgets/SymbolTile.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "state/rules/NewProjectDraft.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace studio {

using rules::NewProjectDraft;

FormatCard::FormatCard(ProjectFormat format, QWidget* parent)
    : QAbstractButton(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    setAccessibleName(label(format));
    // The running time and the blurb it shows, read after its name, in words
    // ("3–40 min / ep" is "3 to 40 minutes an episode").
    const QString runtime = QString::number(runtimeMin(format)) + u" to "_s + QString::number(runtimeMax(format))
        + u" minutes"_s + (isEpisodic(format) ? u" an episode"_s : QString());
    setAccessibleDescription(runtime + u". "_s + NewProjectDraft::blurb(format));
    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(16, 16, 16, 16);
    stack->setSpacing(10);

    auto* top = new QHBoxLayout;
    top->setSpacing(8);
    auto* tile = new SymbolTile(15, this);
    tile->setSymbol(symbol(format));
    top->addWidget(tile, 0, Qt::AlignVCenter);
    top->addStretch(1);
    top->addWidget(new TextLabel(NewProjectDraft::runtimeHint(format), Theme::font(type::footnote, QFont::Medium),
                                 Palette::textTertiary(), this),
                   0, Qt::AlignVCenter);
    stack->addLayout(top);
    stack->addWidget(new TextLabel(label(format), Theme::font(type::title2, QFont::Bold), Palette::textPrimary(), this));
    auto* blurb = new TextLabel(NewProjectDraft::blurb(format), Theme::font(type::body), Palette::textSecondary(), this);
    blurb->setWordWrap(true);
    blurb->setMaxLines(3);
    stack->addWidget(blurb);
}

void FormatCard::setSelected(bool selected)
{
    if (selected == m_selected)
        return;
    m_selected = selected;
    update();
    tellChoiceChanged(this);
}

void FormatCard::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF r(rect());
    shapes::fillRounded(p, r, 15, Palette::surface());
    if (m_selected)
        FocusRing::paintChosen(p, r, 15);
    else
        shapes::strokeRoundedInside(p, r, 15, Palette::hairline(), 1.0);
    if (hasFocus())
        FocusRing::paintRounded(p, r, 15);
}

} // namespace studio
