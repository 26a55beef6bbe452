#include "views/home/SampleMenuButton.h"

#include "design/style/Palette.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "services/SampleFactory.h"

#include <QMenu>

using namespace Qt::StringLiterals;

namespace studio {

SampleMenuButton::SampleMenuButton(Look look, QWidget* parent)
    : MenuButton(look == Look::capsule ? u"Explore a sample film"_s : u"Add a sample film"_s, parent)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    if (look == Look::capsule) {
        setLabelFont(Theme::font(type::subheadline, QFont::Medium));
        setChevron(true, 8, Palette::textTertiary());
        setPadding(14, 7);
        setFill(Palette::white(level::wash), Palette::white(level::hairline));
        setBorder(Palette::hairlineStrong(), 1);
    } else {
        QFont font = Theme::font(type::small);
        font.setUnderline(true);
        setLabelFont(font);
        setLabelColor(Palette::textTertiary());
        setShape(Shape::plain);
        setPadding(0, 0);
    }
    for (const SampleFactory::Sample& sample : SampleFactory::registry()) {
        QAction* item = menu()->addAction(Theme::escapeMnemonic(sample.name + u" — "_s + sample.blurb));
        const QString id = sample.id;
        connect(item, &QAction::triggered, this, [this, id] { Q_EMIT sampleChosen(id); });
    }
}

} // namespace studio
