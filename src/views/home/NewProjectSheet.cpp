#include "views/home/NewProjectSheet.h"

#include "design/focus/FocusHandOver.h"
#include "design/widgets/GhostButton.h"
#include "design/widgets/HairlineDivider.h"
#include "design/style/Palette.h"
#include "design/widgets/PrimaryButton.h"
#include "design/style/ReduceMotion.h"
#include "design/widgets/ScrollColumn.h"
#include "design/text/SleekTextField.h"
#include "design/style/Spring.h"
#include "design/widgets/TextLabel.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "design/widgets/ToolbarIconButton.h"
#include "services/ProjectStore.h"
#include "state/AppState.h"
#include "views/home/FormatCard.h"
#include "views/home/NewProjectDetailsForm.h"

#include <QGraphicsOpacityEffect>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPointer>
#include <QScrollBar>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace studio {

namespace {

constexpr QSize sheetSize(660, 580);

QList<NewProjectSheet*>& openSheets()
{
    static QList<NewProjectSheet*> sheets;
    return sheets;
}

} // namespace

NewProjectSheet::NewProjectSheet(AppState& app, QWidget* window)
    : SheetDialog(window, sheetSize)
    , m_app(app)
{
    // As large as the window lets it be: the steps scroll.
    setMaximumWidth(sheetSize.width());
    setMaximumHeight(sheetSize.height());
    openSheets().append(this);
    QVBoxLayout* content = contentLayout();

    auto* header = new QHBoxLayout;
    header->setContentsMargins(24, 18, 24, 18);
    auto* titles = new QVBoxLayout;
    titles->setSpacing(3);
    m_title = new TextLabel(QString(), Theme::font(type::display3, QFont::Bold), Palette::textPrimary());
    m_subtitle = new TextLabel(QString(), Theme::font(type::body), Palette::textTertiary());
    titles->addWidget(m_title);
    titles->addWidget(m_subtitle);
    header->addLayout(titles, 1);
    m_close = new ToolbarIconButton(u"xmark"_s, u"Close"_s);
    header->addWidget(m_close, 0, Qt::AlignVCenter);
    content->addLayout(header);
    content->addWidget(new HairlineDivider);

    auto* scroll = new ScrollColumn;
    m_scroll = scroll;
    QVBoxLayout* stepColumn = scroll->column();
    stepColumn->setContentsMargins(24, 24, 24, 24);

    m_formatGrid = new QWidget;
    auto* grid = new QGridLayout(m_formatGrid);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(14);
    grid->setVerticalSpacing(14);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    int index = 0;
    for (ProjectFormat format : allCases<ProjectFormat>()) {
        auto* card = new FormatCard(format);
        // A card is as tall as its blurb makes it; a shorter one sits in the
        // middle of its row.
        grid->addWidget(card, index / 2, index % 2, Qt::AlignVCenter);
        m_formatCards.insert(format, card);
        connect(card, &QAbstractButton::clicked, this, [this, format] { pickFormat(format); });
        card->installEventFilter(this);
        ++index;
    }
    stepColumn->addWidget(m_formatGrid);
    m_details = new NewProjectDetailsForm;
    stepColumn->addWidget(m_details);
    stepColumn->addStretch(1);
    content->addWidget(m_scroll, 1);
    content->addWidget(new HairlineDivider);

    auto* footer = new QHBoxLayout;
    footer->setContentsMargins(24, 16, 24, 16);
    m_back = new GhostButton(u"Back"_s, Palette::textPrimary());
    footer->addWidget(m_back, 0, Qt::AlignVCenter);
    footer->addStretch(1);
    m_create = new PrimaryButton(u"Create Production"_s, true);
    footer->addWidget(m_create, 0, Qt::AlignVCenter);
    m_tip = new TextLabel(u"Tip: a 4-hour epic is just a feature with more acts. Start anywhere."_s, Theme::font(type::small),
                          Palette::textTertiary());
    footer->addWidget(m_tip, 0, Qt::AlignVCenter);
    content->addLayout(footer);

    connect(m_close, &QAbstractButton::clicked, this, &SheetDialog::reject);
    connect(m_back, &QAbstractButton::clicked, this, &NewProjectSheet::goBack);
    connect(m_create, &QAbstractButton::clicked, this, [this] { createProduction(); });
    connect(m_details, &NewProjectDetailsForm::submitted, this, [this] { createProduction(); });
    connect(m_details, &NewProjectDetailsForm::nameEdited, this, [this](const QString& name) {
        m_draft.name = name;
    });
    connect(m_details, &NewProjectDetailsForm::genreToggled, this, [this](Genre genre) {
        m_draft.toggleGenre(genre);
        display();
    });
    connect(m_details, &NewProjectDetailsForm::runtimeEdited, this, [this](double minutes) {
        m_draft.setRuntime(minutes);
        display();
    });
    connect(m_details, &NewProjectDetailsForm::episodesEdited, this, [this](double count) {
        m_draft.setEpisodeCount(count);
        display();
    });

    // However the sheet ends (Create, Close, Esc, the window going away),
    // the request that showed it is over.
    const QPointer<AppState> app_(&m_app);
    connect(this, &SheetDialog::finished, this, [this, app_] {
        m_finished = true;
        openSheets().removeAll(this);
        if (app_)
            app_->setShowingNewProject(false);
    });
    display();
}

NewProjectSheet::~NewProjectSheet()
{
    openSheets().removeAll(this);
}

NewProjectSheet* NewProjectSheet::openFor(const AppState& app)
{
    for (NewProjectSheet* sheet : openSheets()) {
        if (&sheet->m_app == &app && !sheet->m_finished)
            return sheet;
    }
    return nullptr;
}

void NewProjectSheet::pickFormat(ProjectFormat format)
{
    m_draft.pickFormat(format);
    display();
    fadeIn();
}

void NewProjectSheet::goBack()
{
    m_draft.back();
    display();
    fadeIn();
}

std::optional<Project> NewProjectSheet::createProduction()
{
    if (m_finished || m_draft.step != 1)
        return std::nullopt;
    // The store names a blank title "Untitled". A failed save is reported
    // by the store; the production opens all the same and its tab's autosave
    // tries again.
    const Project created = m_app.store().create(m_draft.name, m_draft.format, m_draft.episodes(), m_draft.genres,
                                                 m_draft.runtimeMinutes());
    // The sheet gives the keyboard back to the screen under it first, and
    // that screen hands it on to the workspace that opens in its place: a
    // sheet closing after would give it back to a control gone with its
    // screen.
    AppState& app = m_app;
    accept();
    app.openProject(created);
    return created;
}

bool NewProjectSheet::eventFilter(QObject* watched, QEvent* event)
{
    // The arrow keys walk the format grid as it is laid out: Down to the
    // card below, Right to the one beside it. A button alone would walk the
    // cards in list order, so Down from the first would go to its right.
    auto* card = qobject_cast<FormatCard*>(watched);
    if (card && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            const int across = card->layoutDirection() == Qt::RightToLeft ? -1 : 1;
            switch (key->key()) {
            case Qt::Key_Up:
                stepInGrid(card, -1, 0);
                return true;
            case Qt::Key_Down:
                stepInGrid(card, 1, 0);
                return true;
            case Qt::Key_Left:
                stepInGrid(card, 0, -across);
                return true;
            case Qt::Key_Right:
                stepInGrid(card, 0, across);
                return true;
            default:
                break;
            }
        }
    }
    return SheetDialog::eventFilter(watched, event);
}

void NewProjectSheet::stepInGrid(FormatCard* from, int rows, int columns)
{
    auto* grid = static_cast<QGridLayout*>(m_formatGrid->layout());
    const int index = grid->indexOf(from);
    if (index < 0)
        return;
    int row = 0;
    int column = 0;
    int rowSpan = 0;
    int columnSpan = 0;
    grid->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
    // At an edge of the grid the keyboard stays where it is.
    const QLayoutItem* next = grid->itemAtPosition(row + rows, column + columns);
    if (QWidget* card = next ? next->widget() : nullptr)
        card->setFocus(Qt::TabFocusReason);
}

void NewProjectSheet::display()
{
    const bool details = m_draft.step == 1;
    m_title->setText(m_draft.title());
    m_subtitle->setText(m_draft.subtitle());
    // Read out as the sheet's name; no title bar shows it.
    setWindowTitle(m_draft.title());
    for (auto it = m_formatCards.cbegin(); it != m_formatCards.cend(); ++it)
        it.value()->setSelected(m_draft.hasPickedFormat && m_draft.format == it.key());
    m_details->display(m_draft);
    // The step that comes takes the keyboard from the step that goes (and
    // from "Back"), and has it as the sheet opens: on the title, or on the
    // format picked before, else the first.
    QWidget* leaving = details ? m_formatGrid : m_details;
    QWidget* coming = details ? static_cast<QWidget*>(m_details) : m_formatGrid;
    coming->setVisible(true);
    if (m_draft.step != m_shownStep) {
        m_shownStep = m_draft.step;
        QWidget* first = details ? static_cast<QWidget*>(m_details->titleField()) : formatCard(m_draft.format);
        if (!details && !m_draft.hasPickedFormat)
            first = formatCard(allCases<ProjectFormat>().first());
        handOverFocus(leaving, first, true);
        handOverFocus(m_back, first);
    }
    leaving->setVisible(false);
    m_back->setVisible(details);
    m_create->setVisible(details);
    m_tip->setVisible(!details);
}

void NewProjectSheet::fadeIn()
{
    m_scroll->verticalScrollBar()->setValue(0);
    if (ReduceMotion::systemPrefersReducedMotion())
        return;
    QWidget* steps = m_scroll->widget();
    auto* effect = new QGraphicsOpacityEffect(steps);
    effect->setOpacity(0);
    steps->setGraphicsEffect(effect);
    if (!m_fade) {
        m_fade = new Spring(0.35, 0.85, this);
        connect(m_fade, &Spring::valueChanged, this, [this](qreal v) {
            if (auto* e = qobject_cast<QGraphicsOpacityEffect*>(m_scroll->widget()->graphicsEffect()))
                e->setOpacity(std::clamp<qreal>(v, 0, 1));
        });
        // The effect costs a repaint of everything under it; it goes once the step is in.
        connect(m_fade, &Spring::settled, this, [this] { m_scroll->widget()->setGraphicsEffect(nullptr); });
    }
    m_fade->jumpTo(0);
    m_fade->setTarget(1);
}

QString NewProjectSheet::title() const { return m_title->text(); }
QString NewProjectSheet::subtitle() const { return m_subtitle->text(); }
QAbstractButton* NewProjectSheet::closeButton() const { return m_close; }
QAbstractButton* NewProjectSheet::backButton() const { return m_back; }
QAbstractButton* NewProjectSheet::createButton() const { return m_create; }
bool NewProjectSheet::showsTip() const { return !m_tip->isHidden(); }

} // namespace studio
