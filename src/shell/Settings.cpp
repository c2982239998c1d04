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

namespace {

// The lines of a settings text, whatever its line ends. Carriage returns ending a line go with
// the line end (the reader trims them anyway), so that a rewrite keeps one kind of line end.
QStringList textLines(const QString& text)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines)
        while (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    return lines;
}

// The name of the section a line opens ("" for a malformed header); nullopt for other lines.
std::optional<QString> sectionOf(const QString& raw)
{
    const QString line = raw.trimmed();
    if (!line.startsWith(QLatin1Char('[')))
        return std::nullopt;
    const qsizetype end = line.indexOf(QLatin1Char(']'));
    return end > 0 ? line.mid(1, end - 1).trimmed() : QString();
}

bool isKeyLine(const QString& raw, const QString& key)
{
    const QString line = raw.trimmed();
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    return eq >= 0 && line.left(eq).trimmed().compare(key, Qt::CaseInsensitive) == 0;
}

bool sameName(const std::optional<QString>& a, const QString& b)
{
    return a && !a->isEmpty() && a->compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

std::optional<QString> Settings::readText(const QString& text, const QString& section, const QString& key)
{
    // Read as profile files are read: names without regard to case and the value as written.
    // QSettings would turn "a,b" into a list and cut at ';', losing a hand-written address.
    bool inSection = false;
    for (const QString& raw : textLines(text)) {
        if (const std::optional<QString> name = sectionOf(raw)) {
            inSection = sameName(name, section);
            continue;
        }
        if (!inSection || !isKeyLine(raw, key))
            continue;
        const QString line = raw.trimmed();
        QString value = line.mid(line.indexOf(QLatin1Char('=')) + 1).trimmed();
        if (value.size() >= 2 && value.front() == QLatin1Char('"') && value.back() == QLatin1Char('"'))
            value = value.mid(1, value.size() - 2);
        // A value holds at most 254 characters, the longest a profile value can be.
        return value.left(254);
    }
    return std::nullopt;
}

std::optional<QString> Settings::writeText(const QString& text, const QString& section, const QString& key, const QString& value)
{
    if (value.contains(QLatin1Char('\n')))
        return std::nullopt;
    const QString eol = text.contains(QLatin1String("\r\n")) ? QStringLiteral("\r\n") : QStringLiteral("\n");
    QStringList lines = text.isEmpty() ? QStringList() : textLines(text);
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    // Quoted when the reader would otherwise trim it or take its own quotes away.
    const bool quoted = value != value.trimmed()
        || (value.size() >= 2 && value.front() == QLatin1Char('"') && value.back() == QLatin1Char('"'));
    const QString entry = key + QLatin1Char('=') + (quoted ? QLatin1Char('"') + value + QLatin1Char('"') : value);
    qsizetype sectionStart = -1, sectionEnd = lines.size();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const std::optional<QString> name = sectionOf(lines[i]);
        if (!name)
            continue;
        if (sectionStart >= 0) {
            sectionEnd = i;
            break;
        }
        if (sameName(name, section))
            sectionStart = i;
    }
    if (sectionStart >= 0) {
        for (qsizetype i = sectionStart + 1; i < sectionEnd; ++i) {
            if (isKeyLine(lines[i], key)) {
                lines[i] = entry;
                return lines.join(eol) + eol;
            }
        }
        qsizetype at = sectionEnd;
        while (at > sectionStart + 1 && lines[at - 1].trimmed().isEmpty())
            --at;
        lines.insert(at, entry);
    } else {
        if (!lines.isEmpty() && !lines.last().trimmed().isEmpty())
            lines << QString();
        lines << QLatin1Char('[') + section + QLatin1Char(']') << entry;
    }
    return lines.join(eol) + eol;
}

QString Settings::read(const QString& section, const QString& key, const QString& defaultValue) const
{
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return defaultValue;
    return readText(TextFile::decode(file.readAll()), section, key).value_or(defaultValue);
}

bool Settings::write(const QString& section, const QString& key, const QString& value)
{
    m_error.clear();
    if (!m_writable)
        return false;
    QString text;
    QFile file(m_path);
    if (file.exists()) {
        if (!file.open(QIODevice::ReadOnly)) {
            m_error = QStringLiteral("Le fichier des réglages « %1 » ne peut pas être lu : il n'a pas été modifié.")
                          .arg(QDir::toNativeSeparators(m_path));
            return false;
        }
        text = TextFile::decode(file.readAll());
        file.close();
    }
    const std::optional<QString> written = writeText(text, section, key, value);
    if (!written) {
        m_error = QStringLiteral("Une valeur de plusieurs lignes ne peut pas être écrite dans « %1 » : il n'a pas été modifié.")
                      .arg(QDir::toNativeSeparators(m_path));
        return false;
    }
    return TextFile::writeAtomic(m_path, TextFile::encodeSystem(*written), &m_error);
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
