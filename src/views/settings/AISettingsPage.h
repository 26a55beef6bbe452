#pragma once

// The AI tab of the settings window: the API key, base URL and model of the
// chat-completions client, each written on every keystroke, and the
// connection test with its answer.

#include <QCoro/QCoroTask>
#include <QPointer>
#include <QWidget>
#include <optional>

namespace studio {

class BusyIndicator;
class PrimaryButton;
class SettingsTextField;
class SymbolLabel;
class TextLabel;

class AISettingsPage : public QWidget {
    Q_OBJECT
public:
    explicit AISettingsPage(QWidget* parent = nullptr);

    // Reads the three settings into the fields.
    void load();
    // Forgets the last answer and any test still running (the window closed):
    // a late answer is not shown.
    void reset();

    bool isTesting() const { return m_testing; }
    const std::optional<QString>& status() const { return m_status; }
    // Whether the shown answer counts as a success (it begins "Connected").
    static bool isSuccess(const QString& status);

    SettingsTextField* keyField() const { return m_key; }
    SettingsTextField* baseURLField() const { return m_baseURL; }
    SettingsTextField* modelField() const { return m_model; }
    PrimaryButton* testButton() const { return m_test; }
    SymbolLabel* statusSymbol() const { return m_statusSymbol; }
    TextLabel* statusLabel() const { return m_statusText; }

Q_SIGNALS:
    // A connection test ended and its answer is shown.
    void testFinished();

private:
    void startTest();
    static QCoro::Task<void> runTest(QPointer<AISettingsPage> self, int generation);
    void finishTest(const QString& answer);
    void setTesting(bool testing);
    void setStatus(const std::optional<QString>& status);

    SettingsTextField* m_key;
    SettingsTextField* m_baseURL;
    SettingsTextField* m_model;
    PrimaryButton* m_test;
    BusyIndicator* m_spinner;
    QWidget* m_statusRow;
    SymbolLabel* m_statusSymbol;
    TextLabel* m_statusText;
    bool m_testing = false;
    std::optional<QString> m_status;
    int m_generation = 0;
};

} // namespace studio
