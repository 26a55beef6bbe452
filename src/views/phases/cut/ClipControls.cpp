#include "views/phases/cut/ClipControls.h"

#include "design/widgets/GhostButton.h"
#include "design/style/Palette.h"
#include "design/widgets/Slider.h"
#include "design/widgets/TextLabel.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "design/widgets/ToolbarIconButton.h"
#include "model/Timeline.h"
#include "state/rules/CutRules.h"

#include <QHBoxLayout>

using namespace Qt::StringLiterals;

namespace studio {

ClipControls::ClipControls(QWidget* parent)
    : CardSurface(12, Palette::surfaceHigh(), parent)
    , m_label(new TextLabel(QString(), Theme::font(type::control, QFont::DemiBold), Palette::textPrimary(), this))
    , m_earlier(new ToolbarIconButton(u"arrow.left"_s, u"Move earlier"_s, this))
    , m_later(new ToolbarIconButton(u"arrow.right"_s, u"Move later"_s, this))
    , m_length(new Slider(1, 30, this))
    , m_lengthText(new TextLabel(QString(), Theme::font(type::body, QFont::Medium), Palette::textSecondary(), this))
    , m_cut(new GhostButton(u"scissors"_s, u"Cut"_s, Palette::danger(), this))
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(12, 12, 12, 12);
    row->setSpacing(10);
    row->addWidget(m_label, 0, Qt::AlignVCenter);
    row->addStretch(1);
    row->addWidget(m_earlier, 0, Qt::AlignVCenter);
    row->addWidget(m_later, 0, Qt::AlignVCenter);
    auto* length = new QHBoxLayout;
    length->setSpacing(8);
    m_length->setStep(0.5);
    m_length->setTint(Palette::accentDeep());
    m_length->setAccessibleName(u"Clip length"_s);
    m_length->setValueText([](double seconds) { return Slider::amount(seconds, 1, u"second"_s, u"seconds"_s); });
    m_length->setFixedWidth(130);
    length->addWidget(m_length, 0, Qt::AlignVCenter);
    m_lengthText->setFixedWidth(38);
    length->addWidget(m_lengthText, 0, Qt::AlignVCenter);
    row->addLayout(length);
    row->addWidget(m_cut, 0, Qt::AlignVCenter);

    connect(m_earlier, &QAbstractButton::clicked, this, [this] { Q_EMIT moveRequested(m_clipID, -1); });
    connect(m_later, &QAbstractButton::clicked, this, [this] { Q_EMIT moveRequested(m_clipID, 1); });
    connect(m_length, &Slider::valueEdited, this, [this](double seconds) { Q_EMIT secondsEdited(m_clipID, seconds); });
    connect(m_cut, &QAbstractButton::clicked, this, [this] { Q_EMIT cutRequested(m_clipID); });
}

void ClipControls::setClip(const TimelineClip& clip)
{
    m_clipID = clip.id;
    m_label->setText(clip.label);
    // Silent: showing a length never writes it, and a drag in progress keeps
    // its knob.
    m_length->setValue(clip.seconds);
    m_lengthText->setText(rules::clipControlSecondsText(clip.seconds));
}

} // namespace studio
