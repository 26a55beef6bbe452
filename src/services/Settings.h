#pragma once

// Typed access to the program's user settings. Values are read at the moment
// of use (nothing is cached), so a change made in the settings window takes
// effect with the next read. The settings file is private to its owner (0600):
// it may hold an API key.

#include <QObject>
#include <QString>
#include <QVariant>
#include <optional>

class QSettings;

namespace studio {

class Settings : public QObject {
    Q_OBJECT
public:
    // Keys of the settings file.
    static inline const QString aiAPIKeyKey = QStringLiteral("aiAPIKey");
    static inline const QString aiBaseURLKey = QStringLiteral("aiBaseURL");
    static inline const QString aiModelKey = QStringLiteral("aiModel");
    static inline const QString updateFeedURLKey = QStringLiteral("updateFeedURL");
    static inline const QString autoCheckUpdatesKey = QStringLiteral("autoCheckUpdates");
    static inline const QString animatedBackdropKey = QStringLiteral("animatedBackdrop");

    // The one settings object of the process (created on first use, owned by
    // the application object when one exists).
    static Settings& instance();

    // Raw access: nullopt when the key is absent.
    std::optional<QVariant> value(const QString& key) const;
    // The stored string, or nullopt when the key is absent or holds no string.
    std::optional<QString> string(const QString& key) const;
    // True when a boolean is stored under the key and it is false. Anything else
    // (absent, not a boolean) counts as "on" for the switches of the program.
    bool isStoredFalse(const QString& key) const;
    bool boolOrTrue(const QString& key) const { return !isStoredFalse(key); }

    void setString(const QString& key, const QString& value);
    void setBool(const QString& key, bool value);
    void remove(const QString& key);

Q_SIGNALS:
    void changed(const QString& key);

private:
    explicit Settings(QObject* parent = nullptr);
    void write(const QString& key, const QVariant& value);
    void makePrivate() const;

    QSettings* m_settings;
};

} // namespace studio
