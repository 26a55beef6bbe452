// The platform finds an input method among its plugins by the name in
// QT_IM_MODULE; this one is a plugin linked into the test program.
#define QT_STATICPLUGIN

#include "support/CountingInputMethod.h"

#include <QGuiApplication>
#include <QtPlugin>

#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qplatforminputcontext.h>
#include <QtGui/qpa/qplatforminputcontextplugin_p.h>
#include <QtGui/qpa/qplatformintegration.h>

namespace studio::test {

namespace {

InputMethodRequests s_requests;

class Counting : public QPlatformInputContext {
public:
    bool isValid() const override { return true; }
    void commit() override { ++s_requests.commits; }
    void reset() override { ++s_requests.resets; }
};

} // namespace

} // namespace studio::test

class CountingInputMethodPlugin : public QPlatformInputContextPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QPlatformInputContextFactoryInterface_iid FILE "CountingInputMethod.json")
public:
    QPlatformInputContext* create(const QString& key, const QStringList&) override
    {
        return key == QLatin1String("studio-counting") ? new studio::test::Counting : nullptr;
    }
};

// Made by moc, below.
const QStaticPlugin qt_static_plugin_CountingInputMethodPlugin();

namespace studio::test {

void CountingInputMethod::use()
{
    qRegisterStaticPluginFunction(qt_static_plugin_CountingInputMethodPlugin());
    qputenv("QT_IM_MODULE", "studio-counting");
}

bool CountingInputMethod::installed()
{
    const QPlatformIntegration* platform = QGuiApplicationPrivate::platformIntegration();
    return platform && dynamic_cast<Counting*>(platform->inputContext());
}

InputMethodRequests CountingInputMethod::requests()
{
    return s_requests;
}

void CountingInputMethod::clear()
{
    s_requests = {};
}

} // namespace studio::test

#include "CountingInputMethod.moc"
