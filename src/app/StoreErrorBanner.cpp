#include "app/StoreErrorBanner.h"

#include "design/style/Palette.h"

namespace studio {

StoreErrorBanner::StoreErrorBanner(QWidget* parent)
    : MessageBanner(parent)
{
    // Over the translucent backdrop the tint alone would vanish; a dark base
    // keeps the message readable.
    setBase(Palette::black(0.35));
    hide();
    connect(this, &MessageBanner::dismissed, this, [this] {
        m_failedSaves.clear();
        m_shown = QUuid();
    });
}

void StoreErrorBanner::showFailure(const QString& message, const QUuid& production)
{
    if (!production.isNull()) {
        m_failedSaves.removeIf([&](const auto& failed) { return failed.first == production; });
        m_failedSaves.append({production, message});
    }
    m_shown = production;
    showMessage(message);
}

void StoreErrorBanner::productionSaved(const QUuid& production)
{
    forget(production);
}

void StoreErrorBanner::productionTrashed(const QUuid& production)
{
    forget(production);
}

void StoreErrorBanner::forget(const QUuid& production)
{
    if (production.isNull())
        return;
    m_failedSaves.removeIf([&](const auto& failed) { return failed.first == production; });
    if (m_shown != production)
        return;
    if (m_failedSaves.isEmpty()) {
        m_shown = QUuid();
        hide();
        return;
    }
    const auto& [other, message] = m_failedSaves.constLast();
    m_shown = other;
    showMessage(message);
}

} // namespace studio
