#include "shell/Settings.h"

#include "output/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QString Settings::defaultArchiveUrl()
{
    return QStringLiteral("https://www.fdesjeux.com/generated/game/keno/keno_gagnant_a_vie.zip");
}

QString Settings::iniPath(const QString& appDataFolder)
{
    return QDir(appDataFolder).filePath(QStringLiteral("Varn/tiravol.ini"));
}

Settings::Settings(QString iniPath, bool writable) : m_path(std::move(iniPath)), m_writable(writable) { }

QString Settings::read(const QString& section, const QString& key, const QString& defaultValue) const
{
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return defaultValue;
    // Read as profile files are read: names without regard to case and the value as written.
    // QSettings would turn "a,b" into a list and cut at ';', losing a hand-written address.
    const QStringList lines = TextFile::decode(file.readAll()).split(QLatin1Char('\n'));
    bool inSection = false;
    for (const QString& raw : lines) {
        const QString line = raw.trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            const qsizetype end = line.indexOf(QLatin1Char(']'));
            inSection = end > 0 && line.mid(1, end - 1).trimmed().compare(section, Qt::CaseInsensitive) == 0;
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (!inSection || eq < 0 || line.left(eq).trimmed().compare(key, Qt::CaseInsensitive) != 0)
            continue;
        QString value = line.mid(eq + 1).trimmed();
        if (value.size() >= 2 && value.front() == QLatin1Char('"') && value.back() == QLatin1Char('"'))
            value = value.mid(1, value.size() - 2);
        // A value holds at most 254 characters, the longest a profile value can be.
        return value.left(254);
    }
    return defaultValue;
}

bool Settings::write(const QString& section, const QString& key, const QString& value)
{
    m_error.clear();
    if (!m_writable)
        return false;
    // Written by hand, like the reader, so the value is stored exactly as given.
    QStringList lines;
    QString eol = QStringLiteral("\n");
    QFile file(m_path);
    if (file.exists()) {
        if (!file.open(QIODevice::ReadOnly)) {
            m_error = QStringLiteral("Le fichier des réglages « %1 » ne peut pas être lu : il n'a pas été modifié.")
                          .arg(QDir::toNativeSeparators(m_path));
            return false;
        }
        const QString text = TextFile::decode(file.readAll());
        if (text.contains(QLatin1String("\r\n")))
            eol = QStringLiteral("\r\n");
        lines = text.split(eol);
        if (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
        file.close();
    }
    const QString entry = key + QLatin1Char('=') + value;
    qsizetype sectionStart = -1, sectionEnd = lines.size();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (!line.startsWith(QLatin1Char('[')))
            continue;
        if (sectionStart >= 0) {
            sectionEnd = i;
            break;
        }
        const qsizetype close = line.indexOf(QLatin1Char(']'));
        if (close > 0 && line.mid(1, close - 1).trimmed().compare(section, Qt::CaseInsensitive) == 0)
            sectionStart = i;
    }
    bool done = false;
    if (sectionStart >= 0) {
        for (qsizetype i = sectionStart + 1; i < sectionEnd && !done; ++i) {
            const qsizetype eq = lines[i].indexOf(QLatin1Char('='));
            if (eq > 0 && lines[i].left(eq).trimmed().compare(key, Qt::CaseInsensitive) == 0) {
                lines[i] = entry;
                done = true;
            }
        }
        if (!done) {
            qsizetype at = sectionEnd;
            while (at > sectionStart + 1 && lines[at - 1].trimmed().isEmpty())
                --at;
            lines.insert(at, entry);
        }
    } else {
        if (!lines.isEmpty() && !lines.last().trimmed().isEmpty())
            lines << QString();
        lines << QLatin1Char('[') + section + QLatin1Char(']') << entry;
    }
    return TextFile::writeAtomic(m_path, TextFile::encodeSystem(lines.join(eol) + eol), &m_error);
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
