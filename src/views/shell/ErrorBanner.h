#pragma once

// The strip under the workspace header that shows the error which ended the
// session's last assist, verbatim, until its close button clears it or the
// next assist starts. Hidden while the session holds no error (an empty
// error text still shows the strip).

#include <QWidget>

namespace studio {

class ProjectSession;
class SymbolButton;
class TextLabel;

class ErrorBanner : public QWidget {
    Q_OBJECT
public:
    explicit ErrorBanner(ProjectSession& session, QWidget* parent = nullptr);

    void refresh();
    QString message() const;
    SymbolButton* closeButton() const { return m_close; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ProjectSession& m_session;
    TextLabel* m_message;
    SymbolButton* m_close;
};

} // namespace studio
