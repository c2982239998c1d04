// SPDX-License-Identifier: GPL-3.0-or-later
#include "acquire/ZipExtractor.h"

#include "output/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <zip.h>

#include <array>
#include <memory>

namespace {

struct ArchiveCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct MemberCloser {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};
using ArchivePtr = std::unique_ptr<zip_t, ArchiveCloser>;
using MemberPtr = std::unique_ptr<zip_file_t, MemberCloser>;

QString libzipText(int code)
{
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    const QString text = QString::fromUtf8(zip_error_strerror(&error));
    zip_error_fini(&error);
    return text;
}

QString openFailure(int code, const QString& path)
{
    const QString shown = QDir::toNativeSeparators(path);
    switch (code) {
    case ZIP_ER_NOENT:
        return QStringLiteral("Archive introuvable : %1").arg(shown);
    case ZIP_ER_NOZIP:
        return QStringLiteral("Ce fichier n'est pas une archive ZIP : %1").arg(shown);
    case ZIP_ER_INCONS:
    case ZIP_ER_EOF:
    case ZIP_ER_CRC:
    case ZIP_ER_COMPRESSED_DATA:
        return QStringLiteral("Archive endommagée : %1").arg(shown);
    case ZIP_ER_MULTIDISK:
        return QStringLiteral("Archive en plusieurs volumes non prise en charge : %1").arg(shown);
    default:
        return QStringLiteral("Archive illisible : %1 (%2)").arg(shown, libzipText(code));
    }
}

// Opening by name lets libzip read the archive in place; it takes UTF-8 names on Windows.
QByteArray archiveFileName(const QString& path)
{
#ifdef Q_OS_WIN
    return QDir::toNativeSeparators(path).toUtf8();
#else
    return QFile::encodeName(path);
#endif
}

bool isInside(const QString& canonicalRoot, const QString& canonicalPath)
{
    return canonicalPath == canonicalRoot
        || canonicalPath.startsWith(canonicalRoot.endsWith(QLatin1Char('/')) ? canonicalRoot : canonicalRoot + QLatin1Char('/'));
}

// A folder already on disk may be a link that leads elsewhere: the nearest existing ancestor of
// `path` must resolve inside the root before anything is created or written there.
bool staysInside(const QString& canonicalRoot, const QString& path)
{
    QString current = path;
    for (;;) {
        const QFileInfo info(current);
        if (info.exists())
            return isInside(canonicalRoot, info.canonicalFilePath());
        if (info.isSymLink())
            return false; // a dangling link
        const QString up = info.path();
        if (up == current)
            return false;
        current = up;
    }
}

// A file as its real folder (links resolved, up to the nearest folder that exists) and its name
// without regard to case: the program finds its history files whatever the case of their name.
QString fileKey(const QString& path)
{
    const QFileInfo file(QFileInfo(path).absoluteFilePath());
    QString folder = file.path();
    QStringList missing;
    while (!QFileInfo(folder).exists()) {
        const QString up = QFileInfo(folder).path();
        if (up == folder)
            break;
        missing.prepend(QFileInfo(folder).fileName());
        folder = up;
    }
    const QString real = QFileInfo(folder).exists() ? QFileInfo(folder).canonicalFilePath() : folder;
    missing.prepend(real);
    return missing.join(QLatin1Char('/')) + QLatin1Char('/') + file.fileName().toCaseFolded();
}

// "200 Mo", or bytes for a limit under a megabyte.
QString sizeText(qint64 bytes)
{
    constexpr qint64 kMega = 1024 * 1024;
    return bytes >= kMega ? QStringLiteral("%1 Mo").arg(bytes / kMega) : QStringLiteral("%1 octets").arg(bytes);
}

// An archive that expands far beyond its size (a "ZIP bomb") is refused with the limit it broke.
QString tooLarge(qint64 limit, const QString& name)
{
    return QStringLiteral("Membre refusé, trop volumineux une fois extrait (plus de %1) : %2").arg(sizeText(limit), name);
}

QString archiveTooLarge(qint64 limit, const QString& name)
{
    return QStringLiteral("Membre refusé, l'archive dépasse %1 une fois extraite : %2").arg(sizeText(limit), name);
}

QString memberOpenFailure(int code, const QString& name)
{
    switch (code) {
    case ZIP_ER_WRONGPASSWD:
        return QStringLiteral("Mot de passe incorrect : %1").arg(name);
    case ZIP_ER_ENCRNOTSUPP:
        return QStringLiteral("Chiffrement non pris en charge : %1").arg(name);
    case ZIP_ER_COMPNOTSUPP:
        return QStringLiteral("Compression non prise en charge : %1").arg(name);
    default:
        return QStringLiteral("Membre endommagé : %1").arg(name);
    }
}

// The limits and the files to keep, as the extractor was set up.
struct Limits {
    qint64 maxMemberSize = 0;
    qint64 maxTotalSize = 0;
    const QStringList& keptKeys;
    const ZipExtractor::PasswordPrompt& askPassword;
};

// One member as the central directory describes it.
struct Member {
    zip_uint64_t entry = 0;
    QString name;
    QString relative; // safe, under the root
    QString target;
    qint64 declared = 0;
    bool encrypted = false;
};

// One pass over an opened archive: each member is checked, then written aside and renamed when
// whole, or refused with its reason.
class ExtractionRun {
public:
    ExtractionRun(zip_t* archive, const QString& root, const Limits& limits, ZipExtractor::Result& result)
        : m_archive(archive), m_root(root), m_rootDir(root), m_limits(limits), m_result(result)
    {
    }

    void extractEntry(zip_int64_t index)
    {
        std::optional<Member> member = describe(index);
        if (!member || !withinLimits(*member) || !havePassword(*member))
            return;
        MemberPtr file(member->encrypted ? zip_fopen_index_encrypted(m_archive, member->entry, 0, m_password.constData())
                                         : zip_fopen_index(m_archive, member->entry, 0));
        if (!file) {
            const int code = zip_error_code_zip(zip_get_error(m_archive));
            zip_error_clear(m_archive);
            refuse(memberOpenFailure(code, member->name));
            return;
        }
        if (!parentReady(*member))
            return;
        write(*member, std::move(file));
    }

private:
    void refuse(const QString& message)
    {
        ++m_result.refused;
        m_result.messages.append(message);
    }

    // The member's name and target, or nullopt when it is refused, kept back or only a folder.
    std::optional<Member> describe(zip_int64_t index)
    {
        zip_stat_t stat;
        zip_stat_init(&stat);
        const auto entry = static_cast<zip_uint64_t>(index);
        if (zip_stat_index(m_archive, entry, 0, &stat) != 0 || !(stat.valid & ZIP_STAT_NAME) || !stat.name) {
            refuse(QStringLiteral("Membre %1 illisible").arg(index + 1));
            return std::nullopt;
        }
        Member member;
        member.entry = entry;
        member.name = QString::fromUtf8(stat.name);
        const std::optional<QString> relative = ZipExtractor::safeRelativePath(member.name);
        if (!relative) {
            refuse(QStringLiteral("Membre refusé, chemin hors du dossier de données : %1").arg(member.name));
            return std::nullopt;
        }
        if (relative->isEmpty()) {
            if (!member.name.endsWith(QLatin1Char('/')) && !member.name.endsWith(QLatin1Char('\\')))
                refuse(QStringLiteral("Membre refusé, nom vide : %1").arg(member.name));
            return std::nullopt;
        }
        member.relative = *relative;
        member.target = m_rootDir.filePath(member.relative);
        if (member.relative.endsWith(QLatin1Char('/'))) {
            if (!staysInside(m_root, member.target) || !QDir().mkpath(member.target))
                refuse(QStringLiteral("Impossible de créer le dossier %1").arg(member.relative));
            return std::nullopt;
        }
        if (m_limits.keptKeys.contains(fileKey(member.target))) {
            m_result.keptBack.append(member.name);
            m_result.messages.append(
                QStringLiteral("Membre ignoré, il remplacerait un fichier du programme : %1").arg(member.name));
            return std::nullopt;
        }
        member.declared = (stat.valid & ZIP_STAT_SIZE) ? static_cast<qint64>(qMin<zip_uint64_t>(stat.size, 1ULL << 62)) : 0;
        member.encrypted = (stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE;
        return member;
    }

    bool withinLimits(const Member& member)
    {
        if (member.declared > m_limits.maxMemberSize) {
            refuse(tooLarge(m_limits.maxMemberSize, member.name));
            return false;
        }
        if (m_total + member.declared > m_limits.maxTotalSize) {
            refuse(archiveTooLarge(m_limits.maxTotalSize, member.name));
            return false;
        }
        return true;
    }

    // The password is asked once, at the first encrypted member.
    bool havePassword(const Member& member)
    {
        if (!member.encrypted)
            return true;
        if (!m_passwordAsked) {
            m_passwordAsked = true;
            if (m_limits.askPassword) {
                if (const std::optional<QString> answer = m_limits.askPassword())
                    m_password = answer->toUtf8();
            }
        }
        if (m_password.isEmpty()) {
            refuse(QStringLiteral("Membre chiffré refusé, aucun mot de passe : %1").arg(member.name));
            return false;
        }
        return true;
    }

    bool parentReady(const Member& member)
    {
        const QString parent = QFileInfo(member.target).path();
        if (!staysInside(m_root, parent) || !QDir().mkpath(parent) || !staysInside(m_root, parent)) {
            refuse(QStringLiteral("Impossible de créer le dossier de %1").arg(member.relative));
            return false;
        }
        if (QFileInfo(member.target).isSymLink()) {
            refuse(QStringLiteral("Membre refusé, un lien porte déjà ce nom : %1").arg(member.relative));
            return false;
        }
        return true;
    }

    void write(const Member& member, MemberPtr file)
    {
        QSaveFile out(member.target);
        if (!out.open(QIODevice::WriteOnly)) {
            refuse(TextFile::cannotWrite(member.relative, TextFile::reason(out)));
            return;
        }
        qint64 written = 0;
        QString failure = copy(member, file.get(), out, &written);
        file.reset();
        if (failure.isEmpty() && !out.commit())
            failure = TextFile::cannotWrite(member.relative, TextFile::reason(out));
        if (!failure.isEmpty()) {
            out.cancelWriting();
            refuse(failure);
            return;
        }
        m_total += written;
        ++m_result.extracted;
        m_result.written.append(member.relative);
    }

    // Copies the member's bytes into `out`; the reason it stopped, or an empty text.
    QString copy(const Member& member, zip_file_t* file, QSaveFile& out, qint64* written) const
    {
        std::array<char, 64 * 1024> buffer{};
        for (;;) {
            const zip_int64_t read = zip_fread(file, buffer.data(), buffer.size());
            if (read == 0)
                return {};
            if (read < 0)
                return member.encrypted ? QStringLiteral("Mot de passe incorrect ou membre endommagé : %1").arg(member.name)
                                        : QStringLiteral("Membre endommagé : %1").arg(member.name);
            *written += read;
            // The declared size may lie: the limits hold on what really comes out.
            if (*written > m_limits.maxMemberSize)
                return tooLarge(m_limits.maxMemberSize, member.name);
            if (m_total + *written > m_limits.maxTotalSize)
                return archiveTooLarge(m_limits.maxTotalSize, member.name);
            if (out.write(buffer.data(), read) != read)
                return TextFile::cannotWrite(member.relative, TextFile::reason(out));
        }
    }

    zip_t* m_archive;
    QString m_root;
    QDir m_rootDir;
    const Limits& m_limits;
    ZipExtractor::Result& m_result;
    bool m_passwordAsked = false;
    QByteArray m_password; // empty: none given
    qint64 m_total = 0;
};

} // namespace

void ZipExtractor::setKeptFiles(const QStringList& paths)
{
    m_keptKeys.clear();
    for (const QString& path : paths) {
        m_keptKeys.append(fileKey(path));
        // A kept file that is a link: the file it leads to is kept too.
        const QString target = QFileInfo(path).canonicalFilePath();
        if (!target.isEmpty())
            m_keptKeys.append(fileKey(target));
    }
}

ZipExtractor::ZipExtractor(PasswordPrompt askPassword) : m_askPassword(std::move(askPassword)) { }

void ZipExtractor::setSizeLimits(qint64 maxMemberSize, qint64 maxTotalSize)
{
    m_maxMemberSize = maxMemberSize;
    m_maxTotalSize = maxTotalSize;
}

std::optional<QString> ZipExtractor::safeRelativePath(const QString& memberName)
{
    QString name = memberName;
    // Archives made on Windows sometimes use backslashes; they separate folders there.
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (name.startsWith(QLatin1Char('/')))
        return std::nullopt;
    if (name.size() >= 2 && name[1] == QLatin1Char(':'))
        return std::nullopt; // a drive letter
    const bool folder = name.endsWith(QLatin1Char('/'));
    QStringList kept;
    for (const QString& part : name.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (part == QLatin1String("."))
            continue;
        // ".." and its Windows look-alikes ("..", ". .", "... ") that the system shortens to "..".
        QString stripped = part;
        while (!stripped.isEmpty() && (stripped.endsWith(QLatin1Char('.')) || stripped.endsWith(QLatin1Char(' '))))
            stripped.chop(1);
        if (stripped.isEmpty())
            return std::nullopt;
        kept.append(part);
    }
    QString path = kept.join(QLatin1Char('/'));
    if (folder && !path.isEmpty())
        path += QLatin1Char('/');
    return path;
}

ZipExtractor::Result ZipExtractor::extract(const QString& archivePath, const QString& folder) const
{
    Result result;

    if (!QFileInfo(archivePath).isFile()) {
        result.messages.append(QStringLiteral("Archive introuvable : %1").arg(QDir::toNativeSeparators(archivePath)));
        return result;
    }
    int openError = 0;
    ArchivePtr archive(zip_open(archiveFileName(archivePath).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &openError));
    if (!archive) {
        result.messages.append(openFailure(openError, archivePath));
        return result;
    }
    result.opened = true;

    const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    if (count <= 0) {
        result.messages.append(QStringLiteral("Archive vide : %1").arg(QDir::toNativeSeparators(archivePath)));
        return result;
    }

    if (!QDir().mkpath(folder)) {
        result.messages.append(QStringLiteral("Impossible de créer le dossier %1").arg(QDir::toNativeSeparators(folder)));
        result.refused = static_cast<int>(count);
        return result;
    }
    const Limits limits{m_maxMemberSize, m_maxTotalSize, m_keptKeys, m_askPassword};
    ExtractionRun run(archive.get(), QFileInfo(folder).canonicalFilePath(), limits, result);
    for (zip_int64_t index = 0; index < count; ++index)
        run.extractEntry(index);
    return result;
}
