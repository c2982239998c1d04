#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>

// Builds the base history Tirages.txt (and the working history) from several of the operator's
// archives at once, for a player who has no history yet. Every draw (its date and its slot) is
// kept once; two archives that give different numbers for one draw are reported.
class BaseBuilder {
public:
    struct ArchiveReport {
        QString name; // file name as given, without the folder
        bool read = false; // the file could be opened (and extracted)
        int rows = 0; // CSV rows looked at
        int skipped = 0; // rows refused by the importer
        int draws = 0; // draws it brought that no earlier archive had
        int duplicates = 0; // draws already known with the same numbers
        int conflicts = 0; // draws already known with other numbers
        QStringList messages; // what went wrong, in French
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
        QStringList lines; // every draw once, oldest first, midi before soir
        QList<ArchiveReport> archives;
        QList<Conflict> conflicts;
        QList<Gap> gaps;
        int duplicates = 0;
        QDate first, last;
        bool stopped = false; // cancelled before every archive was read
        // French lines: draws per archive, duplicates, conflicts, first and last date, gaps.
        QStringList summary() const;
    };
    struct WriteOptions {
        bool replace = false; // overwrite existing history files
        bool keepFirstOnConflict = false; // write even when archives disagree (first one wins)
    };

    // value of maximum, once per archive read.
    using Progress = std::function<void(int value, int maximum)>;

    // Reads the archives (.zip or .csv, told apart by their content) in the order given; a set
    // `cancel` stops between two archives (the result is then `stopped`).
    static Result collect(const QStringList& archivePaths, const Progress& progress = {},
                          const std::atomic<bool>* cancel = nullptr);

    // Writes Tirages.txt and Tirages_keno.txt in `dataFolder`, each atomically. Refuses (false,
    // French reason) when no draw was read, when a history file exists and `replace` is not
    // set, or when the archives disagree and `keepFirstOnConflict` is not set.
    static bool write(const Result& result, const QString& dataFolder, const WriteOptions& options, QString* error);

    // The history file that stops a build without `replace`, or an empty text.
    static QString existingHistory(const QString& dataFolder);
};
