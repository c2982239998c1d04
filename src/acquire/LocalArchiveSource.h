// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "acquire/ArchiveSource.h"

#include <QByteArray>
#include <optional>

// Takes the archive from a local file (`tiravol-cli import`, tests). `url` is a path or a
// file: URL. A ZIP is copied as it is; any other file is taken for the operator's CSV.
class LocalArchiveSource : public ArchiveSource {
public:
    // Neither a ZIP nor its CSV comes anywhere near this size.
    static constexpr qint64 kMaxSize = 200LL * 1024 * 1024;

    bool fetch(const QString& url, const QString& destination, const Progress& progress, QString* error) override;

    // True when the bytes begin like a ZIP archive (a member, or the end record of an empty one).
    static bool looksLikeZip(const QByteArray& bytes);

    // A ZIP holding `data` as its only member `memberName`; nullopt and a French reason on failure.
    static std::optional<QByteArray> zipOneFile(const QString& memberName, const QByteArray& data, QString* error);
};
