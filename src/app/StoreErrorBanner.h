#pragma once

// The window's banner for storage failures: the store's message ("Save
// failed: …", "Couldn't read …") with a close button. A new failure shows
// again even when its text repeats the last one.

#include <QWidget>

namespace studio {

class SymbolButton;
class TextLabel;

class StoreErrorBanner : public QWidget {
    Q_OBJECT
public:
    explicit StoreErrorBanner(QWidget* parent = nullptr);

    void showMessage(const QString& message);
    QString message() const;
    SymbolButton* closeButton() const { return m_close; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TextLabel* m_text;
    SymbolButton* m_close;
};

} // namespace studio
