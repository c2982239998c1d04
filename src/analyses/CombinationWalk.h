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
    QString combination; // text of the combination under examination
    double done = 0; // share of the combinations walked, 0..1
    const QStringList* lines = nullptr; // the record lines so far (copy them if needed later)
    int latestRecordDraw = -1; // gap search: list index of the latest record's draw
};

struct Options {
    // Called from the walking thread at most once per `interval`; unset: never.
    std::function<void(const Progress&)> onProgress;
    std::chrono::milliseconds interval{50};
    // Set from another thread to stop; the lines found so far are returned.
    const std::atomic<bool>* cancel = nullptr;
};

struct Result {
    QStringList lines; // the record lines, in the order they are written
    QString lastCombination; // the text the label shows at the end; empty when no combination
    int latestRecordDraw = -1; // gap search: list index of the draw line to show, -1 when none
    bool stopped = false; // cancelled before the end of the walk
};

} // namespace CombinationWalk
