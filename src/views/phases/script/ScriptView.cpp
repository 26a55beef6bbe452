#include "views/phases/script/ScriptView.h"

#include "design/GhostButton.h"
#include "design/HairlineDivider.h"
#include "design/Palette.h"
#include "design/ScrollColumn.h"
#include "design/SoftShadow.h"
#include "design/TextLabel.h"
#include "design/Theme.h"
#include "model/Lookup.h"
#include "state/ProjectSession.h"
#include "state/assist/AssistResults.h"
#include "state/assist/DirectorAssist.h"
#include "views/phases/script/ScriptCapsule.h"
#include "views/phases/script/ScriptElementRow.h"
#include "views/phases/script/ScriptLogic.h"
#include "views/phases/script/ScriptPage.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace studio {

namespace {

constexpr int pageMaxWidth = 740;
constexpr int deskPaddingH = 30;
constexpr int deskPaddingV = 26;

// The scrolling content: the page centred at its greatest width, and the
// shadow it casts, which the page itself can't paint past its own edge.
class PaperDesk : public QWidget {
public:
    explicit PaperDesk(ScriptPage* page)
        : m_page(page)
    {
        auto* layout = new QHBoxLayout(this);
        layout->setContentsMargins(deskPaddingH, deskPaddingV, deskPaddingH, deskPaddingV);
        layout->setSpacing(0);
        // The page takes the width first (up to its greatest), the two
        // spaces share what is left, so it stays centred.
        layout->addStretch(0);
        layout->addWidget(page, 1, Qt::AlignTop);
        layout->addStretch(0);
        page->setMaximumWidth(pageMaxWidth);
        page->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_page && (event->type() == QEvent::Resize || event->type() == QEvent::Move))
            update();
        return QWidget::eventFilter(watched, event);
    }

    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        SoftShadow::paint(p, m_page->geometry(), 6, Palette::black(0.5), 24, QPointF(0, 10));
    }

private:
    ScriptPage* m_page;
};

} // namespace

ScriptView::ScriptView(ProjectSession& session, QWidget* parent)
    : PhaseScreen(session, parent)
    , m_storyDraft(new GhostButton(u"wand.and.stars"_s, u"Draft from Story beats"_s, Palette::gold(), this))
    , m_statistics(new TextLabel(QString(), Theme::font(10.5), Palette::textTertiary(), this))
    , m_scroll(new ScrollColumn(this))
    , m_page(new ScriptPage(session, nullptr))
{
    auto* toolbar = new QWidget(this);
    toolbar->setAttribute(Qt::WA_TranslucentBackground);
    auto* bar = new QHBoxLayout(toolbar);
    bar->setContentsMargins(20, 11, 20, 11);
    bar->setSpacing(8);
    for (ScriptElementKind kind : allCases<ScriptElementKind>()) {
        const ScriptElementRow::KindStyle& style = ScriptElementRow::style(kind);
        auto* button = new ScriptCapsule(style.label, ScriptCapsule::toolbarLook(style.symbol), toolbar);
        button->setToolTip(u"Add "_s + style.label.toLower());
        connect(button, &QAbstractButton::clicked, this, [this, kind] { append(kind); });
        bar->addWidget(button, 0, Qt::AlignVCenter);
        m_kindButtons << button;
    }
    bar->addStretch(1);
    connect(m_storyDraft, &QAbstractButton::clicked, this, &ScriptView::draftFromStory);
    bar->addWidget(m_storyDraft, 0, Qt::AlignVCenter);
    m_statistics->setToolTip(u"Page-a-minute rule of thumb, plus the dialogue/action balance. Heavy dialogue plays "
                             u"slower than the page count suggests."_s);
    bar->addWidget(m_statistics, 0, Qt::AlignVCenter);

    m_scroll->setContent(new PaperDesk(m_page));
    // A click on the page's chips, kind menus or empty paper leaves the focus
    // in the text being written; the page still scrolls from the keyboard
    // when tabbed to, and holds the window's first focus, which no row takes.
    m_scroll->setFocusPolicy(Qt::TabFocus);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolbar);
    layout->addWidget(new HairlineDivider(Qt::Horizontal, this));
    layout->addWidget(m_scroll, 1);

    connect(m_page, &ScriptPage::addSceneHeadingRequested, this, [this] { append(ScriptElementKind::sceneHeading); });
    connect(m_page, &ScriptPage::aiDraftRequested, this, &ScriptView::draftWithAI);
    connect(m_page, &ScriptPage::revealRequested, this, [this](QWidget* row) {
        // The new row's place is known once the layouts above it have run.
        if (QLayout* pageLayout = m_page->layout())
            pageLayout->activate();
        if (QLayout* deskLayout = m_scroll->content()->layout())
            deskLayout->activate();
        m_scroll->ensureWidgetVisible(row, 0, 40);
    });
    connect(&session, &ProjectSession::aiBusyChanged, this, &ScriptView::syncBusy);
    syncBusy();
    requestRefresh();
}

ScriptView::~ScriptView() = default;

QUuid ScriptView::focusedID() const
{
    return m_page->focusedID();
}

QUuid ScriptView::hoveredID() const
{
    return m_page->hoveredID();
}

void ScriptView::refresh()
{
    const Episode* episode = activeEpisode();
    const bool empty = !episode || episode->script.elements.isEmpty();
    m_statistics->setText(script::statisticsText(episode ? episode->script : ScriptDocument()));
    m_storyDraft->setVisible(episode && empty && script::hasBeats(*episode));
    m_page->refresh();
}

void ScriptView::syncBusy()
{
    m_page->setAssistBusy(session().aiBusy());
}

void ScriptView::append(ScriptElementKind kind)
{
    const QUuid episodeID = activeEpisodeID();
    std::optional<QUuid> added;
    edit([&](Project& p) {
        if (Episode* episode = findEpisode(p, episodeID))
            added = script::appendElement(episode->script, kind);
    });
    if (added)
        m_page->focusElementLater(*added);
}

void ScriptView::draftFromStory()
{
    const QUuid episodeID = activeEpisodeID();
    edit([&](Project& p) {
        if (Episode* episode = findEpisode(p, episodeID))
            script::draftFromStory(*episode, p.locations);
    });
}

void ScriptView::draftWithAI()
{
    const QUuid episodeID = activeEpisodeID();
    if (episodeID.isNull() || session().aiBusy())
        return;
    runAssist(DirectorAssist::work(
        session(), [episodeID](const Project& p) { return findEpisode(p, episodeID); },
        [](const AIDirector& d, const Project& p, const Episode& e) { return d.draftScript(p, e); },
        [](const Project&, const Episode&, const AIDirector::ScriptElements& result) {
            return AssistResults::appendScript(result);
        }));
}

} // namespace studio
