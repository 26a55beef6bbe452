#include "design/widgets/FieldLabel.h"

#include "design/style/Palette.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "model/Text.h"

namespace studio {

FieldLabel::FieldLabel(const QString& text, QWidget* parent)
    : TextLabel(QString(), Theme::font(type::label, QFont::Medium, 0.9), Palette::textTertiary(), parent)
{
    setCaption(text);
}

void FieldLabel::setCaption(const QString& text)
{
    m_caption = text;
    setText(text::upper(text));
}

} // namespace studio
