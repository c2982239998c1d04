#include "shell/Settings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

QString Settings::defaultArchiveUrl()
{
    return QStringLiteral("https://www.fdesjeux.com/generated/game/keno/keno_gagnant_a_vie.zip");
}

QString Settings::iniPath(const QString& appDataFolder)
{
    return QDir(appDataFolder).filePath(QStringLiteral("Varn/tiravol.ini"));
}

Settings::Settings(QString iniPath, bool writable) : m_path(std::move(iniPath)), m_writable(writable) {}

QString Settings::read(const QString& section, const QString& key, const QString& defaultValue) const
{
    if (!QFileInfo::exists(m_path))
        return defaultValue;
    QSettings ini(m_path, QSettings::IniFormat);
    // The original read into a 255-character buffer.
    return ini.value(section + QLatin1Char('/') + key, defaultValue).toString().left(254);
}

bool Settings::write(const QString& section, const QString& key, const QString& value)
{
    if (!m_writable)
        return false;
    if (!QDir().mkpath(QFileInfo(m_path).absolutePath()))
        return false;
    QSettings ini(m_path, QSettings::IniFormat);
    ini.setValue(section + QLatin1Char('/') + key, value);
    ini.sync();
    return ini.status() == QSettings::NoError;
}

QString Settings::archiveUrl()
{
    const QString section = QStringLiteral("URL"), key = QStringLiteral("FileFdesjeux");
    QString url = read(section, key, QString());
    if (url.isEmpty()) {
        url = defaultArchiveUrl();
        write(section, key, url);
    }
    return url;
}

bool Settings::setArchiveUrl(const QString& url)
{
    return write(QStringLiteral("URL"), QStringLiteral("FileFdesjeux"), url);
}
