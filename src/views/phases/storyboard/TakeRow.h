#pragma once

// One rendered take in the shot inspector: its frame, its note and the seal
// that shows whether it is the approved take. The whole row is the approve
// button: a click, Space or Return approves the take, or takes the approval
// back.

#include <QAbstractButton>

namespace studio {

class TextLabel;

class TakeRow : public QAbstractButton {
    Q_OBJECT
public:
    explicit TakeRow(QWidget* parent = nullptr);

    void setContent(const QString& seed, const QString& note, bool approved);
    bool isApproved() const { return m_approved; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QString m_seed;
    bool m_approved = false;
    TextLabel* m_note;
};

} // namespace studio
