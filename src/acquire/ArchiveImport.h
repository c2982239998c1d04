// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/Formula.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace ArchiveImport {

constexpr const char* kArchiveName = "keno_gagnant_a_vie.zip";
constexpr const char* kCsvName = "keno_gagnant_a_vie.csv";

// Where each game's download is kept in the data folder: the classic one keeps its old name.
QString archiveName(FormulaId game);

struct Result {
    FormulaId formula = FormulaId::Keno20of70; // the game the CSV's header names
    QStringList lines; // draw lines to append, oldest first
    QList<int> lineNumbers; // the line of the CSV each one comes from
    QList<std::optional<int>> multipliers; // each line's multiplier, none where the row gives none
    int rows = 0; // pieces 1..U-1 looked at
    int skipped = 0; // rows refused
    QStringList reasons; // the first few refusals, in French
    QStringList extractionMessages; // members refused, damaged archive... in French
    bool csvRead = false; // a CSV of this archive was found and read
    // The archive is another game's than the one asked: the one sentence that says so, and
    // nothing of it is read.
    QString wrongGame;
};

// Asked once per extraction when a member is encrypted; nullopt or empty = no password.
using PasswordPrompt = std::function<std::optional<QString>()>;
// Progress of the CSV cut: value and maximum.
using ImportProgress = std::function<void(int value, int maximum)>;

// Extracts the archive at `archivePath` into a scratch folder, reads the CSV it brought and turns
// its rows into draw lines of `game`; the scratch folder is removed before returning. The CSV
// read is keno_gagnant_a_vie.csv wherever it lies in the archive, else the one CSV of draws
// nearest its root (keno_202010.csv, keno_202511.csv); never a file that was there before. An
// archive of the other game is refused whole (see wrongGame).
Result convertArchive(const QString& archivePath, const PasswordPrompt& askPassword, const ImportProgress& progress,
                      FormulaId game = FormulaId::Keno20of70);
// The same for archiveName(game) in `dataFolder`.
Result extractAndConvert(const QString& dataFolder, const PasswordPrompt& askPassword, const ImportProgress& progress,
                         FormulaId game = FormulaId::Keno20of70);

} // namespace ArchiveImport
