#include "views/phases/cut/MusicCuesSection.h"

#include "design/widgets/AdaptiveGridLayout.h"
#include "design/widgets/GhostButton.h"
#include "design/widgets/KeyedList.h"
#include "design/style/Palette.h"
#include "design/widgets/SectionHeader.h"
#include "design/focus/TabOrder.h"
#include "design/widgets/TextLabel.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "model/Timeline.h"
#include "design/text/PlainTextField.h"
#include "design/widgets/SymbolButton.h"
#include "views/phases/cut/CueTile.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace studio {

MusicCuesSection::MusicCuesSection(QWidget* parent)
    : QWidget(parent)
    , m_add(new GhostButton(u"plus"_s, u"Add cue"_s, Palette::textPrimary(), this))
    , m_hint(new TextLabel(u"No cues yet. Even two \u2014 'opening wonder', 'final goodbye' \u2014 give the cut a spine."_s,
                           Theme::font(type::callout), Palette::textTertiary(), this))
    , m_grid(new QWidget(this))
    , m_gridLayout(new AdaptiveGridLayout(230, 320, 10, 10, m_grid))
{
    setAttribute(Qt::WA_TranslucentBackground);
    // Where the keyboard rests when the last cue is deleted.
    setAccessibleName(u"Music & Sound Sketch"_s);
    m_grid->setAttribute(Qt::WA_TranslucentBackground);
    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(10);

    auto* header = new QHBoxLayout;
    header->addWidget(new SectionHeader(u"Music & Sound Sketch"_s,
                                        u"Cues to score against \u2014 handed to audio generation later."_s, this),
                      0, Qt::AlignVCenter);
    header->addStretch(1);
    m_add->setLabelFont(Theme::font(type::body, QFont::Medium));
    m_add->setCursor(Qt::PointingHandCursor);
    header->addWidget(m_add, 0, Qt::AlignVCenter);
    stack->addLayout(header);

    // The hint is padded 14 above and below (in a box that hides with it, so
    // the padding goes when the tiles come).
    m_hintBox = new QWidget(this);
    m_hintBox->setAttribute(Qt::WA_TranslucentBackground);
    auto* hintBox = new QVBoxLayout(m_hintBox);
    hintBox->setContentsMargins(0, 14, 0, 14);
    m_hint->setParent(m_hintBox);
    m_hint->setWordWrap(true);
    hintBox->addWidget(m_hint);
    stack->addWidget(m_hintBox);
    stack->addWidget(m_grid);
    m_grid->hide();

    m_tiles = std::make_unique<KeyedList<QUuid, CueTile>>(m_gridLayout);
    connect(m_add, &QAbstractButton::clicked, this, &MusicCuesSection::addRequested);
}

MusicCuesSection::~MusicCuesSection() = default;

void MusicCuesSection::setCues(const QList<MusicCue>& cues)
{
    // A keystroke changes one cue's text and nothing of the order: update the
    // tiles in place without asking the layout where each one sits.
    const QList<QUuid> shown = m_tiles->keys();
    if (shown.size() == cues.size()
        && std::equal(shown.cbegin(), shown.cend(), cues.cbegin(),
                      [](const QUuid& id, const MusicCue& cue) { return id == cue.id; })) {
        for (qsizetype i = 0; i < cues.size(); ++i) {
            if (CueTile* tile = m_tiles->widget(shown[i]))
                tile->setCue(cues[i]);
        }
        return;
    }
    m_tiles->sync(
        cues, [](const MusicCue& cue) { return cue.id; },
        [this](const MusicCue& cue) {
            auto* tile = new CueTile(cue.id, m_grid);
            connect(tile, &CueTile::nameEdited, this, &MusicCuesSection::nameEdited);
            connect(tile, &CueTile::moodEdited, this, &MusicCuesSection::moodEdited);
            connect(tile, &CueTile::deleteRequested, this, &MusicCuesSection::deleteRequested);
            return tile;
        },
        [](CueTile* tile, const MusicCue& cue, int) { tile->setCue(cue); });
    // The tiles first: a tile deleted with the keyboard in it hands it on
    // while its place is still shown.
    const bool empty = cues.isEmpty();
    m_hintBox->setVisible(empty);
    m_grid->setVisible(!empty);
    // Tiles made later join the window's Tab chain at its end: Tab goes from
    // "Add cue" through the tiles in their order.
    const QList<CueTile*> tiles = m_tiles->widgets();
    QList<QWidget*> stops;
    for (CueTile* tile : tiles)
        stops << tile->nameField()->lineEdit() << tile->moodField()->lineEdit() << tile->deleteButton();
    TabOrder::chain(m_add, stops);
}

bool MusicCuesSection::isHintShown() const
{
    return !m_hintBox->isHidden();
}

QList<CueTile*> MusicCuesSection::tiles() const
{
    return m_tiles->widgets();
}

CueTile* MusicCuesSection::tile(const QUuid& cueID) const
{
    return m_tiles->widget(cueID);
}

} // namespace studio
