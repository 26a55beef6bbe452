#pragma once

// The look screen's director's lens section: a header with "Clear lens"
// while a lens is stored, a sideways strip of every lens in catalog order,
// and, when the stored lens is one of them, its movement, light and editing
// doctrine side by side. The section shows what it is given and reports the
// user's clicks.

#include <QString>
#include <QStringList>
#include <QWidget>

#include <memory>
#include <optional>

namespace studio {

class DoctrineCard;
class GhostButton;
class HorizontalStrip;
class LensCard;
template <typename Key, typename W>
class KeyedList;

class LensSection : public QWidget {
    Q_OBJECT
public:
    explicit LensSection(QWidget* parent = nullptr);
    ~LensSection() override;

    // Shows the stored lens id; with a spring response (seconds), the cards
    // ease into their new state (the user just changed it).
    void display(const std::optional<QString>& lensID, std::optional<qreal> springResponse);

    GhostButton* clearButton() const { return m_clear; }
    LensCard* card(const QString& lensID) const;
    bool showsDoctrine() const;
    // The doctrine texts shown, in order (tests).
    QStringList doctrineTexts() const;

Q_SIGNALS:
    void lensClicked(const QString& lensID);
    void clearClicked();

private:
    GhostButton* m_clear;
    HorizontalStrip* m_strip;
    std::unique_ptr<KeyedList<QString, LensCard>> m_cards;
    QWidget* m_doctrineRow;
    DoctrineCard* m_movement;
    DoctrineCard* m_light;
    DoctrineCard* m_editing;
};

} // namespace studio
