#include "acquire/CsvImport.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>
#include <vector>

namespace {

const QByteArray kHeader = "annee_numero_de_tirage;date_de_tirage;heure_de_tirage;date_de_forclusion;"
                           "boule1;boule2;boule3;boule4;boule5;boule6;boule7;boule8;boule9;boule10;"
                           "boule11;boule12;boule13;boule14;boule15;boule16;boule17;boule18;boule19;boule20;"
                           "multiplicateur;numero_jokerplus;devise;";

// Numbers of a row: `first`, first+1, ... (twenty distinct values).
QByteArray numbers(int first)
{
    QByteArray text;
    for (int k = 0; k < 20; ++k)
        text += ';' + QByteArray::number(first + k);
    return text;
}

QByteArray row(const QByteArray& date, const QByteArray& slot, const QByteArray& numberFields,
               const QByteArray& tail = ";2;1 234 567;eur;")
{
    return "2024001;" + date + ';' + slot + ";01/01/2025" + numberFields + tail;
}

// The line the history expects for a row of `numbers(first)`.
QString expectedLine(const QString& date, int first, const QString& slot)
{
    QString line = date;
    for (int k = 0; k < 20; ++k)
        line += QStringLiteral(" %1").arg(first + k, 2, 10, QLatin1Char('0'));
    return line + QLatin1Char(' ') + slot;
}

CsvImport::Conversion convert(const std::vector<QByteArray>& rows, const QByteArray& eol = "\n", bool finalEol = true)
{
    QByteArray file = kHeader;
    for (const QByteArray& r : rows)
        file += eol + r;
    if (finalEol)
        file += eol;
    return CsvImport::convert(file);
}

} // namespace

TEST(CsvImport, EmptyInputsGiveNoDraw)
{
    EXPECT_TRUE(CsvImport::convert(QByteArray()).lines.isEmpty());
    EXPECT_EQ(CsvImport::convert(QByteArray()).rows, 0);

    const CsvImport::Conversion headerOnly = CsvImport::convert(kHeader + '\n');
    EXPECT_TRUE(headerOnly.lines.isEmpty());
    EXPECT_EQ(headerOnly.rows, 0);
    EXPECT_EQ(headerOnly.skipped, 0);

    EXPECT_TRUE(CsvImport::convert(kHeader).lines.isEmpty());
}

TEST(CsvImport, LinesAreByteExactAndOldestFirst)
{
    const QByteArray scrambled = ";70;5;1;9;10;11;12;13;14;15;16;17;18;19;20;21;22;23;24;25";
    const CsvImport::Conversion result = convert({
        row("02/01/2024", "midi", scrambled),   // newest
        row("01/01/2024", "soir", numbers(3)),
        row("01/01/2024", "midi", numbers(40)), // oldest
    });

    ASSERT_EQ(result.lines.size(), 3);
    EXPECT_EQ(result.rows, 3);
    EXPECT_EQ(result.skipped, 0);
    EXPECT_EQ(result.lines[0], QStringLiteral("01/01/2024 40 41 42 43 44 45 46 47 48 49 50 51 52 53 54 55 56 57 58 59 midi"));
    EXPECT_EQ(result.lines[1], QStringLiteral("01/01/2024 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 20 21 22 soir"));
    // The operator's order of the numbers is kept.
    EXPECT_EQ(result.lines[2], QStringLiteral("02/01/2024 70 05 01 09 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 midi"));
    for (const QString& line : result.lines)
        EXPECT_EQ(line.size(), 75);
}

TEST(CsvImport, WithoutFinalLineFeedTheOldestRowIsLost)
{
    const CsvImport::Conversion result
        = convert({row("02/01/2024", "midi", numbers(1)), row("01/01/2024", "soir", numbers(2))}, "\n", false);
    ASSERT_EQ(result.lines.size(), 1);
    EXPECT_EQ(result.rows, 1);
    EXPECT_EQ(result.skipped, 0);
    EXPECT_EQ(result.lines[0], expectedLine(QStringLiteral("02/01/2024"), 1, QStringLiteral("midi")));
}

TEST(CsvImport, LineEndsBlanksAndColumnsDoNotChangeTheLines)
{
    const std::vector<QByteArray> plain = {row("03/02/2023", "soir", numbers(11)), row("03/02/2023", "midi", numbers(21))};
    const QStringList expected = {expectedLine(QStringLiteral("03/02/2023"), 21, QStringLiteral("midi")),
                                  expectedLine(QStringLiteral("03/02/2023"), 11, QStringLiteral("soir"))};
    EXPECT_EQ(convert(plain).lines, expected);
    EXPECT_EQ(convert(plain, "\r\n").lines, expected);

    // No trailing ";", many extra columns, blanks and tabs around fields, a slot written "midi ".
    QByteArray manyColumns;
    for (int i = 0; i < 60; ++i)
        manyColumns += ";x" + QByteArray::number(i);
    const std::vector<QByteArray> odd = {
        row(" 03/02/2023 ", "soir", numbers(11), ""),
        "2024001; 03/02/2023;midi ;01/01/2025; 21 ;\t22;23;24;25;26;27;28;29;30;31;32;33;34;35;36;37;38;39;40" + manyColumns,
    };
    EXPECT_EQ(convert(odd, "\r\n").lines, expected);
    EXPECT_EQ(convert(odd).skipped, 0);
}

TEST(CsvImport, LeadingZerosAndCaseOfTheSlotAreAccepted)
{
    QByteArray zeros;
    for (int k = 1; k <= 20; ++k)
        zeros += ";0" + QByteArray::number(k);
    const CsvImport::Conversion result = convert({row("15/06/2022", "SOIR", zeros)});
    ASSERT_EQ(result.lines.size(), 1);
    EXPECT_EQ(result.lines[0], expectedLine(QStringLiteral("15/06/2022"), 1, QStringLiteral("soir")));
}

TEST(CsvImport, BadRowsAreSkippedCountedAndExplained)
{
    QByteArray outOfRange = numbers(1);
    outOfRange.replace(";20", ";71");
    QByteArray zero = numbers(1);
    zero.replace(";1;", ";0;");
    QByteArray repeated = numbers(1);
    repeated.replace(";2;", ";1;");
    QByteArray notANumber = numbers(1);
    notANumber.replace(";3;", ";x3;");
    QByteArray empty = numbers(1);
    empty.replace(";4;", ";;");
    QByteArray negative = numbers(1);
    negative.replace(";5;", ";-5;");
    QByteArray huge = numbers(1);
    huge.replace(";6;", ";99999999999999999999;");

    const CsvImport::Conversion result = convert({
        row("10/10/2020", "midi", numbers(1)),          // line 2: good
        row("10/10/2020", "midi", outOfRange),          // line 3
        row("10/10/2020", "midi", zero),                // line 4
        row("10/10/2020", "midi", repeated),            // line 5
        row("10/10/2020", "midi", notANumber),          // line 6
        row("10/10/2020", "midi", empty),               // line 7
        row("10/10/2020", "midi", negative),            // line 8
        row("10/10/2020", "midi", huge),                // line 9
        "2024001;10/10/2020;midi;01/01/2025;1;2;3",     // line 10: too few fields
        row("31/02/2020", "midi", numbers(1)),          // line 11: no such day
        row("1/10/2020", "midi", numbers(1)),           // line 12: not dd/mm/yyyy
        row("10/10/2020", "nuit", numbers(1)),          // line 13
        "",                                             // line 14
        row("09/10/2020", "soir", numbers(50)),         // line 15: good
    });

    EXPECT_EQ(result.rows, 14);
    EXPECT_EQ(result.skipped, 12);
    EXPECT_EQ(result.lines, QStringList({expectedLine(QStringLiteral("09/10/2020"), 50, QStringLiteral("soir")),
                                         expectedLine(QStringLiteral("10/10/2020"), 1, QStringLiteral("midi"))}));
    ASSERT_EQ(result.reasons.size(), 10);
    EXPECT_EQ(result.reasons[0], QStringLiteral("ligne 3 : numéro hors de 1..70 (71)"));
    EXPECT_EQ(result.reasons[1], QStringLiteral("ligne 4 : numéro hors de 1..70 (0)"));
    EXPECT_EQ(result.reasons[2], QStringLiteral("ligne 5 : numéro répété (1)"));
    EXPECT_EQ(result.reasons[3], QStringLiteral("ligne 6 : numéro illisible (x3)"));
    EXPECT_EQ(result.reasons[4], QStringLiteral("ligne 7 : numéro illisible ()"));
    EXPECT_EQ(result.reasons[5], QStringLiteral("ligne 8 : numéro illisible (-5)"));
    EXPECT_EQ(result.reasons[6], QStringLiteral("ligne 9 : numéro illisible (99999999999999999999)"));
    EXPECT_EQ(result.reasons[7], QStringLiteral("ligne 10 : 7 champs au lieu d'au moins 24"));
    EXPECT_EQ(result.reasons[8], QStringLiteral("ligne 11 : date invalide (31/02/2020)"));
    EXPECT_EQ(result.reasons[9], QStringLiteral("ligne 12 : date invalide (1/10/2020)"));
}

TEST(CsvImport, OnlyTheFirstReasonsAreKeptButAllAreCounted)
{
    std::vector<QByteArray> rows(30, row("10/10/2020", "matin", numbers(1)));
    rows.push_back(row("10/10/2020", "midi", numbers(1)));
    const CsvImport::Conversion result = convert(rows);
    EXPECT_EQ(result.skipped, 30);
    EXPECT_EQ(result.lines.size(), 1);
    ASSERT_EQ(result.reasons.size(), CsvImport::kMaxReasons);
    EXPECT_EQ(result.reasons.first(), QStringLiteral("ligne 2 : tirage ni midi ni soir (matin)"));
}

TEST(CsvImport, HeaderInAnyEncodingIsSkipped)
{
    const QByteArray rowText = row("05/05/2021", "midi", numbers(30));
    const QString expected = expectedLine(QStringLiteral("05/05/2021"), 30, QStringLiteral("midi"));
    for (const QByteArray& header : {QByteArray("num\xE9ro;date;s\xE9rie"),                      // Windows-1252
                                     QByteArray("\xEF\xBB\xBFnum\xC3\xA9ro;date"),               // UTF-8 with BOM
                                     QByteArray("\x80\x81\xFF\xFE;\x00;x", 8)}) {               // garbage
        const CsvImport::Conversion result = CsvImport::convert(header + "\r\n" + rowText + "\r\n");
        EXPECT_EQ(result.lines, QStringList{expected}) << header.toHex().constData();
    }
}

TEST(CsvImport, ProgressRunsOverEveryPiece)
{
    QByteArray file = kHeader + '\n' + row("01/01/2024", "midi", numbers(1)) + '\n'
        + row("31/12/2023", "soir", numbers(1)) + '\n';
    std::vector<std::pair<int, int>> calls;
    CsvImport::convert(file, [&](int value, int maximum) { calls.emplace_back(value, maximum); });
    EXPECT_EQ(calls, (std::vector<std::pair<int, int>> {{1, 3}, {2, 3}, {3, 3}}));
}
