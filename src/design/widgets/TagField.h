#pragma once

// An editable cloud of short tags (mood words and the like): one capsule per
// tag with a remove button, then a 150-point draft field, which a click
// anywhere on the field gives the keyboard. Return commits the
// draft: trimmed, appended when not empty and not already present, and the
// draft is cleared either way. Leaving the draft commits it too (Tab, a
// click elsewhere, another window, the screen going, the field hidden or
// deleted), so what was typed is never lost; the draft's own context menu
// and a sheet that opens by itself, taking the keyboard mid-word until it
// gives it back, leave it being typed. Removing
// a tag removes every equal tag. Tags compare whole and case-sensitively,
// canonically equivalent Unicode counting as equal. tagsEdited() reports the
// user's changes; setTags() is silent. A tag removed from the keyboard leaves
// it resting on the field (a tag has no stop but its remove button), Tab
// going on to the next tag.

#include <QStringList>
#include <QWidget>

#include <memory>

class QLineEdit;

namespace studio {

class FlowLayout;
class TagCapsule;
template <typename Key, typename W>
class KeyedList;

class TagField : public QWidget {
    Q_OBJECT
public:
    explicit TagField(const QString& placeholder, QWidget* parent = nullptr);
    ~TagField() override;

    QStringList tags() const { return m_tags; }
    void setTags(const QStringList& tags);
    QLineEdit* draftEdit() const { return m_draft; }
    // Commits the draft as leaving the field does (what quitting does to
    // every field, whether or not it holds the keyboard).
    void commitDraft() { commit(); }

    // The rules on their own.
    static bool sameTag(const QString& a, const QString& b);
    // The list after committing draft (unchanged for a blank draft or a tag
    // already present).
    static QStringList committed(const QStringList& tags, const QString& draft);
    static QStringList removing(const QStringList& tags, const QString& tag);

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;

Q_SIGNALS:
    void tagsEdited(const QStringList& tags);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void commit();
    // Whether a widget around the field is being destroyed: whatever handles
    // tagsEdited() there is going too.
    bool aroundBeingDestroyed() const;
    void remove(const QString& tag);
    void rebuild();

    QStringList m_tags;
    FlowLayout* m_flow;
    QLineEdit* m_draft;
    std::unique_ptr<KeyedList<QString, TagCapsule>> m_capsules;
    // The draft waits, as typed, for the keyboard that a sheet opening by
    // itself took from it.
    bool m_awaitingKeyboardBack = false;
};

} // namespace studio
