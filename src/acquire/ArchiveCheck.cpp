// SPDX-License-Identifier: GPL-3.0-or-later
#include "acquire/ArchiveCheck.h"

#include "acquire/CsvImport.h"
#include "history/DateText.h"
#include "history/DrawLine.h"
#include "output/Plural.h"

#include <QHash>
#include <algorithm>
#include <array>
#include <map>
#include <vector>

namespace ArchiveCheck {

namespace {

using Sorted = std::array<int, Formula::kMaxDrawn>;

// Held: a draw of the history, given with its numbers; Known: a row given twice in the archive.
enum class Verdict { Open, Keep, Held, Known, Future, OutOfGame, Contradicting, OutOfOrder };

// A draw's place in time: its day, then midi before soir.
qint64 rankOf(const QDate& date, bool midday)
{
    return date.toJulianDay() * 2 + (midday ? 0 : 1);
}

// Eras of the operator's files do not all list the numbers in the same order: compared as sets.
// Places past the game's drawn count stay 0.
Sorted sortedNumbers(QStringView line, int drawn)
{
    Sorted numbers{};
    for (int k = 1; k <= drawn; ++k)
        numbers[static_cast<std::size_t>(k - 1)] = DrawLine::number(line, k);
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

QString datesOf(const Formula& game)
{
    return game.lastDay.isValid()
        ? QStringLiteral("joué du %1 au %2").arg(DateText::format(game.firstDay), DateText::format(game.lastDay))
        : QStringLiteral("joué depuis le %1").arg(DateText::format(game.firstDay));
}

struct Row {
    QDate date;
    qint64 rank = 0;
    Sorted numbers{};
    Verdict verdict = Verdict::Open;
    QString why;
};

// Marks the open rows outside one longest strictly rising run of ranks: the fewest rows to refuse.
void refuseOutOfOrder(std::vector<Row>& rows)
{
    std::vector<int> open, tails, previous(rows.size(), -1);
    for (int i = 0; i < static_cast<int>(rows.size()); ++i)
        if (rows[static_cast<std::size_t>(i)].verdict == Verdict::Open)
            open.push_back(i);
    const auto rank = [&rows](int i) { return rows[static_cast<std::size_t>(i)].rank; };
    for (int i : open) {
        const auto at = std::lower_bound(tails.begin(), tails.end(), i, [&](int a, int b) { return rank(a) < rank(b); });
        previous[static_cast<std::size_t>(i)] = at == tails.begin() ? -1 : *(at - 1);
        if (at == tails.end())
            tails.push_back(i);
        else
            *at = i;
    }
    for (int i = tails.empty() ? -1 : tails.back(); i >= 0; i = previous[static_cast<std::size_t>(i)])
        rows[static_cast<std::size_t>(i)].verdict = Verdict::Keep;
    for (int i : open) {
        Row& row = rows[static_cast<std::size_t>(i)];
        if (row.verdict == Verdict::Open) {
            row.verdict = Verdict::OutOfOrder;
            row.why = QStringLiteral("hors de l'ordre des dates de l'archive");
        }
    }
}

// Two rows of the archive for one draw: the same numbers are one draw given twice; other
// numbers leave nothing to say which is right, so every row of that draw is refused.
void checkRepeats(std::vector<Row>& rows, const QList<int>& lineNumbers)
{
    std::map<qint64, std::vector<std::size_t>> byDraw;
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows[i].verdict == Verdict::Open)
            byDraw[rows[i].rank].push_back(i);
    for (const auto& entry : byDraw) {
        const std::vector<std::size_t>& same = entry.second; // named: a lambda below reads it
        if (same.size() < 2)
            continue;
        const bool agree
            = std::all_of(same.begin(), same.end(), [&](std::size_t i) { return rows[i].numbers == rows[same[0]].numbers; });
        for (std::size_t k = agree ? 1 : 0; k < same.size(); ++k) {
            Row& row = rows[same[k]];
            row.verdict = agree ? Verdict::Known : Verdict::Contradicting;
            if (!agree)
                row.why = QStringLiteral("l'archive donne ce tirage avec d'autres numéros à la ligne %1")
                              .arg(lineNumbers.value(static_cast<int>(same[k == 0 ? 1 : 0])));
        }
    }
}

// Each row against the history and today; the rows left open are new draws.
std::vector<Row> againstHistory(const DrawList& history, const QStringList& lines, const QDate& today)
{
    const Formula& game = history.formula();
    QHash<qint64, Sorted> held;
    qint64 last = -1;
    for (int i = 0; i < history.drawCount(); ++i) {
        const QDate date = history.date(i);
        if (!date.isValid())
            continue;
        const qint64 rank = rankOf(date, history.isMiddayByChar(i));
        held.insert(rank, sortedNumbers(history.text(i), game.drawn));
        last = std::max(last, rank);
    }
    std::vector<Row> rows(static_cast<std::size_t>(lines.size()));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        Row& row = rows[i];
        const QString& line = lines[static_cast<qsizetype>(i)];
        row.date = DrawLine::date(line);
        row.rank = rankOf(row.date, DrawLine::isMiddayByChar(line));
        row.numbers = sortedNumbers(line, game.drawn);
        const auto known = held.constFind(row.rank);
        if (row.date > today) {
            row.verdict = Verdict::Future;
            row.why = QStringLiteral("tirage postérieur à aujourd'hui");
        } else if (!game.ranOn(row.date)) {
            row.verdict = Verdict::OutOfGame;
            row.why = QStringLiteral("hors des dates du %1 (%2)").arg(CsvImport::gameName(game), datesOf(game));
        } else if (known != held.constEnd()) {
            row.verdict = *known == row.numbers ? Verdict::Held : Verdict::Contradicting;
            row.why = QStringLiteral("l'historique donne ce tirage avec d'autres numéros");
        } else if (row.rank < last) {
            row.verdict = Verdict::OutOfOrder;
            row.why = QStringLiteral("absent de l'historique et antérieur à son dernier tirage");
        }
    }
    return rows;
}

// The rows kept, the counts, and the refused rows named in the order of the file.
Result tally(const std::vector<Row>& rows, const QStringList& lines, const QList<int>& lineNumbers)
{
    Result result;
    std::vector<std::pair<int, QString>> named;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const Row& row = rows[i];
        const QString& line = lines[static_cast<qsizetype>(i)];
        switch (row.verdict) {
        case Verdict::Keep:
            result.lines << line;
            result.indices << static_cast<int>(i);
            continue;
        case Verdict::Held:
            result.held << static_cast<int>(i);
            ++result.known;
            continue;
        case Verdict::Known:
            ++result.known;
            continue;
        case Verdict::Future:
            ++result.future;
            break;
        case Verdict::OutOfGame:
            ++result.outOfGame;
            break;
        case Verdict::Contradicting:
            ++result.contradicting;
            break;
        default:
            ++result.outOfOrder;
            break;
        }
        const int number = lineNumbers.value(static_cast<qsizetype>(i));
        const QString slot = DrawLine::isMiddayByChar(line) ? QStringLiteral("midi") : QStringLiteral("soir");
        named.emplace_back(number, QStringLiteral("ligne %1 : %2 %3, %4").arg(number).arg(line.left(10), slot, row.why));
    }
    std::sort(named.begin(), named.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 0; i < named.size() && i < kMaxReasons; ++i)
        result.reasons << named[i].second;
    if (named.size() > kMaxReasons)
        result.reasons << QStringLiteral("... et %1 autres").arg(named.size() - kMaxReasons);
    return result;
}

} // namespace

Result check(const DrawList& history, const QStringList& lines, const QList<int>& lineNumbers, const QDate& today)
{
    std::vector<Row> rows = againstHistory(history, lines, today);
    checkRepeats(rows, lineNumbers);
    refuseOutOfOrder(rows);
    return tally(rows, lines, lineNumbers);
}

QString refusalSummary(const Result& result)
{
    if (result.refused() == 0)
        return {};
    QStringList parts;
    if (result.future > 0)
        parts << QStringLiteral("%1 à aujourd'hui")
                     .arg(Plural::count(result.future, QStringLiteral("postérieur"), QStringLiteral("postérieurs")));
    if (result.contradicting > 0)
        parts << QStringLiteral("%1 en désaccord avec l'historique ou l'archive").arg(result.contradicting);
    if (result.outOfOrder > 0)
        parts << QStringLiteral("%1 hors de l'ordre des dates").arg(result.outOfOrder);
    if (result.outOfGame > 0)
        parts << QStringLiteral("%1 hors des dates du jeu").arg(result.outOfGame);
    return QStringLiteral("%1 (%2)").arg(
        Plural::count(result.refused(), QStringLiteral("tirage refusé"), QStringLiteral("tirages refusés")),
        parts.join(QStringLiteral(", ")));
}

QString otherGame(FormulaId archive, FormulaId history)
{
    return QStringLiteral("Cette archive est celle du %1 ; l'historique ouvert est celui du %2.")
        .arg(CsvImport::gameName(Formula::get(archive)), CsvImport::gameName(Formula::get(history)));
}

} // namespace ArchiveCheck
