// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes given as the archive: the extraction must neither crash nor write outside its folder.
#include "acquire/ZipExtractor.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <optional>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // One folder for the whole run, never destroyed: no Qt object is left to static destructors.
    static QTemporaryDir* const base = new QTemporaryDir();
    if (!base->isValid())
        return 0;
    const QString archive = base->filePath(QStringLiteral("archive.zip"));
    const QString folder = base->filePath(QStringLiteral("out"));
    QDir(folder).removeRecursively();

    QFile file(archive);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    file.close();

    ZipExtractor extractor([]() -> std::optional<QString> { return std::nullopt; });
    // Small limits keep each run quick; the checks are the same.
    extractor.setSizeLimits(1 << 20, 4 << 20);
    const ZipExtractor::Result result = extractor.extract(archive, folder);
    if (result.extracted != result.written.size())
        __builtin_trap();

    // Only the archive and the extraction folder may exist beside each other.
    const QStringList beside = QDir(base->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QString& name : beside) {
        if (name != QLatin1String("archive.zip") && name != QLatin1String("out"))
            __builtin_trap();
    }
    return 0;
}
