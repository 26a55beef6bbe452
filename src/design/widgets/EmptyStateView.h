#pragma once

// Fills a pane that has nothing to show yet: a large light symbol, a title,
// an explanation (wrapped at 360 points, each line centred) and, only when
// both an action title and an action are given, a primary button that starts
// the first step. Centred in all the space offered, padded 40.

#include <QString>
#include <QWidget>

#include <functional>
#include <optional>

namespace studio {

class PrimaryButton;
class SymbolLabel;
class TextLabel;

class EmptyStateView : public QWidget {
    Q_OBJECT
public:
    EmptyStateView(const QString& icon, const QString& title, const QString& message,
                   const std::optional<QString>& actionTitle = std::nullopt,
                   std::function<void()> action = {}, QWidget* parent = nullptr);

    // The button, or nullptr while there is none.
    PrimaryButton* actionButton() const;

private:
    SymbolLabel* m_icon;
    TextLabel* m_title;
    TextLabel* m_message;
    PrimaryButton* m_button = nullptr;
};

} // namespace studio
