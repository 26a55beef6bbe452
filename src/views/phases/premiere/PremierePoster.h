#pragma once

// The one-sheet of the Premiere screen: the poster art drawn from the
// production's poster seed with a dark fade at the bottom, the name in
// capitals and the genre line over it, and under it the "One-sheet" strip
// with "New poster", which asks for a fresh seed (newPosterRequested); the
// screen writes it through the edit door.

#include <QList>
#include <QPixmap>
#include <QString>
#include <QWidget>

#include "model/Enums.h"

class QAbstractButton;

namespace studio {

class TextLabel;

class PremierePoster : public QWidget {
    Q_OBJECT
public:
    explicit PremierePoster(QWidget* parent = nullptr);

    void setPoster(const QString& name, const QList<Genre>& genres, const QString& seed);

    QString seed() const { return m_seed; }
    QAbstractButton* newPosterButton() const { return m_newPoster; }

Q_SIGNALS:
    void newPosterRequested();

private:
    class Art;
    Art* m_art;
    TextLabel* m_title;
    TextLabel* m_genres;
    QAbstractButton* m_newPoster;
    QString m_seed;
};

} // namespace studio
