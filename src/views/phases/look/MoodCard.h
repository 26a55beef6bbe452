#pragma once

// The look screen's mood and colour settings: mood words, the accent
// swatches, the three image dials and the director's notes. The card shows a
// look and reports the user's edits; the screen writes them.

#include "model/Look.h"
#include "views/phases/look/LookOption.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace studio {

class LabeledSlider;
class SleekTextEditor;
class TagField;

// One accent colour: a circle in the colour its string names, ringed in
// white while chosen.
class AccentSwatch : public LookOption {
    Q_OBJECT
public:
    explicit AccentSwatch(const QString& hex, QWidget* parent = nullptr);

    QString hex() const { return m_hex; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_hex;
    QColor m_color;
};

class MoodCard : public QWidget {
    Q_OBJECT
public:
    explicit MoodCard(QWidget* parent = nullptr);

    void display(const LookSpec& look);

    TagField* moodWords() const { return m_moodWords; }
    const QList<AccentSwatch*>& swatches() const { return m_swatches; }
    LabeledSlider* contrastSlider() const { return m_contrast; }
    SleekTextEditor* notesEditor() const { return m_notes; }

Q_SIGNALS:
    void moodWordsEdited(const QStringList& words);
    void accentPicked(const QString& hex);
    void grainEdited(double value);
    void temperatureEdited(double value);
    void contrastEdited(double value);
    void notesEdited(const QString& notes);

private:
    TagField* m_moodWords;
    QList<AccentSwatch*> m_swatches;
    LabeledSlider* m_grain;
    LabeledSlider* m_temperature;
    LabeledSlider* m_contrast;
    SleekTextEditor* m_notes;
};

} // namespace studio
