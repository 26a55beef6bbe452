#include "views/phases/premiere/PressKitCard.h"

#include "design/widgets/SectionHeader.h"
#include "design/text/SleekTextEditor.h"

#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace studio {

PressKitCard::PressKitCard(QWidget* parent)
    : PaddedCard(16, 10, parent)
{
    QVBoxLayout* stack = this->stack();
    stack->addWidget(new SectionHeader(
        u"Press Kit"_s, u"Festival synopsis and taglines. Ask Assist to draft them, then make every word yours."_s));
    m_editor = new SleekTextEditor(
        u"Synopsis & taglines"_s,
        u"SYNOPSIS\nA hundred words that make a programmer lean forward\u2026\n\nTAGLINES\n\u2022 The one the poster uses"_s,
        120, 13);
    m_editor->textEdit()->setAccessibleName(u"Synopsis & taglines"_s);
    stack->addWidget(m_editor);
    connect(m_editor, &SleekTextEditor::textEdited, this, &PressKitCard::textEdited);
}

void PressKitCard::setText(const QString& text)
{
    m_editor->setText(text);
}

} // namespace studio
