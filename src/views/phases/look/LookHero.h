#pragma once

// The top of the look screen: the chosen style with its art, name, blurb,
// keywords and engine notes, or, while no style (or an unknown one) is
// chosen, an invitation to pick one.

#include <QString>
#include <QStringList>
#include <QWidget>

#include <memory>

namespace studio {

class TextCapsule;

class CardSurface;
class FlowLayout;
class StyleHeroCard;
class TextLabel;
struct StylePreset;
template <typename Key, typename W>
class KeyedList;

class LookHero : public QWidget {
    Q_OBJECT
public:
    explicit LookHero(QWidget* parent = nullptr);
    ~LookHero() override;

    // Shows the preset, or the invitation for none.
    void display(const StylePreset* preset);

    // What is shown (tests): the preset's id, or empty for the invitation.
    QString shownStyleID() const { return m_shownID; }
    QStringList shownKeywords() const;

private:
    CardSurface* m_placeholder;
    StyleHeroCard* m_card;
    TextLabel* m_name;
    TextLabel* m_blurb;
    TextLabel* m_engineNotes;
    FlowLayout* m_keywordFlow;
    std::unique_ptr<KeyedList<QString, TextCapsule>> m_keywords;
    QString m_shownID;
};

} // namespace studio
