#include "design/ScrollColumn.h"

#include <QVBoxLayout>

namespace studio {

ScrollColumn::ScrollColumn(QWidget* parent)
    : QScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setAutoFillBackground(false);
    auto* content = new QWidget;
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    setContent(content);
}

QVBoxLayout* ScrollColumn::column() const
{
    return widget() ? qobject_cast<QVBoxLayout*>(widget()->layout()) : nullptr;
}

void ScrollColumn::setContent(QWidget* content)
{
    setWidget(content);
    // setWidget() turns the background on; the page shows what lies behind.
    content->setAutoFillBackground(false);
    content->setAttribute(Qt::WA_TranslucentBackground);
}

} // namespace studio
