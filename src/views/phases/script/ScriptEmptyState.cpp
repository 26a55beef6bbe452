#include "views/phases/script/ScriptEmptyState.h"

#include "design/focus/FocusHandOver.h"
#include "design/widgets/GhostButton.h"
#include "design/style/Palette.h"
#include "design/widgets/PrimaryButton.h"
#include "design/widgets/TextLabel.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace studio {

ScriptEmptyState::ScriptEmptyState(QWidget* parent)
    : QWidget(parent)
    , m_opening(new TextLabel(u"FADE IN:"_s, Theme::font(type::control, QFont::DemiBold), Palette::paperInkSoft(), this))
    , m_hint(new TextLabel(u"Start with a scene heading, or draft from your story beats."_s, Theme::font(type::body),
                           Palette::paperInkSoft(), this))
    , m_addHeading(new PrimaryButton(u"Add Scene Heading"_s, false, this))
    , m_aiDraft(new GhostButton(u"wand.and.stars"_s, u"Draft with AI"_s, Palette::gold(), this))
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAccessibleName(u"Empty script"_s);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 110, 0, 110);
    column->setSpacing(10);
    column->addWidget(m_opening, 0, Qt::AlignHCenter);
    column->addWidget(m_hint, 0, Qt::AlignHCenter);
    column->addSpacing(6);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(10);
    buttons->addStretch(1);
    buttons->addWidget(m_addHeading, 0, Qt::AlignVCenter);
    buttons->addWidget(m_aiDraft, 0, Qt::AlignVCenter);
    buttons->addStretch(1);
    column->addLayout(buttons);
    connect(m_addHeading, &QAbstractButton::clicked, this, &ScriptEmptyState::addSceneHeadingRequested);
    connect(m_aiDraft, &QAbstractButton::clicked, this, &ScriptEmptyState::aiDraftRequested);
}

void ScriptEmptyState::setAssistBusy(bool busy)
{
    m_aiDraft->setText(busy ? u"Writing\u2026"_s : u"Draft with AI"_s);
    m_aiDraft->setEnabled(!busy);
}

void ScriptEmptyState::restKeyboardFrom(const QWidget* from)
{
    // As if the opening words had held it and hidden: it rests on the
    // nearest named place around them, this one, and Tab goes on from them,
    // which read before the buttons.
    restFocusAt(from, m_opening);
}

} // namespace studio
