#pragma once

// The story pulse: every beat's charge in story order as a gold line over a
// faint baseline, one dot per beat coloured by its state. Draws nothing for
// fewer than two charges. The charges are plotted as they are (a charge
// beyond ±1 lies beyond the edges).

#include <QList>
#include <QWidget>

namespace studio {

class PulseLine : public QWidget {
    Q_OBJECT
public:
    explicit PulseLine(QWidget* parent = nullptr);

    QList<double> charges() const { return m_charges; }
    // Repaints only when the charges differ from those shown.
    void setCharges(const QList<double>& charges);

    QSize sizeHint() const override { return QSize(150, 24); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QList<double> m_charges;
};

} // namespace studio
