#include "views/settings/UpdateSettingsPage.h"

#include "design/widgets/BusyIndicator.h"
#include "design/widgets/CardSurface.h"
#include "design/widgets/FieldLabel.h"
#include "design/focus/FocusHandOver.h"
#include "design/widgets/GhostButton.h"
#include "design/style/Palette.h"
#include "design/widgets/PrimaryButton.h"
#include "design/widgets/SectionHeader.h"
#include "design/widgets/SwitchToggle.h"
#include "design/widgets/SymbolLabel.h"
#include "design/widgets/TextLabel.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "services/Settings.h"
#include "services/UpdateService.h"
#include "state/AppState.h"
#include "views/settings/SettingsTextField.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QVBoxLayout>

namespace studio {

namespace {

using Kind = UpdatePhase::Kind;

// The dot before "Version … is available".
class Dot : public QWidget {
public:
    Dot(qreal side, const QColor& color, QWidget* parent = nullptr)
        : QWidget(parent)
        , m_color(color)
    {
        setFixedSize(int(side), int(side));
        setAttribute(Qt::WA_TranslucentBackground);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(m_color);
        p.drawEllipse(QRectF(rect()));
    }

private:
    QColor m_color;
};

TextLabel* quietText(const QString& text)
{
    return new TextLabel(text, Theme::font(type::body), Palette::textTertiary());
}

} // namespace

UpdateSettingsPage::UpdateSettingsPage(AppState& app, QWidget* parent)
    : QWidget(parent)
    , m_app(app)
    , m_version(new TextLabel(QString(), Theme::font(type::control, QFont::DemiBold), Palette::textPrimary()))
    , m_autoCheck(new SwitchToggle(QStringLiteral("Check automatically at launch")))
    , m_feed(new SettingsTextField(QStringLiteral("https://…/appcast.json")))
    , m_status(new QWidget)
    , m_statusLayout(new QHBoxLayout(m_status))
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(22, 22, 22, 22);
    column->setSpacing(18);

    column->addWidget(new SectionHeader(
        QStringLiteral("In-app updates"),
        QStringLiteral("New versions install in place and relaunch — never a duplicate app.")));

    auto* card = new CardSurface(12, Palette::surface());
    auto* cardRow = new QHBoxLayout(card);
    cardRow->setContentsMargins(13, 13, 13, 13);
    cardRow->addWidget(new TextLabel(QStringLiteral("Current version"), Theme::font(type::control), Palette::textSecondary()));
    cardRow->addStretch(1);
    m_version->setAlignment(Qt::AlignRight);
    cardRow->addWidget(m_version);
    column->addWidget(card);

    // A switch is as wide as its label and knob, on the leading side.
    column->addWidget(m_autoCheck, 0, Qt::AlignLeft);

    auto* feed = new QVBoxLayout;
    feed->setSpacing(6);
    feed->addWidget(new FieldLabel(QStringLiteral("Update feed")));
    feed->addWidget(m_feed);
    m_feed->lineEdit()->setAccessibleName(QStringLiteral("Update feed"));
    column->addLayout(feed);

    m_statusLayout->setContentsMargins(0, 0, 0, 0);
    m_statusLayout->setSpacing(12);
    column->addWidget(m_status);
    column->addStretch(1);

    connect(m_autoCheck, &QAbstractButton::clicked, this,
            [](bool on) { Settings::instance().setBool(Settings::autoCheckUpdatesKey, on); });
    connect(m_feed, &SettingsTextField::textEdited, this,
            [](const QString& text) { Settings::instance().setString(Settings::updateFeedURLKey, text); });
    connect(&m_app.updates(), &UpdateService::phaseChanged, this, &UpdateSettingsPage::refreshStatus);

    load();
    buildStatus(m_app.updates().phase());
}

void UpdateSettingsPage::load()
{
    const Settings& settings = Settings::instance();
    m_version->setText(m_app.updates().currentVersion());
    m_autoCheck->setChecked(settings.boolOrTrue(Settings::autoCheckUpdatesKey));
    m_feed->setText(settings.string(Settings::updateFeedURLKey).value_or(UpdateService::defaultFeedURL));
}

QString UpdateSettingsPage::versionText() const
{
    return m_version->text();
}

void UpdateSettingsPage::refreshStatus()
{
    const UpdatePhase& phase = m_app.updates().phase();
    // The download bar moves in place; anything else is a new row.
    if (phase.kind == Kind::downloading && m_shown.kind == Kind::downloading && m_progress) {
        m_progress->setValue(int(std::clamp(phase.progress, 0.0, 1.0) * 1000));
        m_shown = phase;
        return;
    }
    if (phase == m_shown)
        return;
    buildStatus(phase);
}

void UpdateSettingsPage::clearStatus()
{
    m_progress = nullptr;
    while (QLayoutItem* item = m_statusLayout->takeAt(0)) {
        if (QWidget* w = item->widget()) {
            // A button of the old row may be what started this change: it
            // leaves the row now and is deleted once control has left it.
            w->hide();
            w->setParent(nullptr);
            w->deleteLater();
        }
        delete item;
    }
}

StyledButton* UpdateSettingsPage::addCheckButton(QHBoxLayout* row, StyledButton* button)
{
    row->addWidget(button, 0, Qt::AlignVCenter);
    connect(button, &QAbstractButton::clicked, this, [this] { m_app.updates().check(); });
    return button;
}

void UpdateSettingsPage::buildStatus(const UpdatePhase& phase)
{
    clearStatus();
    m_shown = phase;
    QHBoxLayout* row = m_statusLayout;
    switch (phase.kind) {
    case Kind::idle:
        addCheckButton(row, new PrimaryButton(QStringLiteral("Check for Updates")));
        break;
    case Kind::checking:
        row->addWidget(new BusyIndicator(14), 0, Qt::AlignVCenter);
        row->addWidget(quietText(QStringLiteral("Checking…")), 0, Qt::AlignVCenter);
        break;
    case Kind::upToDate:
        row->addWidget(new SymbolLabel(QStringLiteral("checkmark.circle.fill"), 12, Palette::success()), 0,
                       Qt::AlignVCenter);
        row->addWidget(new TextLabel(QStringLiteral("You're on the latest version."), Theme::font(type::control),
                                     Palette::textSecondary()),
                       0, Qt::AlignVCenter);
        addCheckButton(row, new GhostButton(QStringLiteral("Check Again"), Palette::textPrimary()));
        break;
    case Kind::available: {
        auto* card = new CardSurface(12, Palette::surfaceHigh());
        auto* cardColumn = new QVBoxLayout(card);
        cardColumn->setContentsMargins(13, 13, 13, 13);
        cardColumn->setSpacing(8);
        auto* title = new QHBoxLayout;
        title->setSpacing(6);
        title->addWidget(new Dot(6, Palette::gold()), 0, Qt::AlignVCenter);
        title->addWidget(new TextLabel(QStringLiteral("Version ") + phase.info.version + QStringLiteral(" is available"),
                                       Theme::font(type::subheadline, QFont::DemiBold), Palette::textPrimary()),
                         1, Qt::AlignVCenter);
        cardColumn->addLayout(title);
        auto* notes = new TextLabel(phase.info.notes, Theme::font(type::body), Palette::textSecondary());
        notes->setWordWrap(true);
        notes->setMaxLines(3);
        cardColumn->addWidget(notes);
        auto* install = new PrimaryButton(QStringLiteral("Download & Install"));
        cardColumn->addWidget(install, 0, Qt::AlignLeft);
        // The version shown in the card is the one installed, whatever the
        // phase says by the time of the click.
        const UpdateInfo info = phase.info;
        connect(install, &QAbstractButton::clicked, this, [this, info] { m_app.updates().downloadAndInstall(info); });
        row->addWidget(card, 1);
        break;
    }
    case Kind::downloading: {
        m_progress = new QProgressBar;
        m_progress->setRange(0, 1000);
        m_progress->setValue(int(std::clamp(phase.progress, 0.0, 1.0) * 1000));
        m_progress->setTextVisible(false);
        m_progress->setFixedSize(140, 6);
        row->addWidget(m_progress, 0, Qt::AlignVCenter);
        row->addWidget(quietText(QStringLiteral("Downloading…")), 0, Qt::AlignVCenter);
        break;
    }
    case Kind::installing:
        row->addWidget(new BusyIndicator(14), 0, Qt::AlignVCenter);
        row->addWidget(quietText(QStringLiteral("Installing — the app will relaunch.")), 0, Qt::AlignVCenter);
        break;
    case Kind::failed: {
        row->addWidget(new SymbolLabel(QStringLiteral("exclamationmark.triangle.fill"), 12, Palette::warn()), 0,
                       Qt::AlignVCenter);
        auto* message = new TextLabel(phase.message, Theme::font(type::body), Palette::textSecondary());
        message->setWordWrap(true);
        message->setMaxLines(2);
        // As wide as its text, so "Retry" follows it; a long message wraps
        // in the room the row has left.
        row->addWidget(message, 0, Qt::AlignVCenter);
        addCheckButton(row, new GhostButton(QStringLiteral("Retry"), Palette::textPrimary()));
        break;
    }
    }
    if (phase.kind != Kind::available)
        row->addStretch(1);
    // A button of the row that went with the keyboard left it resting on the
    // row; the row's button now takes it back, so Return goes on doing what
    // the user pressed (Check for Updates: Check Again, or Retry).
    const QList<StyledButton*> buttons = statusButtons();
    if (!buttons.isEmpty() && keyboardWithin(m_status)) {
        buttons.first()->show();
        buttons.first()->setFocus(Qt::OtherFocusReason);
    }
}

QList<StyledButton*> UpdateSettingsPage::statusButtons() const
{
    return m_status->findChildren<StyledButton*>();
}

QStringList UpdateSettingsPage::statusTexts() const
{
    QStringList texts;
    for (TextLabel* label : m_status->findChildren<TextLabel*>())
        texts.append(label->text());
    return texts;
}

} // namespace studio
