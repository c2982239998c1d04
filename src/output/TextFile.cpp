// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/TextFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
#include <cerrno>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace TextFile {

namespace {
// Windows-1252 differs from Latin-1 only in 0x80..0x9F.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178,
};
} // namespace

QByteArray encodeSystem(const QString& text)
{
    QStringEncoder encoder(QStringConverter::System);
    return encoder.encode(text);
}

QString decode(const QByteArray& bytes)
{
    QByteArrayView view(bytes);
    if (view.startsWith("\xEF\xBB\xBF"))
        view = view.sliced(3);
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(view);
    if (!utf8.hasError())
        return text;
    return decodeWindows1252(view);
}

QString decodeWindows1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        *out++ = (b >= 0x80 && b < 0xA0) ? QChar(kCp1252High[b - 0x80]) : QChar(static_cast<char16_t>(b));
    }
    return text;
}

WriteFailure::Kind failureKind(int errorNumber)
{
    using Kind = WriteFailure::Kind;
    switch (errorNumber) {
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return Kind::NoSpace;
    case EROFS:
        return Kind::ReadOnlyDisk;
    case EACCES:
    case EPERM:
        return Kind::AccessDenied;
    case EISDIR:
        return Kind::IsFolder;
    case ENOENT:
    case ENOTDIR:
        return Kind::NoFolder;
    case EFBIG:
        return Kind::TooLarge;
    case EIO:
        return Kind::DiskError;
    default:
        return Kind::Other;
    }
}

QString reason(int errorNumber)
{
    using Kind = WriteFailure::Kind;
    switch (failureKind(errorNumber)) {
    case Kind::NoSpace:
        return QStringLiteral("le disque est plein");
    case Kind::ReadOnlyDisk:
        return QStringLiteral("le disque est en lecture seule");
    case Kind::AccessDenied:
    case Kind::FileReadOnly:
    case Kind::OwnerNotKept:
        return QStringLiteral("l'accès est refusé");
    case Kind::IsFolder:
        return QStringLiteral("c'est un dossier");
    case Kind::NoFolder:
        return QStringLiteral("le fichier ou son dossier n'existe pas");
    case Kind::TooLarge:
        return QStringLiteral("le fichier est trop grand pour le disque");
    case Kind::DiskError:
        return QStringLiteral("le disque a signalé une erreur");
    case Kind::Other:
        break;
    }
    return errorNumber != 0 ? QStringLiteral("erreur système %1").arg(errorNumber)
                            : QStringLiteral("le système n'en a pas donné la raison");
}

bool readToEnd(QFileDevice& file, QByteArray* bytes, QString* why)
{
    QByteArray data;
    QByteArray piece(64 * 1024, Qt::Uninitialized);
    for (;;) {
        const qint64 n = file.read(piece.data(), piece.size());
        if (n < 0 || file.error() != QFileDevice::NoError) {
            *why = reason(file);
            bytes->clear();
            return false;
        }
        if (n == 0)
            break;
        data.append(piece.constData(), n);
    }
    *bytes = std::move(data);
    return true;
}

QString cannotWrite(const QString& path, const QString& why)
{
    return QStringLiteral("Impossible d'écrire « %1 » : %2").arg(QDir::toNativeSeparators(path), why);
}

QString reason(const QFileDevice& file)
{
    if (!file.fileName().isEmpty() && QFileInfo(file.fileName()).isDir())
        return reason(EISDIR);
    // Qt words the system's code in English; the same words name the code back.
    for (int code : {ENOSPC, EROFS, EACCES, EPERM, ENOENT, EISDIR, ENOTDIR, EFBIG, EIO
#ifdef EDQUOT
                     ,
                     EDQUOT
#endif
         })
        if (file.errorString() == qt_error_string(code))
            return reason(code);
    switch (file.error()) {
    case QFileDevice::PermissionsError:
        return reason(EACCES);
    case QFileDevice::ReadError:
        return QStringLiteral("erreur de lecture");
    case QFileDevice::WriteError:
        return QStringLiteral("erreur d'écriture");
    case QFileDevice::OpenError:
        return QStringLiteral("il ne peut pas être ouvert");
    case QFileDevice::ResourceError:
        return QStringLiteral("le système manque de ressources (disque plein ?)");
    default:
        return reason(0);
    }
}

QString describe(const WriteFailure& failure)
{
    using Kind = WriteFailure::Kind;
    const QString file = QDir::toNativeSeparators(failure.path);
    const QString folder = QDir::toNativeSeparators(QFileInfo(failure.path).absolutePath());
    QString what;
    switch (failure.kind) {
    case Kind::NoSpace:
        what = QStringLiteral("Disque plein : « %1 » n'a pas été enregistré").arg(file);
        break;
    case Kind::ReadOnlyDisk:
        what = QStringLiteral("Disque en lecture seule : « %1 » n'a pas été enregistré").arg(file);
        break;
    case Kind::AccessDenied:
        what = QStringLiteral("Accès refusé : le dossier « %1 » n'accepte pas d'écriture, « %2 » n'a pas été enregistré")
                   .arg(folder, file);
        break;
    case Kind::FileReadOnly:
        what = QStringLiteral("Fichier protégé en écriture : « %1 » n'a pas été remplacé").arg(file);
        break;
    case Kind::OwnerNotKept:
        what = QStringLiteral("« %1 » n'a pas été remplacé : il appartient à un autre utilisateur, que le nouveau fichier ne "
                              "pourrait pas garder")
                   .arg(file);
        break;
    case Kind::IsFolder:
        what = QStringLiteral("« %1 » est un dossier : rien n'y a été enregistré").arg(file);
        break;
    case Kind::NoFolder:
        what = QStringLiteral("Le dossier « %1 » n'existe pas et ne peut pas être créé : « %2 » n'a pas été enregistré")
                   .arg(folder, file);
        break;
    case Kind::TooLarge:
        what = QStringLiteral("Fichier trop grand pour le disque : « %1 » n'a pas été enregistré").arg(file);
        break;
    case Kind::DiskError:
        what = QStringLiteral("Erreur du disque : « %1 » n'a pas été enregistré").arg(file);
        break;
    case Kind::Other:
        what = failure.errorNumber != 0
            ? QStringLiteral("Écriture impossible (erreur système %1) : « %2 » n'a pas été enregistré")
                  .arg(failure.errorNumber)
                  .arg(file)
            : QStringLiteral("Écriture impossible : « %1 » n'a pas été enregistré").arg(file);
        break;
    }
    if (failure.kind == Kind::IsFolder)
        return what + QStringLiteral(" ; le dossier est gardé tel quel.");
    return what
        + (failure.existed ? QStringLiteral(" ; l'ancien fichier est gardé tel quel.")
                           : QStringLiteral(" ; aucun fichier n'a été créé."));
}

namespace {

#ifdef Q_OS_UNIX
// write(2) until every byte is out; false with errno set on the first failure.
bool writeAll(int fd, const char* data, qint64 size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, static_cast<size_t>(std::min<qint64>(size, 1 << 30)));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0) {
            errno = ENOSPC;
            return false;
        }
        data += n;
        size -= n;
    }
    return true;
}
#endif

} // namespace

namespace {

using Kind = WriteFailure::Kind;
struct Refusal {
    Kind kind;
    int code;
};

// What the file being replaced is, when there is one (a link is followed, as the save does).
struct Target {
    bool hasOld = false;
#ifdef Q_OS_UNIX
    struct stat old { };
#endif
};

// Why the file at `info` may not be written at all, before anything is staged.
std::optional<Refusal> refusedTarget(const QFileInfo& info, Target& target)
{
    if (info.isDir())
        return Refusal{Kind::IsFolder, EISDIR};
    if (!QDir().mkpath(info.absolutePath()))
        return Refusal{Kind::NoFolder, 0};
#ifdef Q_OS_UNIX
    const QByteArray name = QFile::encodeName(info.absoluteFilePath());
    target.hasOld = ::stat(name.constData(), &target.old) == 0;
    if (target.hasOld && ::access(name.constData(), W_OK) != 0)
        return Refusal{errno == EROFS ? Kind::ReadOnlyDisk : Kind::FileReadOnly, errno};
    // Even the superuser leaves a file alone that nobody may write.
    if (target.hasOld && (target.old.st_mode & 0222) == 0)
        return Refusal{Kind::FileReadOnly, EACCES};
#else
    target.hasOld = info.exists();
    if (target.hasOld && !info.isWritable())
        return Refusal{Kind::FileReadOnly, 0};
#endif
    return std::nullopt;
}

#ifdef Q_OS_UNIX
// The staged file gets the old file's owner and mode; a new one written by root gets the
// folder's owner, who must be able to replace or remove it later (sudo, a service).
std::optional<Refusal> keepOwner(int fd, const Target& target, const QFileInfo& info)
{
    if (target.hasOld) {
        const struct stat& old = target.old;
        struct stat now { };
        // Only the group may differ when the owner is the one writing (a folder's group).
        if (::fstat(fd, &now) == 0 && (now.st_uid != old.st_uid || now.st_gid != old.st_gid)
            && ::fchown(fd, old.st_uid, old.st_gid) != 0 && old.st_uid != ::geteuid())
            return Refusal{Kind::OwnerNotKept, EPERM};
        ::fchmod(fd, old.st_mode & 07777);
    } else if (::geteuid() == 0) {
        struct stat folder { };
        if (::stat(QFile::encodeName(info.absolutePath()).constData(), &folder) == 0
            && ::fchown(fd, folder.st_uid, folder.st_gid) != 0)
            return Refusal{Kind::OwnerNotKept, errno};
    }
    return std::nullopt;
}
#endif

// Every byte written and flushed to the disk: a full disk may only say so at the end.
std::optional<Refusal> writeStaged(QSaveFile& file, const QByteArray& data, const Target& target, const QFileInfo& info)
{
#ifdef Q_OS_UNIX
    const int fd = file.handle();
    if (!writeAll(fd, data.constData(), data.size()))
        return Refusal{failureKind(errno), errno};
    if (const auto refusal = keepOwner(fd, target, info))
        return refusal;
    if (::fsync(fd) != 0 && errno != EINVAL && errno != EROFS)
        return Refusal{failureKind(errno), errno};
#else
    Q_UNUSED(target);
    Q_UNUSED(info);
    if (file.write(data) != data.size() || !file.flush())
        return Refusal{Kind::Other, 0};
#endif
    return std::nullopt;
}

} // namespace

StagedWrite::StagedWrite(const QString& path, const QByteArray& data)
{
    const QFileInfo info(path);
    WriteFailure failure;
    failure.path = info.absoluteFilePath();
    failure.existed = info.exists();
    const auto fail = [this, &failure](const Refusal& refusal) {
        failure.kind = refusal.kind;
        failure.errorNumber = refusal.code;
        m_failure = failure;
        if (m_file)
            m_file->cancelWriting();
        m_file.reset();
    };
    Target target;
    if (const auto refusal = refusedTarget(info, target)) {
        fail(*refusal);
        return;
    }
    m_file = std::make_unique<QSaveFile>(path);
    errno = 0;
    if (!m_file->open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        int code = errno;
#ifdef Q_OS_UNIX
        if (::access(QFile::encodeName(info.absolutePath()).constData(), W_OK) != 0)
            code = errno;
#endif
        m_file.reset();
        fail({code ? failureKind(code) : Kind::Other, code});
        return;
    }
    m_path = failure.path;
    m_existed = failure.existed;
    if (const auto refusal = writeStaged(*m_file, data, target, info))
        fail(*refusal);
}

StagedWrite::~StagedWrite()
{
    if (m_file)
        m_file->cancelWriting();
}

bool StagedWrite::commit()
{
    if (!m_file)
        return false;
    errno = 0;
    const bool done = m_file->commit();
    const int code = errno;
    m_file.reset();
    if (done)
        return true;
    m_failure = WriteFailure{code ? failureKind(code) : WriteFailure::Kind::Other, code, m_path, m_existed};
    return false;
}

std::optional<WriteFailure> writeFile(const QString& path, const QByteArray& data)
{
    StagedWrite staged(path, data);
    staged.commit();
    return staged.failure();
}

bool writeAtomic(const QString& path, const QByteArray& data, QString* error)
{
    const std::optional<WriteFailure> failure = writeFile(path, data);
    if (failure && error)
        *error = describe(*failure);
    return !failure;
}

QByteArray crlfLines(const QStringList& lines)
{
    QString text;
    qsizetype size = 0;
    for (const auto& l : lines)
        size += l.size() + 2;
    text.reserve(size);
    for (const auto& l : lines) {
        text += l;
        text += QLatin1String("\r\n");
    }
    return encodeSystem(text);
}

namespace {

QString quoted(const QString& path)
{
    return QStringLiteral("« %1 »").arg(QDir::toNativeSeparators(path));
}

} // namespace

bool writeAtomicPair(const QString& firstPath, const QByteArray& firstData, const QString& secondPath,
                     const QByteArray& secondData, QString* error)
{
    auto fail = [error](const QString& text) {
        if (error)
            *error = text;
        return false;
    };
    // The first file's old bytes, to put it back if the second cannot follow it.
    const bool firstExisted = QFileInfo::exists(firstPath);
    QByteArray firstOld;
    if (firstExisted) {
        QFile old(firstPath);
        QString why;
        if (!old.open(QIODevice::ReadOnly))
            why = reason(old);
        if (!why.isEmpty() || !readToEnd(old, &firstOld, &why))
            return fail(QStringLiteral("%1 ne peut pas être lu (%2) : rien n'a été remplacé, %1 et %3 sont gardés tels qu'ils "
                                       "étaient.")
                            .arg(quoted(firstPath), why, quoted(secondPath)));
    }

    // Both are staged whole, with every check of the single write, before either replaces its
    // old file; a staged file that is let go leaves its old file as it was.
    StagedWrite first(firstPath, firstData);
    if (first.failure())
        return fail(describe(*first.failure()) + QStringLiteral(" %1 n'a pas été remplacé non plus.").arg(quoted(secondPath)));
    StagedWrite second(secondPath, secondData);
    if (second.failure())
        return fail(describe(*second.failure()) + QStringLiteral(" %1 n'a pas été remplacé non plus.").arg(quoted(firstPath)));
    if (!first.commit())
        return fail(describe(*first.failure()) + QStringLiteral(" %1 n'a pas été remplacé non plus.").arg(quoted(secondPath)));
    if (second.commit())
        return true;

    const QString why = describe(*second.failure());
    bool restored = false;
    if (firstExisted) {
        QString ignored; // the message below says it
        restored = writeAtomic(firstPath, firstOld, &ignored);
    } else {
        restored = QFile::remove(firstPath);
    }
    if (restored)
        return fail(why + QStringLiteral(" %1 a été remis tel qu'il était.").arg(quoted(firstPath)));
    return fail(why
                + QStringLiteral(" L'ancien %1 n'a pas pu être remis : il contient le nouveau contenu.").arg(quoted(firstPath)));
}

} // namespace TextFile
