#include "views/phases/script/ScriptView.h"

#include "design/widgets/GhostButton.h"
#include "design/widgets/HairlineDivider.h"
#include "design/style/Palette.h"
#include "design/widgets/ScrollColumn.h"
#include "design/style/SoftShadow.h"
#include "design/widgets/TextLabel.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "model/Lookup.h"
#include "state/ProjectSession.h"
#include "state/assist/AssistResults.h"
#include "state/assist/DirectorAssist.h"
#include "state/edits/ScriptEdits.h"
#include "state/rules/ScriptRules.h"
#include "views/phases/script/ScriptCapsule.h"
#include "views/phases/script/ScriptElementRow.h"
#include "views/phases/script/ScriptPage.h"
#include "views/phases/script/ScriptToolbarLayout.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QPainter>
#include <QPaintEvent>
#include <QResizeEvent>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace studio {

namespace {

constexpr int pageMaxWidth = 740;
constexpr int deskPaddingH = 30;
constexpr int deskPaddingV = 26;
// The height of each end of a long page's shadow drawn as it is.
constexpr int shadowSlice = 120;

// The scrolling content: the page centred at its greatest width, and the
// shadow it casts, which the page itself can't paint past its own edge.
class PaperDesk : public QWidget {
public:
    explicit PaperDesk(ScriptPage* page)
        : m_page(page)
    {
        // The page grows with every new element: the desk paints again only
        // the end of the shadow that moved (see the event filter).
        setAttribute(Qt::WA_StaticContents);
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
        if (watched == m_page && event->type() == QEvent::Move)
            update();
        if (watched == m_page && event->type() == QEvent::Resize) {
            // A page that only grew or shrank in height moves nothing of its
            // shadow but the lower end (the page paints what it moved).
            const QSize old = static_cast<QResizeEvent*>(event)->oldSize();
            const QRect page = m_page->geometry();
            if (old.width() != page.width() || std::min(old.height(), page.height()) <= shadowSlice * 2) {
                update();
            } else {
                const int reach = int(std::ceil(SoftShadow::reach(24))) + 10;
                const int top = page.top() + std::min(old.height(), page.height()) - shadowSlice - reach;
                const int bottom = page.top() + std::max(old.height(), page.height()) + reach;
                update(QRect(0, top, width(), bottom - top));
            }
        }
        return QWidget::eventFilter(watched, event);
    }

    void paintEvent(QPaintEvent* event) override
    {
        QPainter p(this);
        const QRect page = m_page->geometry();
        if (page.height() <= shadowSlice * 2) {
            SoftShadow::paint(p, page, 6, Palette::black(level::half), 24, QPointF(0, 10));
            return;
        }
        // A long page casts the shadow of a short one, its middle stretched:
        // along a straight edge the blur is the same all the way down.
        const qreal margin = SoftShadow::reach(24);
        const QImage image = SoftShadow::image(QSizeF(page.width(), shadowSlice * 2), 6, Palette::black(level::full), 24,
                                               devicePixelRatioF());
        if (image.isNull())
            return;
        const qreal dpr = image.devicePixelRatio();
        const QRectF shadow = QRectF(page).translated(0, 10).adjusted(-margin, -margin, margin, margin);
        const qreal half = shadowSlice + margin; // each end of the image, in points
        const qreal w = shadow.width();
        p.setOpacity(0.5);
        const auto slice = [&](const QRectF& target, qreal from, qreal length) {
            if (target.intersects(event->rect()))
                p.drawImage(target, image, QRectF(0, from * dpr, image.width(), length * dpr));
        };
        slice(QRectF(shadow.left(), shadow.top(), w, half), 0, half);
        // The middle is one row of the image stretched, and the page's paper
        // covers all of it but the edges beyond the page: only those, and
        // only where they are painted, are drawn, since a stretch costs its
        // full area however little of it shows.
        const qreal top = std::max(shadow.top() + half, qreal(event->rect().top()));
        const qreal bottom = std::min(shadow.bottom() - half, qreal(event->rect().bottom() + 1));
        if (bottom > top) {
            const qreal scale = image.width() / w;
            for (const auto& [left, right] : {std::pair(shadow.left(), qreal(page.left())),
                                              std::pair(qreal(page.right() + 1), shadow.right())}) {
                if (right > left && QRectF(left, top, right - left, bottom - top).intersects(event->rect()))
                    p.drawImage(QRectF(left, top, right - left, bottom - top), image,
                                QRectF((left - shadow.left()) * scale, (half - 1) * dpr, (right - left) * scale, dpr));
            }
        }
        slice(QRectF(shadow.left(), shadow.bottom() - half, w, half), half, half);
    }

private:
    ScriptPage* m_page;
};

} // namespace

ScriptView::ScriptView(ScreenSession screenSession, QWidget* parent)
    : PhaseScreen(screenSession, parent)
    , m_storyDraft(new GhostButton(u"wand.and.stars"_s, u"Draft from Story beats"_s, Palette::gold(), nullptr))
    , m_statistics(new TextLabel(QString(), Theme::font(type::callout), Palette::textTertiary(), nullptr))
    , m_scroll(new ScrollColumn(this))
    , m_page(new ScriptPage(nullptr))
{
    // Made in reading order, which Tab follows: the kind buttons, the draft
    // button, then the page.
    auto* toolbar = new QWidget(this);
    toolbar->setAttribute(Qt::WA_TranslucentBackground);
    auto* bar = new ScriptToolbarLayout(toolbar);
    for (ScriptElementKind kind : allCases<ScriptElementKind>()) {
        const ScriptElementRow::KindStyle& style = ScriptElementRow::style(kind);
        auto* button = new ScriptCapsule(style.label, ScriptCapsule::toolbarLook(style.symbol), toolbar);
        button->setToolTip(u"Add "_s + style.label.toLower());
        // A stop for Tab; a click still leaves the focus to the element it adds.
        button->setFocusPolicy(Qt::TabFocus);
        connect(button, &QAbstractButton::clicked, this, [this, kind] { append(kind); });
        bar->addLeading(button);
        m_kindButtons << button;
    }
    connect(m_storyDraft, &QAbstractButton::clicked, this, &ScriptView::draftFromStory);
    bar->addTrailing(m_storyDraft);
    const QString statisticsHelp = u"Page-a-minute rule of thumb, plus the dialogue/action balance. Heavy dialogue "
                                   u"plays slower than the page count suggests."_s;
    m_statistics->setToolTip(statisticsHelp);
    m_statistics->setAccessibleDescription(statisticsHelp);
    bar->addTrailing(m_statistics);

    m_scroll->setContent(new PaperDesk(m_page));
    // The page's elements are the stops on it (and the empty state's
    // buttons); a click on its chips, kind menus or empty paper leaves the
    // focus in the text being written.
    m_scroll->setFocusPolicy(Qt::NoFocus);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolbar);
    layout->addWidget(new HairlineDivider(Qt::Horizontal, this));
    layout->addWidget(m_scroll, 1);

    connect(m_page, &ScriptPage::addSceneHeadingRequested, this, [this] { append(ScriptElementKind::sceneHeading); });
    connect(m_page, &ScriptPage::aiDraftRequested, this, &ScriptView::draftWithAI);
    connect(m_page, &ScriptPage::textEdited, this, [this](const QUuid& id, const QString& text) {
        editActiveEpisode([&](Project& p, const QUuid& episode) { edits::setScriptElementText(p, episode, id, text); });
    });
    connect(m_page, &ScriptPage::submitted, this, [this](const QUuid& id) {
        QUuid added;
        editActiveEpisode(
            [&](Project& p, const QUuid& episode) { added = edits::insertScriptElementAfter(p, episode, id); });
        m_page->focusElement(added);
    });
    connect(m_page, &ScriptPage::removeRequested, this, [this](const QUuid& id) {
        editActiveEpisode([&](Project& p, const QUuid& episode) { edits::removeScriptElement(p, episode, id); });
    });
    connect(m_page, &ScriptPage::kindPicked, this, [this](const QUuid& id, ScriptElementKind kind) {
        editActiveEpisode([&](Project& p, const QUuid& episode) { edits::setScriptElementKind(p, episode, id, kind); });
    });
    connect(m_page, &ScriptPage::chipPicked, this, [this](const QUuid& id, const rules::ScriptChip& chip) {
        editActiveEpisode([&](Project& p, const QUuid& episode) { edits::pickScriptChip(p, episode, id, chip); });
        if (m_page->editorID() == id)
            m_page->moveCaretToEnd();
    });
    m_page->setChipSource([this](const QUuid& id) {
        const Episode* episode = activeEpisode();
        const ScriptElement* element = episode ? findScriptElement(*episode, id) : nullptr;
        return element ? rules::scriptChips(project(), *element) : QList<rules::ScriptChip>();
    });
    connect(m_page, &ScriptPage::revealRequested, this, [this](const QRect& area) {
        settleLayout();
        // An element taller than the view stays where it is while some of
        // it shows: its caret is brought into view on its own.
        if (area.height() > m_scroll->viewport()->height() && area.intersects(m_page->visibleArea()))
            return;
        const QPoint at = m_page->mapTo(m_scroll->widget(), area.center());
        m_scroll->ensureVisible(at.x(), at.y(), 0, area.height() / 2 + 40);
    });
    const auto scrollBy = [this](int dy) {
        settleLayout();
        QScrollBar* bar = m_scroll->verticalScrollBar();
        bar->setValue(bar->value() + dy);
    };
    connect(m_page, &ScriptPage::shifted, this, scrollBy);
    connect(m_page, &ScriptPage::scrollRequested, this, scrollBy);
    connect(m_scroll->verticalScrollBar(), &QScrollBar::valueChanged, this, &ScriptView::syncVisibleArea);
    m_scroll->viewport()->installEventFilter(this);
    m_page->installEventFilter(this);
    connect(&session(), &ProjectSession::aiBusyChanged, this, &ScriptView::syncBusy);
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
    static const ScriptDocument none;
    const ScriptDocument& script = episode ? episode->script : none;
    // The page shows the list last tallied: one look finds what changed for both.
    const rules::ScriptChange change = rules::scriptChange(m_tallied, script.elements);
    m_tally = rules::scriptTally(m_tally, m_tallied, script.elements, change);
    m_tallied = script.elements;
    m_statistics->setText(rules::scriptStatistics(m_tally));
    m_storyDraft->setVisible(episode && script.elements.isEmpty() && rules::hasBeats(*episode));
    m_page->showElements(script.elements, change);
}

bool ScriptView::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == m_scroll->viewport() || watched == m_page)
        && (event->type() == QEvent::Resize || event->type() == QEvent::Move || event->type() == QEvent::Show))
        syncVisibleArea();
    return PhaseScreen::eventFilter(watched, event);
}

void ScriptView::settleLayout()
{
    // The page's new height reaches the scroll range once the desk's layout
    // has run.
    QCoreApplication::sendPostedEvents(m_scroll->widget(), QEvent::LayoutRequest);
}

void ScriptView::syncVisibleArea()
{
    QWidget* viewport = m_scroll->viewport();
    m_page->setVisibleArea(QRect(m_page->mapFrom(viewport, QPoint(0, 0)), viewport->size()));
}

void ScriptView::syncBusy()
{
    m_page->setAssistBusy(session().aiBusy());
}

void ScriptView::append(ScriptElementKind kind)
{
    QUuid added;
    editActiveEpisode([&](Project& p, const QUuid& episode) { added = edits::appendScriptElement(p, episode, kind); });
    m_page->focusElement(added);
}

void ScriptView::draftFromStory()
{
    bool drafted = false;
    editActiveEpisode(
        [&drafted](Project& p, const QUuid& episode) { drafted = edits::draftScriptFromStory(p, episode); });
    // The button goes with the empty page; the keyboard goes to the draft's
    // first element, where reading and writing begin.
    const Episode* episode = activeEpisode();
    if (drafted && episode && !episode->script.elements.isEmpty()) {
        m_page->focusElement(episode->script.elements.first().id);
        m_page->moveCaretToEnd();
    }
}

void ScriptView::draftWithAI()
{
    const QUuid episodeID = activeEpisodeID();
    if (episodeID.isNull() || session().aiBusy())
        return;
    runAssist(DirectorAssist::request(
        [episodeID](const Project& p) { return findEpisode(p, episodeID); },
        [](const AIDirector& d, const Project& p, const Episode& e) { return d.draftScript(p, e); },
        [](const Project&, const Episode&, const AIDirector::ScriptElements& result) {
            return AssistResults::appendScript(result);
        }));
}

} // namespace studio
