#include "history/DrawLine.h"
#include "history/DrawMatrix.h"
#include "output/NumberFormat.h"
#include "stats/NumberStats.h"
#include "stats/Rankings.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <tuple>
#include <vector>

namespace {

const QString kGood = QStringLiteral("16/09/1993 01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 70 midi");

// kGood with the two characters of field k replaced.
QString withField(int k, const char* text)
{
    return QString(kGood).replace(3 * k + 8, 2, QString::fromLatin1(text));
}

} // namespace

TEST(DrawLine, FieldsByPositionSemicolonsBuildAndProblems)
{
    EXPECT_EQ(DrawLine::number(kGood, 20), 70);
    EXPECT_EQ(DrawLine::number(withField(3, " 5"), 3), 5);
    EXPECT_EQ(DrawLine::number(withField(3, "ab"), 3), 0);
    EXPECT_EQ(DrawLine::number(kGood.left(40), 20), 0);
    EXPECT_EQ(DrawLine::date(kGood), QDate(1993, 9, 16));
    EXPECT_EQ(DrawLine::normalize(QString(kGood).replace(QLatin1Char(' '), QLatin1Char(';'))), kGood);

    DrawLine::Numbers numbers{};
    for (int k = 0; k < DrawLine::kNumbers; ++k)
        numbers[static_cast<size_t>(k)] = k == 0 ? 70 : 20 - k; // written in the given order
    const QString evening = DrawLine::build(QDate(2024, 1, 2), numbers, false);
    EXPECT_EQ(evening, QStringLiteral("02/01/2024 70 19 18 17 16 15 14 13 12 11 10 09 08 07 06 05 04 03 02 01 soir"));
    EXPECT_TRUE(DrawLine::isMiddayByChar(kGood));
    EXPECT_FALSE(DrawLine::isMiddayByChar(evening));

    EXPECT_FALSE(DrawLine::problem(kGood));
    EXPECT_FALSE(DrawLine::problem(withField(4, " 4"))); // a blank may stand for the leading zero
    const std::pair<QString, QString> bad[] = {
        {kGood.left(74), QStringLiteral("longueur 74 au lieu de 75 caractères")},
        {QStringLiteral("32/13/1993") + kGood.mid(10), QStringLiteral("date « 32/13/1993 » invalide")},
        {withField(5, "71"), QStringLiteral("numéro 5 hors de 1 à 70 (71)")},
        {withField(2, "01"), QStringLiteral("numéro 1 en double")},
        {kGood.left(71) + QStringLiteral("nuit"), QStringLiteral("tirage « nuit » au lieu de midi ou soir")},
    };
    for (const auto& [line, why] : bad)
        EXPECT_EQ(DrawLine::problem(line).value_or(QString()), why);
}

TEST(NumberFormat, PatternsAndTypedNumbers)
{
    const QString sep = NumberFormat::groupSeparator();
    const std::tuple<qint64, const char16_t*, QString> rows[] = {
        {37, u"0000", QStringLiteral("0037")},
        {12345, u"0000", QStringLiteral("12345")}, // never cut
        {4567, u"   00 ", QStringLiteral("   4567 ")},
        {5, u" ##", QStringLiteral(" 5")},
        {0, u" ##", QStringLiteral(" ")}, // zero has no significant digit
        {1234, u"# ##0", QStringLiteral("1 234")},
        {0, u"###,##0", QStringLiteral("0")},
        {-1234567, u"###,##0", QStringLiteral("-1,234,567").replace(QLatin1Char(','), sep)},
        {12, u"  ##,000", QStringLiteral("  012")},
    };
    for (const auto& [value, pattern, expected] : rows)
        EXPECT_EQ(NumberFormat::apply(value, pattern), expected) << QString::fromUtf16(pattern).toStdString();

    const std::pair<const char16_t*, qint64> typed[] = {
        {u"  12  ", 12}, {u"1 2", 12}, {u"12abc", 12}, {u"abc", 0}, {u"", 0}, {u"12.7", 13}, {u"-3", -3}, {u".6", 1},
    };
    for (const auto& [text, value] : typed)
        EXPECT_EQ(NumberFormat::readTypedNumber(text), value) << QString::fromUtf16(text).toStdString();
    EXPECT_EQ(DrawLine::readField(u"99999999999"), 1000000);
}

TEST(NumberStats, GapExamples)
{
    constexpr int P = 12;
    // Draws (1-based) holding number 5, the period, then appearances, current gap, largest gap.
    const std::tuple<std::vector<int>, StudyPeriod, std::array<int, 3>> rows[] = {
        {{4, 12}, {0, P - 1}, {2, 0, 7}}, // drawn in the last draw
        {{}, {0, P - 1}, {0, P, P}}, // never drawn
        {{1}, {0, P - 1}, {1, P - 1, P - 1}}, // drawn only in the first draw
        {{3, 10}, {0, P - 1}, {2, 2, 6}}, // the run between appearances
        {{8, 9}, {0, P - 1}, {2, 3, 7}}, // the run before the first appearance counts
        {{3, 10}, {2, 9}, {2, 0, 6}}, // only the period counts
        {{1, 2, 3}, {0, -1}, {0, 0, 0}}, // empty period
        {{1, 2, 3}, {5, 4}, {0, 0, 0}}, // reversed period
    };
    for (auto [drawnIn, period, expected] : rows) {
        DrawMatrix m;
        m.resize(P + 1);
        for (int d : drawnIn)
            m.set(5, d - 1, true);
        SCOPED_TRACE(testing::Message() << "period " << period.first << ".." << period.last);
        const NumberStats s = computeStats(m, period);
        EXPECT_EQ((std::array<int, 3>{s.appearances[5], s.currentGap[5], s.largestGap[5]}), expected);
        EXPECT_EQ(s.largestGap[70], std::max(0, period.last - period.first + 1)); // 70 is never drawn
    }
}

TEST(NumberStats, FastWalkEqualsDrawByDrawWalk)
{
    std::mt19937 rng(20240601u);
    for (int round = 0; round < 40; ++round) {
        const int columns = std::uniform_int_distribution<int>(0, 300)(rng);
        DrawMatrix m;
        m.resize(columns);
        // Sparse rows and dense rows: long and short gaps across 64-draw words.
        for (int n = 0; n <= 70; ++n) {
            std::bernoulli_distribution present(n % 7 == 0 ? 0.02 : (n % 3 == 0 ? 0.9 : 0.28));
            for (int d = 0; d < columns; ++d)
                m.set(n, d, present(rng));
        }
        // Periods may start before 0 and end past the matrix; the first ones end on word boundaries.
        std::uniform_int_distribution<int> pick(-3, columns + 70);
        for (int k = 0; k < 20; ++k) {
            StudyPeriod fast
                = k < 3 ? StudyPeriod{64 * k + k % 2 * 63, 64 * (k + 2) - 1 + k % 2} : StudyPeriod{pick(rng), pick(rng)};
            StudyPeriod naive = fast;
            ASSERT_EQ(computeStats(m, fast), computeStatsNaive(m, naive))
                << "columns " << columns << " period " << naive.first << ".." << naive.last;
            EXPECT_EQ(fast.first, naive.first);
        }
    }
}

TEST(DrawMatrix, ShrinkThenGrowNeverResurrectsBits)
{
    DrawMatrix m;
    m.resize(200);
    for (int d : {0, 63, 64, 65, 127, 150, 199})
        m.set(12, d, true);
    m.resize(100); // inside a word, and whole words dropped
    m.resize(300);
    EXPECT_TRUE(m.contains(12, 0) && m.contains(12, 65));
    for (int d : {127, 150, 199})
        EXPECT_FALSE(m.contains(12, d)) << d;
    m.resize(64); // on a word boundary
    m.resize(65);
    EXPECT_TRUE(m.contains(12, 63));
    EXPECT_FALSE(m.contains(12, 64));
}

TEST(Rankings, TextsAndByteExactLines)
{
    NumberStats s;
    s.appearances[7] = 7, s.currentGap[7] = 3, s.largestGap[7] = 12;
    s.appearances[1] = 28571, s.currentGap[1] = 123, s.largestGap[1] = 98765; // wide values in full
    const std::tuple<RankingKind, QStringView, QStringView, QStringView, QStringView> rows[] = {
        {RankingKind::Sorties, u"Classement par sorties au ", u"SORTIES", u"07 0007   03    0012", u"01 28571   123    98765"},
        {RankingKind::Ecarts, u"Classement par écarts au ", u"ECARTS", u"07 0007   0003   0012", u"01 28571   0123   98765"},
        {RankingKind::EcartsMax, u"Classement par écarts max au ", u"Ecarts max", u"07 0007   0003   0012",
         u"01 28571   0123   98765"},
        {RankingKind::Numero, u"Classement par numéros au ", u"Numéros", u"07  0007   003  0012", u"01  28571   123  98765"},
    };
    for (const auto& [kind, title, status, seven, one] : rows) {
        const RankingTexts t = Rankings::texts(kind);
        EXPECT_EQ(t.title, title.toString());
        EXPECT_EQ(t.status, status.toString());
        EXPECT_EQ(t.caption,
                  kind == RankingKind::Numero ? QStringLiteral(" Les moins                     les plus")
                                              : QStringLiteral(" Les plus                     les moins"));
        EXPECT_EQ(t.caption.size(), 39);
        EXPECT_EQ(Rankings::line(kind, 7, s), seven.toString());
        EXPECT_EQ(Rankings::line(kind, 1, s), one.toString());
    }
    EXPECT_EQ(QString::fromLatin1(Rankings::kHeader), QStringLiteral("Num Sorti Ecart  EcartMax"));
}

TEST(Rankings, OrderIsKeyDescendingTiesAscending)
{
    NumberStats s;
    s.appearances[10] = 5, s.appearances[3] = 5, s.appearances[70] = 9;
    s.currentGap[4] = 8, s.currentGap[2] = 8;
    s.largestGap[69] = 30, s.largestGap[5] = 31;
    EXPECT_EQ(Rankings::order(RankingKind::Sorties, s).mid(0, 4), (QList<int>{70, 3, 10, 1}));
    EXPECT_EQ(Rankings::order(RankingKind::Ecarts, s).mid(0, 3), (QList<int>{2, 4, 1}));
    EXPECT_EQ(Rankings::order(RankingKind::EcartsMax, s).mid(0, 3), (QList<int>{5, 69, 1}));
    QList<int> ascending;
    for (int n = 1; n <= 70; ++n)
        ascending << n;
    EXPECT_EQ(Rankings::order(RankingKind::Numero, s), ascending);
    EXPECT_EQ(Rankings::order(RankingKind::Sorties, NumberStats{}), ascending);
}
