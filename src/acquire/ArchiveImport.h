#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace ArchiveImport {

constexpr const char* kArchiveName = "keno_gagnant_a_vie.zip";
constexpr const char* kCsvName = "keno_gagnant_a_vie.csv";

struct Result {
    QStringList lines; // draw lines to append, oldest first
    int rows = 0; // pieces 1..U-1 looked at
    int skipped = 0; // rows refused
    QStringList reasons; // the first few refusals, in French
    QStringList extractionMessages; // members refused, damaged archive... in French
    bool csvRead = false; // a CSV was found and read after the extraction
    QStringList keptBack; // members skipped because they would replace a file the program keeps
};

// Asked once per extraction when a member is encrypted; nullopt or empty = no password.
using PasswordPrompt = std::function<std::optional<QString>()>;
// Progress of the CSV cut: value and maximum.
using ImportProgress = std::function<void(int value, int maximum)>;

// Extracts dataFolder/keno_gagnant_a_vie.zip into dataFolder, then reads
// dataFolder/keno_gagnant_a_vie.csv and turns its rows into draw lines. An archive that brings
// no such file but exactly one CSV of draws at its root (keno_202010.csv) has that one read.
// No member is written over one of `keptFiles` (the histories, the settings and criteria files).
Result extractAndConvert(const QString& dataFolder, const PasswordPrompt& askPassword, const ImportProgress& progress,
                         const QStringList& keptFiles = {});

} // namespace ArchiveImport
