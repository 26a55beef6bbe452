#pragma once

// The application style: the platform style with mnemonic underlines (the
// "F" of "File") shown only while Alt is held, as desktop applications do.
// The style watches the keyboard through an application-wide event filter
// and repaints the menu bars and open menus when the state changes.

#include <QProxyStyle>

namespace studio {

class MnemonicStyle : public QProxyStyle {
    Q_OBJECT
public:
    // Takes ownership of base (the platform style when null).
    explicit MnemonicStyle(QStyle* base = nullptr);

    bool altHeld() const { return m_altHeld; }
    void setAltHeld(bool held);

    int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;

    // Install with QCoreApplication::installEventFilter.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool m_altHeld = false;
};

} // namespace studio
