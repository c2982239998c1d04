// SPDX-License-Identifier: GPL-3.0-or-later
#include "acquire/LocalArchiveSource.h"

#include "acquire/ArchiveImport.h"
#include "output/TextFile.h"

#include <QDir>
#include <QFile>
#include <QUrl>

#include <zip.h>

namespace {

QString failure(const QString& why)
{
    return QStringLiteral("Échec de l'import : %1").arg(why);
}

} // namespace

bool LocalArchiveSource::looksLikeZip(const QByteArray& bytes)
{
    return bytes.startsWith(QByteArrayLiteral("PK\x03\x04")) || bytes.startsWith(QByteArrayLiteral("PK\x05\x06"));
}

std::optional<QByteArray> LocalArchiveSource::zipOneFile(const QString& memberName, const QByteArray& data, QString* error)
{
    auto fail = [error](const QString& why) -> std::optional<QByteArray> {
        if (error)
            *error = failure(QStringLiteral("création de l'archive impossible (%1)").arg(why));
        return std::nullopt;
    };

    // The archive is built in memory: the destination is then written in one atomic step.
    zip_error_t zipError;
    zip_error_init(&zipError);
    zip_source_t* memory = zip_source_buffer_create(nullptr, 0, 0, &zipError);
    if (!memory) {
        const QString why = QString::fromUtf8(zip_error_strerror(&zipError));
        zip_error_fini(&zipError);
        return fail(why);
    }
    zip_t* archive = zip_open_from_source(memory, ZIP_TRUNCATE, &zipError);
    if (!archive) {
        const QString why = QString::fromUtf8(zip_error_strerror(&zipError));
        zip_error_fini(&zipError);
        zip_source_free(memory);
        return fail(why);
    }
    zip_error_fini(&zipError);
    zip_source_keep(memory); // still needed after zip_close to read the result

    zip_source_t* content = zip_source_buffer(archive, data.constData(), static_cast<zip_uint64_t>(data.size()), 0);
    if (!content || zip_file_add(archive, memberName.toUtf8().constData(), content, ZIP_FL_ENC_UTF_8) < 0) {
        const QString why = QString::fromUtf8(zip_strerror(archive));
        if (content)
            zip_source_free(content);
        zip_discard(archive);
        zip_source_free(memory);
        return fail(why);
    }
    if (zip_close(archive) != 0) {
        const QString why = QString::fromUtf8(zip_strerror(archive));
        zip_discard(archive);
        zip_source_free(memory);
        return fail(why);
    }

    QByteArray bytes;
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_source_stat(memory, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE) || zip_source_open(memory) != 0) {
        zip_source_free(memory);
        return fail(QStringLiteral("lecture en mémoire"));
    }
    bytes.resize(static_cast<qsizetype>(stat.size));
    const zip_int64_t read = zip_source_read(memory, bytes.data(), stat.size);
    zip_source_close(memory);
    zip_source_free(memory);
    if (read != static_cast<zip_int64_t>(stat.size))
        return fail(QStringLiteral("lecture en mémoire"));
    return bytes;
}

bool LocalArchiveSource::fetch(const QString& url, const QString& destination, const Progress& progress, QString* error)
{
    auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return false;
    };

    const QString path = url.startsWith(QLatin1String("file:"), Qt::CaseInsensitive) ? QUrl(url).toLocalFile() : url;
    QFile source(path);
    if (!source.open(QIODevice::ReadOnly))
        return fail(failure(QStringLiteral("%1 (%2)").arg(QDir::toNativeSeparators(path), TextFile::reason(source))));
    if (source.size() > kMaxSize)
        return fail(failure(QStringLiteral("%1 est trop volumineux").arg(QDir::toNativeSeparators(path))));
    QByteArray bytes;
    QString readError;
    if (!TextFile::readToEnd(source, &bytes, &readError))
        return fail(failure(QStringLiteral("%1 (%2)").arg(QDir::toNativeSeparators(path), readError)));
    source.close();

    // A CSV is wrapped in a ZIP under the operator's name, so the import path is the same for both.
    if (!looksLikeZip(bytes)) {
        QString why;
        std::optional<QByteArray> zipped = zipOneFile(QLatin1String(ArchiveImport::kCsvName), bytes, &why);
        if (!zipped)
            return fail(why);
        bytes = std::move(*zipped);
    }

    QString writeError;
    if (!TextFile::writeAtomic(destination, bytes, &writeError))
        return fail(failure(writeError));
    if (progress)
        progress(bytes.size(), bytes.size());
    return true;
}
