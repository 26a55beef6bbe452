#include "views/phases/cut/CueTile.h"

#include "design/focus/FocusAfterRemoval.h"
#include "design/focus/FocusRing.h"
#include "design/style/Palette.h"
#include "design/text/PlainTextField.h"
#include "design/widgets/SymbolButton.h"
#include "design/widgets/SymbolLabel.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "model/Timeline.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace studio {

CueTile::CueTile(const QUuid& cueID, QWidget* parent)
    : CardSurface(11, Palette::surfaceHigh(), parent)
    , m_cueID(cueID)
    , m_name(new PlainTextField(u"Cue name"_s, Theme::font(type::bodyLarge, QFont::DemiBold), this))
    , m_mood(new PlainTextField(u"Mood, instruments, references\u2026"_s, Theme::font(type::small), this))
    , m_delete(new SymbolButton(u"xmark"_s, 8, Palette::textTertiary(), QFont::Bold, this))
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(11, 11, 11, 11);
    row->setSpacing(9);
    row->addWidget(new SymbolLabel(u"music.note"_s, 11, Palette::gold(), QFont::Normal, this), 0, Qt::AlignVCenter);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(3);
    m_name->setTextColor(Palette::textPrimary());
    m_mood->setTextColor(Palette::textSecondary());
    texts->addWidget(m_name);
    texts->addWidget(m_mood);
    row->addLayout(texts, 1);
    row->addWidget(m_delete, 0, Qt::AlignVCenter);
    // The fields have no caption of their own: each is named by what its
    // placeholder asks for.
    m_name->lineEdit()->setAccessibleName(u"Cue name"_s);
    m_mood->lineEdit()->setAccessibleName(u"Mood"_s);
    m_delete->setAccessibleName(u"Delete cue"_s);
    FocusAfterRemoval::markRemover(m_delete);
    // Room around the small cross for the focus ring.
    const int side = m_delete->sizeHint().width() + 2 * (int(FocusRing::width) + 1);
    m_delete->setFixedSize(side, side);
    m_delete->setCursor(Qt::PointingHandCursor);

    connect(m_name, &PlainTextField::textEdited, this, [this](const QString& text) { Q_EMIT nameEdited(m_cueID, text); });
    connect(m_mood, &PlainTextField::textEdited, this, [this](const QString& text) { Q_EMIT moodEdited(m_cueID, text); });
    connect(m_delete, &QAbstractButton::clicked, this, [this] { Q_EMIT deleteRequested(m_cueID); });
}

void CueTile::setCue(const MusicCue& cue)
{
    m_name->setText(cue.name);
    m_mood->setText(cue.mood);
}

} // namespace studio
