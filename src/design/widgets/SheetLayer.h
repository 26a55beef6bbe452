#pragma once

// The layer over a window on which its sheets stand (SheetDialog.h): a
// clear widget as large as the window, above everything else in it, shown
// only while a sheet stands on it. It keeps the sheets modal to the window:
//
// - The pointer reaches only the sheet on top: the layer covers the rest of
//   the window (the menu bar and the tab strip included) and takes every
//   press, wheel turn and context-menu request that falls beside the sheet.
// - The keyboard stays in the sheet on top: keys, input-method text and
//   presses sent to any other widget of the window go nowhere, no shortcut or
//   mnemonic outside the sheet fires, a menu that was up closes as the sheet
//   comes, and should the focus land outside the sheet (the menu bar taking
//   it for Alt, a control given it by the program) it comes back into the
//   sheet.
// - The sheets follow the window as it is resized.
//
// The layer is made for a window the first time a sheet is presented in it,
// and lives as long as the window.

#include <QList>
#include <QPointer>
#include <QWidget>

namespace studio {

class SheetDialog;

class SheetLayer : public QWidget {
    Q_OBJECT
public:
    // The layer of `window` (a top-level widget), made on first use.
    static SheetLayer* of(QWidget* window);
    // The layer of `window` if one was made; null otherwise.
    static SheetLayer* existing(const QWidget* window);
    ~SheetLayer() override;

    // The sheets standing on the layer, the lowest first; the one on top,
    // which takes the input; the one under `sheet`.
    QList<SheetDialog*> sheets() const;
    SheetDialog* top() const;
    SheetDialog* below(const SheetDialog* sheet) const;

    // Whether input sent to `receiver` (a widget, an action, a shortcut)
    // goes nowhere while a sheet stands: it belongs to the window, outside
    // the sheet on top.
    bool blocks(const QObject* receiver) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    friend class SheetDialog;
    explicit SheetLayer(QWidget* window);

    // A sheet comes to stand on the layer, on top; a sheet leaves it (it
    // blocks nothing from then on, while it still shows); the layer hides
    // once no sheet stands on it.
    void add(SheetDialog* sheet);
    void remove(SheetDialog* sheet);
    void hideWhenEmpty();
    // As large as the window, with every sheet placed in it.
    void fit();
    // Whether `widget` belongs to the layer's window (menus opened from it
    // included).
    bool ofWindow(const QWidget* widget) const;
    // Brings the keyboard that landed on `outside` back into the top sheet.
    void bringKeyboardBack(Qt::FocusReason reason);

    QPointer<QWidget> m_window;
    QList<QPointer<SheetDialog>> m_sheets;
    bool m_bringingBack = false;
};

} // namespace studio
