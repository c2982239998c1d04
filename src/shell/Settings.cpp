// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Settings.h"

#include "history/PayTableText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>
#include <QTemporaryFile>

namespace {

// Whether QSettings reads the file whole. It keeps the files it has read in a cache and tells a
// fault only to their first reader, so the bytes are read again under a name of their own.
QSettings::Status readability(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return QSettings::NoError;
    QFile file(path);
    QTemporaryFile copy;
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        return QSettings::AccessError;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError || !copy.open() || copy.write(bytes) != bytes.size() || !copy.flush())
        return QSettings::AccessError;
    const QSettings probe(copy.fileName(), QSettings::IniFormat);
    probe.allKeys();
    return probe.status();
}

} // namespace

QString Settings::defaultArchiveUrl()
{
    return Formula::classic().defaultArchiveUrl;
}

QString Settings::iniPath(const QString& appDataFolder)
{
    return QDir(appDataFolder).filePath(QStringLiteral("Varn/tiravol.ini"));
}

Settings::Settings(QString iniPath, bool writable) : m_path(std::move(iniPath)), m_writable(writable) { }

QString Settings::storedKey(const QSettings& file, const QString& section, const QString& key)
{
    const QString wanted = section + QLatin1Char('/') + key;
    for (const QString& k : file.allKeys())
        if (k.compare(wanted, Qt::CaseInsensitive) == 0)
            return k;
    return wanted;
}

QString Settings::read(const QString& section, const QString& key, const QString& defaultValue) const
{
    // At most 254 characters, the longest a profile value can be.
    return readWhole(section, key, defaultValue).left(254);
}

QString Settings::readWhole(const QString& section, const QString& key, const QString& defaultValue) const
{
    if (readability(m_path) != QSettings::NoError)
        return defaultValue;
    const QSettings file(m_path, QSettings::IniFormat);
    const QString stored = storedKey(file, section, key);
    if (!file.contains(stored))
        return defaultValue;
    const QVariant value = file.value(stored);
    // An address written by hand without quotes reads as a list at its commas.
    const QString text
        = value.typeId() == QMetaType::QStringList ? value.toStringList().join(QLatin1Char(',')) : value.toString();
    return text;
}

bool Settings::write(const QString& section, const QString& key, const QString& value)
{
    m_error.clear();
    if (!m_writable)
        return false;
    const QString shown = QDir::toNativeSeparators(m_path);
    // QSettings would rewrite a file it read only in part with what it understood.
    if (readability(m_path) != QSettings::NoError) {
        m_error = QStringLiteral("Le fichier des réglages « %1 » ne peut pas être lu : il n'a pas été modifié.").arg(shown);
        return false;
    }
    QSettings file(m_path, QSettings::IniFormat);
    file.setValue(storedKey(file, section, key), value);
    file.sync(); // through a file written aside, then renamed over the old one
    if (file.status() != QSettings::NoError) {
        m_error = QStringLiteral("Le fichier des réglages « %1 » ne peut pas être écrit.").arg(shown);
        return false;
    }
    return true;
}

QString Settings::archiveUrl(const Formula& game)
{
    const QString section = QStringLiteral("URL");
    QString url = read(section, game.archiveUrlKey, QString());
    if (url.isEmpty()) {
        url = game.defaultArchiveUrl;
        write(section, game.archiveUrlKey, url);
    }
    return url;
}

bool Settings::setArchiveUrl(const QString& url, const Formula& game)
{
    return write(QStringLiteral("URL"), game.archiveUrlKey, url);
}

std::optional<FormulaId> Settings::game() const
{
    return Formula::fromKey(read(QStringLiteral("Jeu"), QStringLiteral("Formule"), QString()).trimmed());
}

bool Settings::setGame(FormulaId id)
{
    return write(QStringLiteral("Jeu"), QStringLiteral("Formule"), Formula::get(id).key);
}

bool Settings::autoUpdate() const
{
    return read(QStringLiteral("Jeu"), QStringLiteral("MiseAJourAuto"), QStringLiteral("1")).trimmed() != QLatin1String("0");
}

bool Settings::setAutoUpdate(bool on)
{
    return write(QStringLiteral("Jeu"), QStringLiteral("MiseAJourAuto"), on ? QStringLiteral("1") : QStringLiteral("0"));
}

namespace {

const QString kPaySection = QStringLiteral("Gains");

} // namespace

PayTables Settings::payTables(QStringList* notices) const
{
    PayTables tables;
    for (FormulaId id : Formula::all()) {
        const Formula& game = Formula::get(id);
        const PayTableText::Reading reading = PayTableText::read(readWhole(kPaySection, game.key, QString()), game);
        if (reading.error.isEmpty())
            tables.set(id, reading.table);
        else if (notices)
            *notices << QStringLiteral("Réglage [%1] %2 du fichier « %3 » : %4. La table des gains d'origine de ce jeu reste "
                                       "en vigueur.")
                            .arg(kPaySection, game.key, QDir::toNativeSeparators(m_path), reading.error);
    }
    return tables;
}

bool Settings::setPayTable(FormulaId id, const PayTable& table)
{
    const Formula& game = Formula::get(id);
    return write(kPaySection, game.key, PayTableText::corrections(table, game));
}
