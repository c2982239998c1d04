// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace ArchiveImport {

constexpr const char* kArchiveName = "keno_gagnant_a_vie.zip";
constexpr const char* kCsvName = "keno_gagnant_a_vie.csv";

struct Result {
    QStringList lines; // draw lines to append, oldest first
    QList<int> lineNumbers; // the line of the CSV each one comes from
    int rows = 0; // pieces 1..U-1 looked at
    int skipped = 0; // rows refused
    QStringList reasons; // the first few refusals, in French
    QStringList extractionMessages; // members refused, damaged archive... in French
    bool csvRead = false; // a CSV of this archive was found and read
};

// Asked once per extraction when a member is encrypted; nullopt or empty = no password.
using PasswordPrompt = std::function<std::optional<QString>()>;
// Progress of the CSV cut: value and maximum.
using ImportProgress = std::function<void(int value, int maximum)>;

// Extracts dataFolder/keno_gagnant_a_vie.zip into a scratch folder, reads the CSV it brought
// and turns its rows into draw lines; the scratch folder is removed before returning. The CSV
// read is keno_gagnant_a_vie.csv wherever it lies in the archive, else the one CSV of draws
// nearest its root (keno_202010.csv); never a file that was there before.
Result extractAndConvert(const QString& dataFolder, const PasswordPrompt& askPassword, const ImportProgress& progress);

} // namespace ArchiveImport
