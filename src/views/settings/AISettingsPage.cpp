#include "views/settings/AISettingsPage.h"

#include "design/widgets/BusyIndicator.h"
#include "design/widgets/FieldLabel.h"
#include "design/style/Palette.h"
#include "design/widgets/PrimaryButton.h"
#include "design/widgets/SectionHeader.h"
#include "design/widgets/SymbolLabel.h"
#include "design/widgets/TextLabel.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "services/AIError.h"
#include "services/AIService.h"
#include "services/Settings.h"
#include "views/settings/SettingsTextField.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace studio {

namespace {

QVBoxLayout* labelled(const QString& caption, SettingsTextField* field)
{
    auto* column = new QVBoxLayout;
    column->setSpacing(6);
    column->addWidget(new FieldLabel(caption));
    column->addWidget(field);
    // The label above is a painting of its own; the field that takes the
    // keyboard carries its words.
    field->lineEdit()->setAccessibleName(caption);
    return column;
}

QString settingOr(const QString& key, const QString& fallback)
{
    return Settings::instance().string(key).value_or(fallback);
}

} // namespace

AISettingsPage::AISettingsPage(QWidget* parent)
    : QWidget(parent)
    , m_key(new SettingsTextField(QStringLiteral("sk-…")))
    , m_baseURL(new SettingsTextField(AIService::defaultBaseURL()))
    , m_model(new SettingsTextField(AIService::defaultModel()))
    , m_test(new PrimaryButton(QStringLiteral("Test Connection")))
    , m_spinner(new BusyIndicator(14))
    , m_statusRow(new QWidget)
    , m_statusSymbol(new SymbolLabel(QStringLiteral("checkmark.circle.fill"), 11, Palette::success()))
    , m_statusText(new TextLabel(QString(), Theme::font(type::body), Palette::textSecondary()))
{
    m_key->setSecret(true);
    m_model->setFixedWidth(160);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(22, 22, 22, 22);
    column->setSpacing(16);

    column->addWidget(new SectionHeader(
        QStringLiteral("Assist engine"),
        QStringLiteral("Kimi powers every Assist action — loglines, beats, characters, scripts, shot lists, press kits.")));
    column->addLayout(labelled(QStringLiteral("API key"), m_key));

    auto* endpoint = new QHBoxLayout;
    endpoint->setSpacing(10);
    endpoint->addLayout(labelled(QStringLiteral("Base URL"), m_baseURL), 1);
    endpoint->addLayout(labelled(QStringLiteral("Model"), m_model), 0);
    column->addLayout(endpoint);

    auto* statusRow = new QHBoxLayout(m_statusRow);
    statusRow->setContentsMargins(0, 0, 0, 0);
    statusRow->setSpacing(6);
    statusRow->addWidget(m_statusSymbol, 0, Qt::AlignVCenter);
    m_statusText->setWordWrap(true);
    m_statusText->setMaxLines(2);
    statusRow->addWidget(m_statusText, 1, Qt::AlignVCenter);

    auto* testRow = new QHBoxLayout;
    testRow->setSpacing(10);
    testRow->addWidget(m_test, 0, Qt::AlignVCenter);
    testRow->addWidget(m_spinner, 0, Qt::AlignVCenter);
    testRow->addWidget(m_statusRow, 1, Qt::AlignVCenter);
    testRow->addStretch(0);
    column->addLayout(testRow);

    auto* note = new TextLabel(
        QStringLiteral("Assist is additive by design: it fills blanks and proposes options — it never silently "
                       "replaces your words. The key is stored in this computer's user defaults; clear the field to "
                       "disable AI everywhere."),
        Theme::font(type::label), Palette::textTertiary());
    note->setWordWrap(true);
    column->addWidget(note);
    column->addStretch(1);

    connect(m_key, &SettingsTextField::textEdited, this,
            [](const QString& text) { Settings::instance().setString(Settings::aiAPIKeyKey, text); });
    connect(m_baseURL, &SettingsTextField::textEdited, this,
            [](const QString& text) { Settings::instance().setString(Settings::aiBaseURLKey, text); });
    connect(m_model, &SettingsTextField::textEdited, this,
            [](const QString& text) { Settings::instance().setString(Settings::aiModelKey, text); });
    connect(m_test, &QAbstractButton::clicked, this, &AISettingsPage::startTest);

    setTesting(false);
    setStatus(std::nullopt);
    load();
}

void AISettingsPage::load()
{
    m_key->setText(settingOr(Settings::aiAPIKeyKey, QString()));
    m_baseURL->setText(settingOr(Settings::aiBaseURLKey, AIService::defaultBaseURL()));
    m_model->setText(settingOr(Settings::aiModelKey, AIService::defaultModel()));
}

void AISettingsPage::reset()
{
    ++m_generation;
    setTesting(false);
    setStatus(std::nullopt);
}

bool AISettingsPage::isSuccess(const QString& status)
{
    return status.startsWith(QLatin1String("Connected"));
}

void AISettingsPage::startTest()
{
    if (m_testing)
        return;
    setTesting(true);
    setStatus(std::nullopt);
    runTest(QPointer<AISettingsPage>(this), ++m_generation);
}

QCoro::Task<void> AISettingsPage::runTest(QPointer<AISettingsPage> self, int generation)
{
    QString answer;
    try {
        answer = co_await AIService::shared().testConnection();
    } catch (...) {
        // The client promises not to throw; should it, the failure still reads
        // as one.
        answer = QStringLiteral("Failed: ") + describeError(std::current_exception());
    }
    // The window may have closed, or been closed and opened again, meanwhile.
    if (!self || self->m_generation != generation)
        co_return;
    self->finishTest(answer);
}

void AISettingsPage::finishTest(const QString& answer)
{
    setStatus(answer);
    setTesting(false);
    Q_EMIT testFinished();
}

void AISettingsPage::setTesting(bool testing)
{
    m_testing = testing;
    m_test->setText(testing ? QStringLiteral("Testing…") : QStringLiteral("Test Connection"));
    m_test->setEnabled(!testing);
    m_spinner->setVisible(testing);
}

void AISettingsPage::setStatus(const std::optional<QString>& status)
{
    m_status = status;
    m_statusRow->setVisible(status.has_value());
    if (!status)
        return;
    const bool ok = isSuccess(*status);
    m_statusSymbol->setName(ok ? QStringLiteral("checkmark.circle.fill") : QStringLiteral("exclamationmark.triangle.fill"));
    m_statusSymbol->setColor(ok ? Palette::success() : Palette::warn());
    m_statusText->setText(*status);
}

} // namespace studio
