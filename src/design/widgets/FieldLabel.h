#pragma once

// The small caption above a form field: its text in capitals (locale-
// independent upper-casing), medium 9.5, letter spacing 0.9, tertiary text.

#include "design/widgets/TextLabel.h"

namespace studio {

class FieldLabel : public TextLabel {
    Q_OBJECT
public:
    explicit FieldLabel(const QString& text = QString(), QWidget* parent = nullptr);

    // The caption as given (before upper-casing).
    QString caption() const { return m_caption; }
    void setCaption(const QString& text);

private:
    QString m_caption;
};

} // namespace studio
