#pragma once

#include <QImage>
#include <QString>

class QWidget;
class QImage;

namespace studio::test {

// The folder named by SCREENSHOT_DIR, or empty when screenshots are off.
QString screenshotDir();

// Renders the widget offscreen and writes <SCREENSHOT_DIR>/<name>.png at
// twice its logical size. Does nothing when SCREENSHOT_DIR is unset; returns
// the file written, or an empty string.
QString writeScreenshot(QWidget* widget, const QString& name);
QString writeImage(const QImage& image, const QString& name);

// For QTRY_VERIFY before a picture: true once the widget looks as it did at
// the previous call, when the layouts and deferred work that a change sets
// off have run their course.
class SettledPicture {
public:
    explicit SettledPicture(QWidget* widget);
    bool operator()();

private:
    QWidget* m_widget;
    QImage m_last;
};

} // namespace studio::test
