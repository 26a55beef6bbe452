#pragma once

// A card or panel title (bold 15, primary text) with an optional subtitle
// under it (regular 11, tertiary text). No padding of its own.

#include <QString>
#include <QWidget>
#include <optional>

namespace studio {

class TextLabel;

class SectionHeader : public QWidget {
    Q_OBJECT
public:
    SectionHeader(const QString& title, const std::optional<QString>& subtitle = std::nullopt,
                  QWidget* parent = nullptr);

    std::optional<QString> subtitle() const { return m_subtitle; }
    void setSubtitle(const std::optional<QString>& subtitle);

    TextLabel* subtitleLabel() const { return m_subtitleLabel; }

private:
    TextLabel* m_title;
    TextLabel* m_subtitleLabel;
    std::optional<QString> m_subtitle;
};

} // namespace studio
