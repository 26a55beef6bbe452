#pragma once

// The sheet of the studio: a window-modal, frameless dialog centred over the
// main window, drawn as a raised rounded card (its window cut to the card's
// shape). Esc dismisses it (reject()).
// Subclasses put their content into contentLayout().

#include <QDialog>

class QVBoxLayout;

namespace studio {

class SheetDialog : public QDialog {
    Q_OBJECT
public:
    // `window` is the window the sheet belongs to (its top-level is used).
    SheetDialog(QWidget* window, QSize size);

    QVBoxLayout* contentLayout() const { return m_content; }

    // Shows the sheet window-modally, centred over its window; returns at once.
    void present();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void centre();

    QVBoxLayout* m_content;
};

} // namespace studio
