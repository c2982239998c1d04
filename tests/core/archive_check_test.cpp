// SPDX-License-Identifier: GPL-3.0-or-later
#include "acquire/ArchiveCheck.h"
#include "support/GameArchive.h"
#include "support/TestSupport.h"

#include <algorithm>

using namespace TestSupport;

namespace {

const QDate kToday(2025, 3, 1);

// The same draw with its numbers in the order the operator's files give them (not ascending).
QString reversedNumbers(const QString& line)
{
    QList<int> numbers;
    for (int k = 20; k >= 1; --k)
        numbers << line.mid(8 + 3 * k, 2).toInt();
    return drawLine(line.left(10), numbers, line.endsWith(QLatin1String("midi")) ? " midi" : " soir");
}

// The same draw with one number changed.
QString otherNumbers(const QString& line)
{
    QString changed = line;
    const bool has70 = line.mid(68, 2) == QLatin1String("70");
    changed.replace(68, 2, has70 ? QStringLiteral("69") : QStringLiteral("70"));
    return changed;
}

// The archive's lines with made-up line numbers: the file lists the newest first.
QList<int> numbersFor(const QStringList& lines)
{
    QList<int> numbers;
    for (qsizetype i = 0; i < lines.size(); ++i)
        numbers << static_cast<int>(lines.size() - i + 1);
    return numbers;
}

ArchiveCheck::Result check(const QStringList& history, const QStringList& archive)
{
    return ArchiveCheck::check(DrawList::fromLines(history), archive, numbersFor(archive), kToday);
}

} // namespace

TEST(ArchiveCheck, AnOverlappingArchiveAddsOnlyWhatTheHistoryLacks)
{
    const QStringList all = makeHistory(20, QDate(2025, 1, 1));
    QStringList archive = all.mid(6);
    for (int i = 0; i < 4; ++i)
        archive[i] = reversedNumbers(archive[i]); // the same draws, listed in another order
    const ArchiveCheck::Result result = check(all.mid(0, 10), archive);
    EXPECT_EQ(result.lines, all.mid(10));
    EXPECT_EQ(result.known, 4);
    EXPECT_EQ(result.refused(), 0);
    EXPECT_TRUE(result.reasons.isEmpty());
    EXPECT_EQ(ArchiveCheck::refusalSummary(result), QString());

    // An archive given twice over: nothing new, nothing refused.
    const ArchiveCheck::Result again = check(all, all);
    EXPECT_TRUE(again.lines.isEmpty());
    EXPECT_EQ(again.known, 20);

    // Today's draws are not in the future, tomorrow's are.
    const QString todays = drawWith(kToday, false, {1}, 2), tomorrows = drawWith(kToday.addDays(1), true, {1}, 2);
    const ArchiveCheck::Result dated = check(all, QStringList{todays, tomorrows});
    EXPECT_EQ(dated.lines, QStringList{todays});
    EXPECT_EQ(dated.reasons,
              QStringList{QStringLiteral("ligne 2 : %1 midi, tirage postérieur à aujourd'hui").arg(tomorrows.left(10))});
    EXPECT_EQ(ArchiveCheck::refusalSummary(dated), QStringLiteral("1 tirage refusé (1 postérieur à aujourd'hui)"));
}

TEST(ArchiveCheck, OrderIsKeptWithTheFewestRowsRefused)
{
    const QStringList all = makeHistory(30, QDate(2025, 1, 1));
    // A row far ahead of its neighbours, not only one far behind, is the one refused.
    QStringList archive = all.mid(10, 10);
    archive.insert(3, all[25]);
    ArchiveCheck::Result result = check(all.mid(0, 10), archive);
    EXPECT_EQ(result.lines, all.mid(10, 10));
    EXPECT_EQ(result.outOfOrder, 1);
    EXPECT_EQ(
        result.reasons,
        QStringList{
            QStringLiteral("ligne 9 : %1 %2, hors de l'ordre des dates de l'archive").arg(all[25].left(10), all[25].right(4))});

    // A draw the history lacks but older than its last one cannot be appended in order.
    QStringList gapped = all.mid(0, 10);
    gapped.removeAt(4);
    result = check(gapped, all.mid(4, 10));
    EXPECT_EQ(result.lines, all.mid(10, 4));
    EXPECT_EQ(result.known, 5);
    EXPECT_EQ(result.held, (QList<int>{1, 2, 3, 4, 5})); // the rows of the history's draws
    EXPECT_EQ(result.outOfOrder, 1);
    EXPECT_TRUE(result.reasons.value(0).endsWith(QStringLiteral("absent de l'historique et antérieur à son dernier tirage")));

    // Whole archive listed the wrong way round: one row kept, none written out of order.
    QStringList reversed = all.mid(10, 5);
    std::reverse(reversed.begin(), reversed.end());
    result = check(all.mid(0, 10), reversed);
    EXPECT_EQ(result.lines.size(), 1);
    EXPECT_EQ(result.outOfOrder, 4);
}

TEST(ArchiveCheck, ADrawGivenTwiceByTheArchive)
{
    const QStringList all = makeHistory(12, QDate(2025, 1, 1));
    // The same numbers twice: one draw.
    QStringList twice = all.mid(4);
    twice.insert(2, reversedNumbers(all[5]));
    ArchiveCheck::Result result = check(all.mid(0, 4), twice);
    EXPECT_EQ(result.lines, all.mid(4));
    EXPECT_EQ(result.known, 1);
    EXPECT_TRUE(result.held.isEmpty()); // a draw the history lacks, given twice

    // Other numbers: nothing says which is right, both are refused.
    QStringList disagreeing = all.mid(4);
    disagreeing.insert(2, otherNumbers(all[5]));
    result = check(all.mid(0, 4), disagreeing);
    QStringList expected = all.mid(4);
    expected.removeAt(1);
    EXPECT_EQ(result.lines, expected);
    EXPECT_EQ(result.contradicting, 2);
    EXPECT_TRUE(result.reasons.value(0).endsWith(QStringLiteral("avec d'autres numéros à la ligne 9")));

    // Many refusals: the first ones are named, the rest counted.
    QStringList future;
    for (int d = 0; d < ArchiveCheck::kMaxReasons + 3; ++d)
        future << drawWith(kToday.addDays(d + 1), true, {1}, 2);
    result = check(all, future);
    EXPECT_EQ(result.future, ArchiveCheck::kMaxReasons + 3);
    EXPECT_EQ(result.reasons.size(), ArchiveCheck::kMaxReasons + 1);
    EXPECT_EQ(result.reasons.last(), QStringLiteral("... et 3 autres"));
}

// Each game ran on its own days: a row dated outside them is no draw of that game.
TEST(ArchiveCheck, ARowOutsideItsGamesDatesIsRefusedWithItsLine)
{
    const QDate today(2025, 12, 1);
    // The classic game's last draw was the evening of 02/11/2025.
    const QStringList classic = {drawWith(QDate(2025, 11, 1), false, {1}, 2), drawWith(QDate(2025, 11, 2), true, {1}, 2),
                                 drawWith(QDate(2025, 11, 2), false, {1}, 2), drawWith(QDate(2025, 11, 3), false, {1}, 2)};
    ArchiveCheck::Result result = ArchiveCheck::check(DrawList::fromLines(classic.mid(0, 1)), classic.mid(1), {4, 3, 2}, today);
    EXPECT_EQ(result.lines, classic.mid(1, 2));
    EXPECT_EQ(result.indices, QList<int>({0, 1}));
    EXPECT_EQ(result.outOfGame, 1);
    EXPECT_EQ(result.reasons,
              QStringList{QStringLiteral("ligne 2 : 03/11/2025 soir, hors des dates du Keno 20 sur 70 (joué du "
                                         "16/09/1993 au 02/11/2025)")});
    EXPECT_EQ(ArchiveCheck::refusalSummary(result), QStringLiteral("1 tirage refusé (1 hors des dates du jeu)"));

    // The new game's first draw was the evening of 03/11/2025.
    const QStringList current = GameArchive::lines(GameArchive::draws(4, QDate(2025, 11, 1)));
    DrawList history;
    history.setFormula(FormulaId::Keno16of56);
    result = ArchiveCheck::check(history, current, {5, 4, 3, 2}, today);
    EXPECT_EQ(result.lines, current.mid(2));
    EXPECT_EQ(result.indices, QList<int>({2, 3}));
    EXPECT_EQ(result.outOfGame, 2);
    EXPECT_EQ(
        result.reasons,
        QStringList({QStringLiteral("ligne 4 : 02/11/2025 soir, hors des dates du Keno 16 sur 56 (joué depuis le 03/11/2025)"),
                     QStringLiteral("ligne 5 : 01/11/2025 soir, hors des dates du Keno 16 sur 56 (joué depuis le 03/11/2025)")}));

    // The new game's draws are compared as sets of sixteen: the same draw in another order is
    // known, one number changed is refused.
    history.append(current[2]);
    QList<int> numbers = GameArchive::sixteen(2);
    std::reverse(numbers.begin(), numbers.end());
    result = ArchiveCheck::check(history, {GameArchive::line({QDate(2025, 11, 3), numbers})}, {2}, today);
    EXPECT_EQ(result.known, 1);
    EXPECT_TRUE(result.lines.isEmpty());
    int absent = 1;
    while (numbers.contains(absent))
        ++absent;
    numbers[0] = absent;
    result = ArchiveCheck::check(history, {GameArchive::line({QDate(2025, 11, 3), numbers})}, {2}, today);
    EXPECT_EQ(result.contradicting, 1);
}
