#pragma once

// The Look phase: the production's visual identity. One scrolling page with
// the chosen style, the style library, the director's lenses, and the frame,
// mood and colour settings. Every control writes into the production's look
// at once, one edit per user action.
//
// The gallery's category is the screen's own state: it starts on Live
// Action, or on the category of the stored style, and moves to that
// category again each time the screen appears. A style stored later (a card click, the look recommendation)
// leaves the gallery where it is.

#include "model/Look.h"
#include "views/phases/PhaseScreen.h"

#include <functional>
#include <optional>

namespace studio {

class CinematographyCard;
class LensSection;
class LookHero;
class MoodCard;
class ScrollColumn;
class StyleGallery;

class LookView : public PhaseScreen {
    Q_OBJECT
public:
    explicit LookView(ScreenSession screenSession, QWidget* parent = nullptr);

    StyleCategory category() const { return m_category; }

    // Forgets what every Look screen keeps drawn of the catalogs (the style
    // library's art, the lens strip), as at the program's start.
    static void forgetDrawings();

    ScrollColumn* page() const { return m_page; }
    LookHero* hero() const { return m_hero; }
    StyleGallery* gallery() const { return m_gallery; }
    LensSection* lensSection() const { return m_lens; }
    CinematographyCard* cinematographyCard() const { return m_cinematography; }
    MoodCard* moodCard() const { return m_mood; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void refresh() override;
    void setCategory(StyleCategory category);
    // The gallery opens on the stored style's category, if it names a preset.
    void syncCategory();
    // One user action on the look. The style and lens choices ease in on a
    // spring of the given response (seconds).
    void editLook(const std::function<void(Project&)>& change, std::optional<qreal> springResponse = std::nullopt);

    ScrollColumn* m_page;
    LookHero* m_hero;
    StyleGallery* m_gallery;
    LensSection* m_lens;
    CinematographyCard* m_cinematography;
    MoodCard* m_mood;
    StyleCategory m_category = StyleCategory::liveAction;
    std::optional<LookSpec> m_shown;
    std::optional<qreal> m_spring; // while a user's choice is being shown
};

} // namespace studio
