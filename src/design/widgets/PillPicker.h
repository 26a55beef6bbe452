#pragma once

// A segmented row of capsule buttons choosing one value. Options are
// (value, title) pairs of any type QVariant can hold and compare (enums,
// strings, ids); the selected pill is filled with the accent and its title
// set semibold in button ink. A click on another pill emits picked() with
// that option's index; setSelection() only shows a value (one matching no
// option leaves every pill unselected). Selection changes move on a spring.

#include <QList>
#include <QString>
#include <QVariant>
#include <QWidget>

#include <utility>

class QAbstractButton;

namespace studio {

class PillButton;

class PillPicker : public QWidget {
    Q_OBJECT
public:
    explicit PillPicker(QWidget* parent = nullptr);

    template <typename T>
    void setOptions(const QList<std::pair<T, QString>>& options)
    {
        QList<std::pair<QVariant, QString>> list;
        for (const auto& [value, title] : options)
            list.append({QVariant::fromValue(value), title});
        setVariantOptions(list);
    }
    void setVariantOptions(const QList<std::pair<QVariant, QString>>& options);

    template <typename T>
    void setSelection(const T& value)
    {
        setSelectedVariant(QVariant::fromValue(value));
    }
    void setSelectedVariant(const QVariant& value);
    // The selected option's index, or -1.
    int selectedIndex() const { return m_selected; }

    int count() const { return int(m_options.size()); }
    QVariant valueAt(int index) const;
    template <typename T>
    T value(int index) const
    {
        return valueAt(index).template value<T>();
    }
    QString titleAt(int index) const;
    // The button of option index (tests and accessibility).
    QAbstractButton* pill(int index) const;

Q_SIGNALS:
    // The user picked option index (a different one than shown).
    void picked(int index);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void select(int index);

    QList<std::pair<QVariant, QString>> m_options;
    QList<PillButton*> m_pills;
    int m_selected = -1;
};

} // namespace studio
