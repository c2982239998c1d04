// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>

// What the two combination walks ("Plus sortis" and "&Recherche Ecart") share: the input boxes,
// the line layouts, and the progress / stop interface of a walk that runs off the window's thread.
namespace CombinationWalk {

inline constexpr int kMinSize = 2;
inline constexpr int kMaxSize = 10;

// First input box of both commands: prompt, title and default answer; the answer is read with
// NumberFormat::readTypedNumber and anything outside 2..10 ends the command.
QString sizePrompt();
QString sizeTitle();
QString sizeDefault();
bool isSize(qint64 r);
// Second input box of the gap search (no title, the size just given as default; any value).
QString leastPrompt();

// One blank then the number in plain digits, for each number: " 5 12 33".
QString text(const QList<int>& numbers);
// "Plus sortis": text, four blanks, the count.
QString mostFrequentLine(const QString& text, int count);
// "Recherche Ecart": text, two blanks, then how many numbers came out and the gap, each written
// with a blank before a non-negative value, separated by one blank.
QString gapLine(const QString& text, int present, int gap);

// C(k, r) as a double (exact up to 2^53), for shares of a walk.
double combinationCount(int k, int r);

struct Progress {
    QString combination; // text of the first combination not examined yet
    qint64 examined = 0; // combinations examined, in walk order, out of
    qint64 total = 0; // C(k, r)
    std::chrono::milliseconds elapsed{0}; // since the walk started
    const QStringList* lines = nullptr; // the record lines so far (copy them if needed later)
    int latestRecordDraw = -1; // gap search: list index of the latest record's draw

    double done() const { return total > 0 ? static_cast<double>(examined) / static_cast<double>(total) : 1.0; }
};

// "4 962 235 combinaisons examinées sur 12 103 014 (41 %), reste environ 2 min 05 s": the
// share is rounded down (with a decimal under 1 %: "0,4 %"), the time left extrapolated from the
// time spent.
QString progressText(const Progress& progress);

// The line that follows the records of a walk stopped before its end, so that a partial list
// never passes for a whole one: "Recherche arrêtée : 41 % des combinaisons examinées".
QString stoppedLine(qint64 examined, qint64 total);
// Whether `line` is such a line.
bool isStoppedLine(const QString& line);

struct Options {
    // Called from the thread that started the walk at most once per `interval`; unset: never.
    std::function<void(const Progress&)> onProgress;
    std::chrono::milliseconds interval{50};
    // Set from another thread to stop; the lines found so far are returned.
    const std::atomic<bool>* cancel = nullptr;
    // How many threads walk; 0: one per core of the machine.
    int threads = 0;
};

struct Result {
    QStringList lines; // the record lines, in the order they are written
    QString lastCombination; // the text the label shows at the end; empty when no combination
    int latestRecordDraw = -1; // gap search: list index of the draw line to show, -1 when none
    bool stopped = false; // cancelled before the end of the walk
    // Combinations examined in walk order (all of them unless stopped) out of C(k, r). A stopped
    // walk's lines are exactly those of the whole walk among its first `examined` combinations.
    qint64 examined = 0;
    qint64 total = 0;
};

} // namespace CombinationWalk
