#pragma once

// A short text on a faint capsule, sized to the text: the act titles of a
// structure preview, the keywords of a style. A reader reads it as static
// text.

#include "design/AccessibleFactory.h"

#include <QString>
#include <QWidget>

namespace studio {

class TextCapsule : public QWidget, public AccessibleSource {
public:
    explicit TextCapsule(const QString& text, QWidget* parent = nullptr);

    QString text() const { return m_text; }

protected:
    QAccessibleInterface* accessibleFor(QObject* object) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_text;
};

} // namespace studio
