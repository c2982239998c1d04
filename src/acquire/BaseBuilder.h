// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/Formula.h"
#include "history/Multipliers.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>

// Builds the base history Tirages.txt and the working history from several of the operator's
// archives at once, for one game (an archive of the other game is refused whole). Every draw (its date and its slot) is kept
// once; two archives that give different numbers for one draw are reported. The draws of the player's working history that the
// archives lack are kept; one that the archives contradict stops the build.
class BaseBuilder {
public:
    struct ArchiveReport {
        QString name; // file name as given, without the folder
        bool read = false; // the file could be opened (and extracted)
        bool cut = false; // a read failed midway: nothing of it is kept, and nothing is written
        int rows = 0; // CSV rows looked at
        int skipped = 0; // rows refused by the importer
        int draws = 0; // draws it brought that no earlier archive had
        int duplicates = 0; // draws already known with the same numbers
        int conflicts = 0; // draws already known with other numbers
        QStringList messages; // what went wrong, in French
        QString newestLine; // its newest draw
        // The oldest draw a download of this archive appends (a CSV without a final line feed
        // loses its last row, the oldest, there).
        QString firstImportedLine;
    };
    struct Conflict {
        QDate date;
        QString slot; // "midi" or "soir"
        QString keptArchive, keptLine; // the first archive that gave the draw, and its line
        QString otherArchive, otherLine;
    };
    struct Gap {
        QDate from, to; // days with no draw, inclusive
        int days() const { return static_cast<int>(from.daysTo(to)) + 1; }
    };
    struct Result {
        FormulaId formula = FormulaId::Keno20of70; // the game built
        QStringList lines; // every draw of the archives once, oldest first, midi before soir
        // The multiplier of each of `lines` whose rows give one: the first archive's that does.
        Multipliers multipliers;
        QList<ArchiveReport> archives;
        QList<Conflict> conflicts;
        QList<Gap> gaps;
        int duplicates = 0;
        QDate first, last;
        bool stopped = false; // cancelled before every archive was read

        // What is written. The working history holds every draw; the base history only those
        // older than what the newest archive brings, since a download appends that archive whole
        // after the base history.
        QStringList working, base;
        int newestArchive = -1; // index in archives of the one a download fetches again

        // Filled by mergeWorking: the player's working history against the archives.
        QString workingName; // empty when no working history was merged
        QStringList kept; // its draws the archives lack, oldest first
        QList<Conflict> workingConflicts; // its lines the archives contradict (kept = its line)
        QStringList unreadable; // "ligne N : ..." for its lines that are not dated draws
        // Filled by mergeBase: the base history's draws that neither the archives nor the working
        // history hold (a draw typed into Tirages.txt alone), oldest first.
        QString baseName; // empty when no base history was merged
        QStringList keptBase;

        // The archives' draws and the kept ones can be written.
        bool writable() const
        {
            return !lines.isEmpty() && workingConflicts.isEmpty() && unreadable.isEmpty() && cutArchive().isEmpty();
        }
        // The name of the first archive that could not be read to its end, or an empty text.
        QString cutArchive() const;
        // French lines: draws per archive, duplicates, conflicts, first and last date, gaps, what
        // was kept of the working history and what each file receives.
        QStringList summary() const;
    };
    struct WriteOptions {
        bool replace = false; // overwrite existing history files
        bool keepFirstOnConflict = false; // write even when archives disagree (first one wins)
    };
    struct Paths {
        QString base, working;
        // The game's base and working histories in `dataFolder` (Tirages.txt and Tirages_keno.txt
        // for the classic game), whatever the case of their names.
        static Paths in(const QString& dataFolder, FormulaId game = FormulaId::Keno20of70);
    };

    // value of maximum, once per archive read.
    using Progress = std::function<void(int value, int maximum)>;

    // Reads the archives (.zip or .csv, told apart by their content) in the order given; a set
    // `cancel` stops between two archives (the result is then `stopped`).
    // Rows of a CSV are all taken, the last one included when the file lacks a final line feed;
    // a row dated outside the days `game` ran is refused and named.
    static Result collect(const QStringList& archivePaths, const Progress& progress = {},
                          const std::atomic<bool>* cancel = nullptr, FormulaId game = FormulaId::Keno20of70);

    // Merges the lines of the player's history (`name` as shown): a draw the archives lack is
    // kept, one they hold with the same numbers is theirs, one they contradict is reported.
    static void mergeWorking(Result& result, const QStringList& workingLines, const QString& name);
    // Then the base history (`name` as shown): its draws that neither the archives nor
    // `workingLines` hold are kept too; one the archives alone contradict is reported. Where the
    // working history gives a draw, its numbers stand (the player's corrections).
    static void mergeBase(Result& result, const QStringList& baseLines, const QStringList& workingLines, const QString& name);

    // Writes both history files, both or neither, and beside the working history the archives'
    // multipliers of the draws that have none there (the values the file holds stay). Refuses
    // (false, French reason) when nothing can be written (see writable()), when a history file
    // exists and `replace` is not set, or when the archives disagree and `keepFirstOnConflict` is
    // not set.
    static bool write(const Result& result, const Paths& paths, const WriteOptions& options, QString* error);
    static bool write(const Result& result, const QString& dataFolder, const WriteOptions& options, QString* error)
    {
        return write(result, Paths::in(dataFolder), options, error);
    }

    // The history file that stops a build without `replace`, or an empty text.
    static QString existingHistory(const Paths& paths);
    static QString existingHistory(const QString& dataFolder) { return existingHistory(Paths::in(dataFolder)); }

private:
    // Fills `working` and `base` from the archives' draws and the kept ones.
    static void splitFiles(Result& result);
};
