#include "output/TextFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>
#include <QStringDecoder>
#include <QStringEncoder>
#include <cerrno>
#include <cstring>

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

bool writeAtomic(const QString& path, const QByteArray& data, QString* error)
{
    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath())) {
        if (error)
            *error = QStringLiteral("le dossier « %1 » ne peut pas être créé").arg(QDir::toNativeSeparators(info.absolutePath()));
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    if (file.write(data) != data.size()) {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
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

// Qt reports a full disk as a plain write error: the system's text, or the space left, tells.
bool diskFull(const QFileDevice& file, const QString& path)
{
    if (file.error() == QFileDevice::ResourceError || file.errorString() == QString::fromLocal8Bit(std::strerror(ENOSPC)))
        return true;
    const QStorageInfo storage(QFileInfo(path).absolutePath());
    return storage.isValid() && storage.bytesAvailable() < 64 * 1024;
}

// What went wrong with a file, in French; the system's own text says it in English.
QString failureOf(const QFileDevice& file)
{
    switch (file.error()) {
    case QFileDevice::ResourceError:
        return QStringLiteral("disque plein");
    case QFileDevice::PermissionsError:
        return QStringLiteral("droits insuffisants");
    case QFileDevice::OpenError:
        return QStringLiteral("le fichier ne peut pas être créé dans ce dossier");
    case QFileDevice::RenameError:
        return QStringLiteral("l'ancien fichier ne peut pas être remplacé");
    default:
        return QStringLiteral("erreur d'écriture");
    }
}

bool writeWhole(QSaveFile& file, const QByteArray& data)
{
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.flush();
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
    const QString both = QStringLiteral("%1 et %2").arg(quoted(firstPath), quoted(secondPath));
    for (const QString& path : {firstPath, secondPath}) {
        const QString folder = QFileInfo(path).absolutePath();
        if (!QDir().mkpath(folder))
            return fail(
                QStringLiteral("Le dossier %1 ne peut pas être créé : %2 n'ont pas été enregistrés.").arg(quoted(folder), both));
    }

    // The first file's old bytes, to put it back if the second cannot follow it.
    const bool firstExisted = QFileInfo::exists(firstPath);
    QByteArray firstOld;
    if (firstExisted) {
        QFile old(firstPath);
        if (!old.open(QIODevice::ReadOnly))
            return fail(QStringLiteral("%1 ne peut pas être lu : rien n'a été remplacé, %2 sont gardés tels qu'ils étaient.")
                            .arg(quoted(firstPath), both));
        firstOld = old.readAll();
        if (old.error() != QFileDevice::NoError)
            return fail(QStringLiteral("%1 ne peut pas être lu : rien n'a été remplacé, %2 sont gardés tels qu'ils étaient.")
                            .arg(quoted(firstPath), both));
    }

    QSaveFile first(firstPath), second(secondPath);
    auto notWritten = [&](const QSaveFile& file, const QString& path) {
        // Read before the cancels, which replace the file's error with their own.
        const bool full = diskFull(file, path);
        const QString why = failureOf(file);
        first.cancelWriting();
        second.cancelWriting();
        if (full)
            return fail(QStringLiteral("Disque plein : %1 n'ont pas été enregistrés ; les deux fichiers sont gardés tels "
                                       "qu'ils étaient.")
                            .arg(both));
        return fail(QStringLiteral("%1 n'a pas pu être écrit (%2) : rien n'a été remplacé, %3 sont gardés tels qu'ils "
                                   "étaient.")
                        .arg(quoted(path), why, both));
    };
    if (!writeWhole(first, firstData))
        return notWritten(first, firstPath);
    if (!writeWhole(second, secondData))
        return notWritten(second, secondPath);
    if (!first.commit())
        return notWritten(first, firstPath);
    if (second.commit())
        return true;

    const QString why = failureOf(second);
    bool restored = false;
    if (firstExisted) {
        QString ignored; // the message below says it
        restored = writeAtomic(firstPath, firstOld, &ignored);
    } else {
        restored = QFile::remove(firstPath);
    }
    if (restored)
        return fail(QStringLiteral("%1 n'a pas pu être remplacé (%2) : %3 a été remis tel qu'il était ; les deux fichiers "
                                   "sont gardés tels qu'ils étaient.")
                        .arg(quoted(secondPath), why, quoted(firstPath)));
    return fail(QStringLiteral("%1 n'a pas pu être remplacé (%2) et l'ancien %3 n'a pas pu être remis : %3 contient le "
                               "nouveau contenu, %1 l'ancien.")
                    .arg(quoted(secondPath), why, quoted(firstPath)));
}

} // namespace TextFile
