#pragma once

// The sheet of the studio: a window-modal, frameless dialog centred over the
// main window, drawn as a raised rounded card (its window cut to the card's
// shape). Esc dismisses it (reject()).
// It stands over the view that presents it, never over the bars above that
// view (the tab strip, the menu bar): where centring would cover them it
// moves down, and in a window too low for it, it grows no taller than the
// view (its content scrolls).
// Subclasses put their content into contentLayout().

#include <QDialog>
#include <QPointer>

class QVBoxLayout;

namespace studio {

class SheetDialog : public QDialog {
    Q_OBJECT
public:
    // `window` is the view that presents the sheet; the sheet belongs to its
    // top-level window.
    SheetDialog(QWidget* window, QSize size);

    QVBoxLayout* contentLayout() const { return m_content; }

    // Shows the sheet window-modally, centred over its window; returns at once.
    void present();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void place();

    QPointer<QWidget> m_presenter;
    QVBoxLayout* m_content;
};

} // namespace studio
