#include "views/shell/ProjectWorkspaceView.h"

#include "design/focus/FocusHandOver.h"
#include "design/focus/FocusOnAdded.h"
#include "design/widgets/HairlineDivider.h"
#include "design/style/ReduceMotion.h"
#include "design/widgets/SpokenName.h"
#include "design/style/Spring.h"
#include "model/Text.h"
#include "state/AppState.h"
#include "state/ProjectSession.h"
#include "state/edits/PremiereEdits.h"
#include "views/phases/PhaseScreens.h"
#include "views/shell/AIChoiceSheet.h"
#include "views/shell/EpisodePicker.h"
#include "views/shell/ErrorBanner.h"
#include "views/shell/PhaseRail.h"
#include "views/shell/WorkspaceHeader.h"

#include <QAccessibleWidget>
#include <QHBoxLayout>
#include <QPainter>
#include <QPixmap>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace studio {

namespace {

// A picture of the old phase screen laid over the new one, fading out on the
// rail's spring; it takes no input and removes itself when it has faded.
class PhaseFade : public QWidget {
public:
    PhaseFade(const QPixmap& picture, QWidget* area)
        : QWidget(area)
        , m_picture(picture)
        , m_opacity(new Spring(0.3, 0.85, this))
    {
        setObjectName(QStringLiteral("phaseFade"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setGeometry(area->rect());
        m_opacity->jumpTo(1.0);
        connect(m_opacity, &Spring::valueChanged, this, qOverload<>(&QWidget::update));
        connect(m_opacity, &Spring::settled, this, &QObject::deleteLater);
        m_opacity->setTarget(0.0);
        raise();
        show();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setOpacity(std::clamp(m_opacity->value(), 0.0, 1.0));
        p.drawPixmap(0, 0, m_picture);
    }

private:
    QPixmap m_picture;
    Spring* m_opacity;
};

} // namespace

ProjectWorkspaceView::ProjectWorkspaceView(AppState& app, ProjectSession& session, QWidget* parent)
    : QWidget(parent)
    , m_session(session)
    , m_rail(new PhaseRail(session, this))
    , m_header(new WorkspaceHeader(app, session, this))
    , m_banner(new ErrorBanner(session, this))
    , m_area(new QWidget(this))
    , m_shownPhase(session.project().activePhase)
{
    setObjectName(u"projectWorkspace"_s);
    setAttribute(Qt::WA_TranslucentBackground);
    m_area->setObjectName(u"phaseArea"_s);
    m_area->setAttribute(Qt::WA_TranslucentBackground);
    m_area->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    auto* areaLayout = new QVBoxLayout(m_area);
    areaLayout->setContentsMargins(0, 0, 0, 0);
    areaLayout->setSpacing(0);

    auto* outer = new QHBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    m_rail->setFixedWidth(208);
    outer->addWidget(m_rail);
    outer->addWidget(new HairlineDivider(Qt::Vertical, this));
    auto* column = new QVBoxLayout;
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(m_header);
    column->addWidget(m_banner);
    column->addWidget(new HairlineDivider(Qt::Horizontal, this));
    column->addWidget(m_area, 1);
    outer->addLayout(column, 1);

    if ((m_screen = makeScreen(m_shownPhase)))
        areaLayout->addWidget(m_screen);
    syncNames();

    connect(m_rail, &PhaseRail::phaseChosen, this, [this](PhaseID phase) {
        m_animateNextChange = true;
        m_session.edit([phase](Project& p) { edits::goToPhase(p, phase); });
        m_animateNextChange = false;
    });
    connect(&m_session, &ProjectSession::projectChanged, this, [this] { refresh(m_animateNextChange); });
    connect(&m_session, &ProjectSession::activeEpisodeIDChanged, this, [this] { refresh(false); });
    connect(&m_session, &ProjectSession::aiBusyChanged, m_header, &WorkspaceHeader::refresh);
    connect(&m_session, &ProjectSession::aiErrorChanged, m_banner, &ErrorBanner::refresh);
    connect(&m_session, &ProjectSession::choicePromptChanged, this, &ProjectWorkspaceView::syncChoiceSheet);
    connect(m_header->episodePicker(), &EpisodePicker::episodeAdded, this, [this] {
        // The new episode is on screen: its name, where the screen shows
        // one, is what the user types next; elsewhere the keyboard rests on
        // the screen, heard by its phase, where Return and Space do nothing
        // (on the picker, Space would open its menu again).
        if (m_screen && !FocusOnAdded::give(m_screen->episodeField()))
            m_screen->setFocus(Qt::OtherFocusReason);
    });

    // In a window where nothing holds the keyboard yet, the workspace holds
    // it, so no control opens ringed and Tab starts at the phase rail.
    if (!window()->focusWidget())
        setFocus(Qt::OtherFocusReason);
}

ProjectWorkspaceView::~ProjectWorkspaceView()
{
    // The sheet belongs to the window, not to this view; a prompt it showed
    // stays pending in the session and is shown again with the next workspace.
    if (m_sheet) {
        disconnect(m_sheet, nullptr, this, nullptr);
        m_sheet->close();
    }
}

AIChoiceSheet* ProjectWorkspaceView::choiceSheet() const
{
    return m_sheet;
}

void ProjectWorkspaceView::refresh(bool animated)
{
    m_rail->refresh(animated);
    // The header after the page: the keyboard a phase change takes from the
    // header goes first, so its mark, ready for one phase and not for the
    // other, is not heard as a change of the control just left.
    syncPhaseScreen(animated);
    m_header->refresh();
    syncNames();
}

void ProjectWorkspaceView::syncNames()
{
    // A production without a name is heard by its phase alone.
    const QString& phase = title(m_session.project().activePhase);
    const QString production = spokenName(text::displayPrefix(m_session.project().name));
    const QString name = production.isEmpty() ? phase : production;
    const QString description = production.isEmpty() ? QString() : phase;
    if (accessibleName() != name)
        setAccessibleName(name);
    if (accessibleDescription() != description)
        setAccessibleDescription(description);
}

PhaseScreen* ProjectWorkspaceView::makeScreen(PhaseID phase)
{
    PhaseScreen* screen = makePhaseScreen(phase, m_session, m_area);
    if (screen)
        screen->setAccessibleName(title(phase));
    return screen;
}

QAccessibleInterface* ProjectWorkspaceView::accessibleFor(QObject* object)
{
    return object == this ? new QAccessibleWidget(this, QAccessible::Pane) : nullptr;
}

void ProjectWorkspaceView::syncPhaseScreen(bool animated)
{
    const PhaseID phase = m_session.project().activePhase;
    if (phase == m_shownPhase)
        return;
    m_shownPhase = phase;

    QPixmap old;
    if (animated && m_area->isVisible() && !ReduceMotion::systemPrefersReducedMotion())
        old = m_area->grab();
    QPointer<PhaseScreen> leaving = m_screen;
    if ((m_screen = makeScreen(phase))) {
        static_cast<QVBoxLayout*>(m_area->layout())->addWidget(m_screen);
        m_screen->show();
    }
    QWidget* arriving = m_screen ? static_cast<QWidget*>(m_screen) : m_area;
    // The keyboard the workspace holds since the production opened, or a
    // control of the window's bars (the header, the tabs) held when a
    // shortcut or the Phases menu changed the phase, goes to the phase asked
    // for, where a reader hears which it is. The rail's keyboard follows its
    // rows (PhaseRail), and the old screen's is handed over below.
    QWidget* holder = window()->focusWidget();
    const bool inLeaving = leaving && holder && (holder == leaving || leaving->isAncestorOf(holder));
    if (holder == this || (holder && isVisible() && !inLeaving && !m_rail->isAncestorOf(holder)))
        arriving->setFocus(Qt::OtherFocusReason);
    // Every view state of the old screen goes with it; the keyboard stays
    // with the phase on screen.
    if (leaving) {
        handOverFocus(leaving, arriving, true);
        static_cast<QVBoxLayout*>(m_area->layout())->removeWidget(leaving);
        leaving->hide();
        leaving->deleteLater();
    }
    if (!old.isNull())
        new PhaseFade(old, m_area);
}

void ProjectWorkspaceView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // A prompt set while another tab was on screen is presented now.
    syncChoiceSheet();
}

void ProjectWorkspaceView::syncChoiceSheet()
{
    const std::optional<AIChoicePrompt>& prompt = m_session.choicePrompt();
    if (m_sheet && (!prompt || prompt->id != m_sheet->promptID())) {
        AIChoiceSheet* sheet = m_sheet;
        m_sheet = nullptr;
        disconnect(sheet, nullptr, this, nullptr);
        sheet->close();
    }
    if (!prompt || m_sheet || !isVisible())
        return;

    auto* sheet = new AIChoiceSheet(this, *prompt);
    m_sheet = sheet;
    connect(sheet, &AIChoiceSheet::optionChosen, this, [this](const QUuid& optionID) {
        m_session.applyChoice(optionID);
    });
    connect(sheet, &SheetDialog::finished, this, [this, sheet] { sheetFinished(sheet); });
    sheet->present();
}

void ProjectWorkspaceView::sheetFinished(AIChoiceSheet* sheet)
{
    if (m_sheet == sheet)
        m_sheet = nullptr;
    // "Keep what I have", the close button, Esc: the prompt goes, nothing is written.
    const std::optional<AIChoicePrompt>& prompt = m_session.choicePrompt();
    if (prompt && prompt->id == sheet->promptID())
        m_session.dismissChoice();
}

} // namespace studio
