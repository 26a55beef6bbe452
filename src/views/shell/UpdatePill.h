#pragma once

// "Update ready": the small gold capsule of the tab strip, shown while the
// updater offers a newer version. Clicking it opens the settings window,
// where the Updates tab offers the install.

#include <QAbstractButton>
#include <QFont>

namespace studio {

class UpdatePill : public QAbstractButton {
    Q_OBJECT
public:
    explicit UpdatePill(QWidget* parent = nullptr);

    static QString labelText() { return QStringLiteral("Update ready"); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QFont m_font;
};

} // namespace studio
