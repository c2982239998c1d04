// SPDX-License-Identifier: GPL-3.0-or-later
#include "analyses/Announcer.h"
#include "support/NewGameSupport.h"
#include "support/TestSupport.h"

using namespace TestSupport;

TEST(Announcer, FollowersHitsAndRefusals)
{
    // {1,2} in draws 0 and 2; draw 1 holds 5, draw 3 holds 6, both with fillers 52..70.
    const DrawMatrix m
        = matrixOf({drawHolding(0, {1, 2}), drawHolding(1, {5}), drawHolding(2, {1, 2}), drawHolding(3, {6}), QString()});
    const Announcer::Result r = Announcer::report(m, StudyPeriod{0, 3}, {1, 2});
    EXPECT_EQ(r.hits, 2);
    const QStringList& lines = r.report.lines;
    ASSERT_EQ(lines.size(), 2 + 70);
    EXPECT_EQ(
        lines.mid(0, 3),
        utf8Lines({" 01 02", "Cette combinaison est sortie  2 fois et a annoncé au tirage suivant", "2 fois le numéro  52"}));
    EXPECT_EQ(lines.mid(20, 4),
              utf8Lines({"2 fois le numéro  70", "1 fois le numéro  5", "1 fois le numéro  6", "0 fois le numéro  1"}));
    EXPECT_EQ(lines.last(), QStringLiteral("0 fois le numéro  51"));
    EXPECT_TRUE(r.report.exported);
    int total = 0;
    for (const QString& line : lines.mid(2))
        total += line.section(QLatin1Char(' '), 0, 0).toInt();
    EXPECT_EQ(total, 20 * 2);

    // Out only in the period's last draw: the next item is the empty line, all counts 0.
    const Announcer::Result newest = Announcer::report(m, StudyPeriod{0, 3}, {6});
    EXPECT_EQ(newest.hits, 1);
    EXPECT_EQ(newest.report.lines[2], QStringLiteral("0 fois le numéro  1"));
    EXPECT_EQ(newest.report.lines.last(), QStringLiteral("0 fois le numéro  70"));

    const Announcer::Result never = Announcer::report(m, StudyPeriod{0, 3}, {1, 5});
    EXPECT_EQ(never.report.lines, utf8Lines({" Cette combinaison n'est jamais sortie"}));
    EXPECT_FALSE(never.report.exported);

    const Announcer::Result tooMany = Announcer::report(m, StudyPeriod{0, 3}, numberRange(1, 21));
    EXPECT_TRUE(tooMany.tooManyNumbers);
    EXPECT_TRUE(tooMany.report.lines.isEmpty());
    EXPECT_FALSE(tooMany.report.exported);
    EXPECT_FALSE(Announcer::tooManyMessage().isEmpty());
}

TEST(Announcer, EmptySetOnALongHistory)
{
    const int draws = 32766;
    const QStringList list = makeHistory(draws) << QString();
    // Every draw examined is a hit, the trailing empty item included: 32,767 hits.
    const Announcer::Result r = Announcer::report(matrixOf(list), StudyPeriod{0, draws - 1}, {});
    EXPECT_EQ(r.hits, draws + 1);
    EXPECT_EQ(r.report.lines.mid(0, 2),
              utf8Lines({"", "Cette combinaison est sortie 32 767 fois et a annoncé au tirage suivant"}));
    // The followers are the appearances in draws 1..newest.
    const std::array<int, 71> expected = referenceStats(list, 1, draws - 1).appearances;
    int total = 0;
    for (const QString& line : r.report.lines.mid(2)) {
        const int count = line.section(QLatin1Char(' '), 0, 0).toInt();
        const int number = line.section(QLatin1Char(' '), -1).toInt();
        EXPECT_EQ(count, expected[static_cast<size_t>(number)]) << number;
        total += count;
    }
    EXPECT_EQ(total, 20 * (draws - 1));
}

TEST(Announcer, NewGameFollowersOfFiftySixAndSixteenAtMost)
{
    namespace ng = NewGameSupport;
    const ng::Draws draws = ng::randomDraws(600, 23);
    const DrawMatrix m = ng::matrixOf(draws);
    const QList<int> chosen{12};
    int hits = 0;
    std::array<int, 57> followers{};
    for (int d = 0; d <= 599; ++d) {
        if (!ng::holds(draws[static_cast<size_t>(d)], 12))
            continue;
        ++hits;
        if (d + 1 < 600)
            for (int n : draws[static_cast<size_t>(d + 1)])
                ++followers[static_cast<size_t>(n)];
    }
    const Announcer::Result r = Announcer::report(m, StudyPeriod{0, 599}, chosen);
    EXPECT_EQ(r.hits, hits);
    ASSERT_EQ(r.report.lines.size(), 2 + 56);
    int listed = 0;
    for (qsizetype i = 2; i < r.report.lines.size(); ++i) {
        const QString& line = r.report.lines[i];
        const int n = line.section(QLatin1Char(' '), -1).toInt();
        ASSERT_TRUE(n >= 1 && n <= 56) << line.toStdString();
        EXPECT_EQ(line.section(QLatin1Char(' '), 0, 0).toInt(), followers[static_cast<size_t>(n)]) << n;
        listed += followers[static_cast<size_t>(n)];
    }
    EXPECT_EQ(listed, 16 * (hits - (ng::holds(draws.back(), 12) ? 1 : 0)));

    // Sixteen numbers may still come out together; seventeen never do.
    EXPECT_FALSE(Announcer::report(m, StudyPeriod{0, 599}, numberRange(1, 16)).tooManyNumbers);
    EXPECT_TRUE(Announcer::report(m, StudyPeriod{0, 599}, numberRange(1, 17)).tooManyNumbers);
    EXPECT_EQ(Announcer::tooManyMessage(Formula::current()),
              QStringLiteral("Choisissez au plus 16 numéros : un tirage n'en contient que 16."));
}
