#include "services/Settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace studio {

Settings& Settings::instance()
{
    static Settings* settings = [] {
        auto* s = new Settings(QCoreApplication::instance());
        return s;
    }();
    return *settings;
}

Settings::Settings(QObject* parent)
    : QObject(parent),
      m_settings(new QSettings(QSettings::IniFormat, QSettings::UserScope,
                               QStringLiteral("Palisademotion"), QStringLiteral("Palisademotion"), this))
{
    makePrivate();
}

void Settings::makePrivate() const
{
    // Create the file private before the first write: later atomic rewrites
    // keep the permissions of the file they replace.
    const QString path = m_settings->fileName();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.exists()) {
        if (file.open(QIODevice::WriteOnly))
            file.close();
    }
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

std::optional<QVariant> Settings::value(const QString& key) const
{
    if (!m_settings->contains(key))
        return std::nullopt;
    return m_settings->value(key);
}

std::optional<QString> Settings::string(const QString& key) const
{
    const auto v = value(key);
    if (!v)
        return std::nullopt;
    if (v->typeId() == QMetaType::QString)
        return v->toString();
    if (v->typeId() == QMetaType::QByteArray)
        return QString::fromUtf8(v->toByteArray());
    return std::nullopt;
}

bool Settings::isStoredFalse(const QString& key) const
{
    const auto v = value(key);
    if (!v)
        return false;
    if (v->typeId() == QMetaType::Bool)
        return !v->toBool();
    // The INI file keeps booleans as the words "true" and "false".
    return v->typeId() == QMetaType::QString && v->toString() == QLatin1String("false");
}

void Settings::setString(const QString& key, const QString& value)
{
    write(key, value);
}

void Settings::setBool(const QString& key, bool value)
{
    write(key, value);
}

void Settings::remove(const QString& key)
{
    if (!m_settings->contains(key))
        return;
    m_settings->remove(key);
    m_settings->sync();
    makePrivate();
    Q_EMIT changed(key);
}

void Settings::write(const QString& key, const QVariant& value)
{
    const bool same = m_settings->contains(key) && m_settings->value(key) == value;
    m_settings->setValue(key, value);
    m_settings->sync();
    makePrivate();
    if (!same)
        Q_EMIT changed(key);
}

} // namespace studio
