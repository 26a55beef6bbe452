#include "support/Screenshots.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QWidget>

namespace studio::test {

QString screenshotDir()
{
    return qEnvironmentVariable("SCREENSHOT_DIR");
}

QString writeImage(const QImage& image, const QString& name)
{
    const QString dir = screenshotDir();
    if (dir.isEmpty())
        return QString();
    QDir().mkpath(dir);
    const QString path = QDir(dir).filePath(name + QStringLiteral(".png"));
    return image.save(path) ? path : QString();
}

QString writeScreenshot(QWidget* widget, const QString& name)
{
    if (screenshotDir().isEmpty() || !widget)
        return QString();
    const qreal scale = 2.0;
    QImage image(widget->size() * scale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::black);
    QPainter painter(&image);
    widget->render(&painter);
    painter.end();
    return writeImage(image, name);
}

SettledPicture::SettledPicture(QWidget* widget)
    : m_widget(widget)
{
}

bool SettledPicture::operator()()
{
    QImage now = m_widget->grab().toImage();
    const bool same = now == m_last;
    m_last = std::move(now);
    return same;
}

} // namespace studio::test
