#pragma once

// The second step of the new-production sheet: title, genre chips, target
// runtime, the episode count of season one (episodic formats only) and a
// read-only preview of the story structure the format brings. It reports the
// user's edits; display() draws a draft without reporting anything.

#include "model/Enums.h"

#include <QHash>
#include <QWidget>

namespace studio {

class Chip;
class FieldLabel;
class FlowLayout;
class Slider;
class SleekTextField;
class TextLabel;
namespace rules {
struct NewProjectDraft;
}

class NewProjectDetailsForm : public QWidget {
    Q_OBJECT
public:
    explicit NewProjectDetailsForm(QWidget* parent = nullptr);

    void display(const rules::NewProjectDraft& draft);

    SleekTextField* titleField() const { return m_title; }
    Chip* genreChip(Genre genre) const { return m_chips.value(genre); }
    Slider* runtimeSlider() const { return m_runtime; }
    Slider* episodeSlider() const { return m_episodes; }
    QString runtimeCaption() const;
    QString runtimeText() const;
    bool showsEpisodes() const;
    QString episodesCaption() const;
    QString episodesText() const;
    QString seasonTotal() const;
    QString structureLabel() const;
    QString structureBlurb() const;
    QStringList structurePills() const;

Q_SIGNALS:
    void nameEdited(const QString& name);
    void genreToggled(Genre genre);
    void runtimeEdited(double minutes);
    void episodesEdited(double count);
    // Return in the title: the form is done.
    void submitted();

private:
    SleekTextField* m_title;
    QHash<Genre, Chip*> m_chips;
    FieldLabel* m_runtimeCaption;
    Slider* m_runtime;
    TextLabel* m_runtimeValue;
    QWidget* m_episodeBlock;
    FieldLabel* m_episodesCaption;
    Slider* m_episodes;
    TextLabel* m_episodesValue;
    TextLabel* m_seasonTotal;
    TextLabel* m_structureLabel;
    TextLabel* m_structureBlurb;
    QWidget* m_pillBox;
    FlowLayout* m_pills;
    StructureKind m_shownStructure;
    bool m_structureShown = false;
};

} // namespace studio
