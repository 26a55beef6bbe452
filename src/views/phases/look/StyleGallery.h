#pragma once

// The look screen's style library: a header with the size of the catalog
// and the category picker, over a grid of the shown category's presets.
// The category belongs to the screen (it is never stored); the gallery
// shows what it is given and reports the user's picks.

#include "model/Look.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <memory>
#include <optional>

namespace studio {

class PillPicker;
class StyleCard;
template <typename Key, typename W>
class KeyedList;

class StyleGallery : public QWidget {
    Q_OBJECT
public:
    explicit StyleGallery(QWidget* parent = nullptr);
    ~StyleGallery() override;

    // Shows the category's presets with the stored style's card selected
    // (animated: the user just chose it).
    void display(StyleCategory category, const std::optional<QString>& styleID, bool animated);

    PillPicker* categoryPicker() const { return m_picker; }
    QStringList shownStyleIDs() const;
    StyleCard* card(const QString& styleID) const;

Q_SIGNALS:
    void categoryPicked(StyleCategory category);
    void styleChosen(const QString& styleID);

private:
    PillPicker* m_picker;
    std::unique_ptr<KeyedList<QString, StyleCard>> m_cards;
};

} // namespace studio
