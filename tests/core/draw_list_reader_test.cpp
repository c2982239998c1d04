// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/DrawListReader.h"
#include "output/TextFile.h"
#include "support/TestSupport.h"

namespace {

const QString kMidi = QStringLiteral("16/09/1993 01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 70 midi");
const QString kSoir = QStringLiteral("16/09/1993 03 07 08 09 10 15 16 19 20 27 29 35 36 37 51 55 63 66 69 70 soir");
const QByteArray kMidiBytes = kMidi.toLatin1();
const QByteArray kSoirBytes = kSoir.toLatin1();

struct Read {
    DrawList list;
    QStringList lines, problems;
    int badLines = 0;
};

// The bytes fed in pieces of `piece` bytes, all at once when 0.
Read read(const QByteArray& bytes, qsizetype piece = 0)
{
    DrawListReader reader;
    const qsizetype step = piece > 0 ? piece : std::max<qsizetype>(bytes.size(), 1);
    for (qsizetype at = 0; at < bytes.size(); at += step)
        reader.feed(QByteArrayView(bytes).sliced(at, std::min(step, bytes.size() - at)));
    Read r{reader.finish(), {}, reader.problems(), reader.badLines()};
    r.lines = r.list.toStringList();
    return r;
}

} // namespace

TEST(DrawListReader, ReadingRulesOnEveryKindOfLine)
{
    // CR LF; LF only with ';' for the spaces; two blank lines in the middle, dropped; a short line, kept as
    // read with ';' replaced; 71, a record but no draw; a blank for a zero, a draw; an empty line before the end.
    const QByteArray bytes = TestSupport::testData("history_odd_lines.txt");
    const Read r = read(bytes);
    EXPECT_EQ(r.lines,
              (QStringList{kMidi, kSoir, QStringLiteral("17/09/1993 01 02 oops"),
                           QStringLiteral("17/09/1993 01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 71 midi"),
                           QStringLiteral("18/09/1993  1 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 20 soir")}));
    EXPECT_EQ(r.badLines, 5);
    EXPECT_EQ(
        r.problems,
        (QStringList{QStringLiteral("ligne 3 : ligne vide ignorée"), QStringLiteral("ligne 4 : ligne vide ignorée"),
                     QStringLiteral("ligne 5 : longueur 21 au lieu de 75 caractères"),
                     QStringLiteral("ligne 6 : numéro 20 hors de 1 à 70 (71)"), QStringLiteral("ligne 8 : ligne vide ignorée")}));
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(r.list.isRecord(i), i != 2 && i != 4) << i;

    // The same bytes in pieces of any size, a line or the byte-order mark cut anywhere.
    const QByteArray withBom = "\xEF\xBB\xBF" + bytes;
    for (qsizetype piece : {1, 2, 3, 7, 76, 77, 78, 500}) {
        const Read pieces = read(withBom, piece);
        EXPECT_EQ(pieces.list, r.list) << piece;
        EXPECT_EQ(pieces.problems, r.problems) << piece;
    }
}

TEST(DrawListReader, EndsEmptyFilesAndProblemCap)
{
    // No line break at the end: the last line is a line all the same; a blank end is no line and no problem.
    EXPECT_EQ(read(kMidiBytes + "\r\n" + kSoirBytes).lines, (QStringList{kMidi, kSoir}));
    const Read blankEnd = read(kMidiBytes + "\r\n  ");
    EXPECT_TRUE(blankEnd.lines == QStringList{kMidi} && blankEnd.badLines == 0);
    // A line of ';' is no blank line: it reads as spaces.
    EXPECT_EQ(read("a\n;\n\xC3\xA9;\n").lines, (QStringList{QStringLiteral("a"), QStringLiteral(" "), QStringLiteral("é ")}));
    for (const QByteArray& nothing : {QByteArray(), QByteArray("\xEF\xBB\xBF"), QByteArray("\r\n")})
        EXPECT_EQ(read(nothing).list.itemCount(), 1) << nothing.toHex().toStdString();

    const Read many = read(QByteArray("x\n").repeated(8));
    EXPECT_EQ(many.badLines, 8);
    ASSERT_EQ(many.problems.size(), 5);
    EXPECT_EQ(many.problems.last(), QStringLiteral("ligne 5 : longueur 1 au lieu de 75 caractères"));
}

TEST(DrawListReader, EncodingsAndBytesBackUnchanged)
{
    // UTF-8: "é" is two bytes; Windows-1252: 0xE9 is "é" and 0x80 the euro sign. The file goes back byte for byte.
    for (const auto& [middle, text] : {std::pair<QByteArray, QString>("modifi\xC3\xA9", QStringLiteral("modifié")),
                                       {"modifi\xE9 \x80", QStringLiteral("modifié €")}}) {
        const QByteArray bytes = kMidiBytes + "\r\n" + middle + "\r\n" + kSoirBytes + "\r\n";
        const DrawList list = read(bytes).list;
        EXPECT_EQ(list.text(1), text);
        EXPECT_EQ(list.toCrlfBytes(), bytes);
    }
    // A lone Windows-1252 byte anywhere makes the whole file Windows-1252.
    EXPECT_EQ(read(QByteArray("caf\xC3\xA9\r\n") + "d\xE9j\xE0\r\n").lines,
              (QStringList{QStringLiteral("cafÃ©"), QStringLiteral("déjà")}));

    // A no-break space alone on a line is blank in either encoding.
    EXPECT_EQ(read(kMidiBytes + "\r\n\xC2\xA0\r\n" + kSoirBytes).lines, (QStringList{kMidi, kSoir}));
    const Read ansiBlank = read(kMidiBytes + "\r\n\xA0\r\n\xE9t\xE9\r\n");
    EXPECT_EQ(ansiBlank.lines, (QStringList{kMidi, QStringLiteral("été")}));
    EXPECT_EQ(ansiBlank.problems.first(), QStringLiteral("ligne 2 : ligne vide ignorée"));

    // ';' lines come back with spaces; LF files come back with CR LF.
    const QByteArray semicolons = QByteArray(kMidiBytes).replace(' ', ';') + "\n" + kSoirBytes + "\n";
    EXPECT_EQ(read(semicolons).list.toCrlfBytes(), kMidiBytes + "\r\n" + kSoirBytes + "\r\n");
}

TEST(DrawListReader, AgreesWithTheRulesReadLiterallyOnMixedBytes)
{
    // The rules read the simple way: the whole file decoded, split at LF, CR dropped, blank
    // lines left out, ';' replaced.
    const auto literal = [](const QByteArray& bytes) {
        QStringList lines;
        for (QString line : TextFile::decode(bytes).split(QLatin1Char('\n'))) {
            if (line.endsWith(QLatin1Char('\r')))
                line.chop(1);
            if (!line.trimmed().isEmpty())
                lines << line.replace(QLatin1Char(';'), QLatin1Char(' '));
        }
        return lines;
    };
    QByteArrayList pieces = QByteArray("\r|;| |\t|1|/|\xE9|\xC3\xA9|\xA0|\xC2\xA0|midi|\x80|\n|\n|\n").split('|');
    pieces << kMidiBytes << kSoirBytes << QByteArray(kMidiBytes).replace(' ', ';');
    std::uint32_t state = 12345;
    const auto next = [&state] {
        state = state * 1103515245u + 12345u;
        return state >> 16;
    };
    for (int round = 0; round < 300; ++round) {
        QByteArray bytes;
        const int count = static_cast<int>(next() % 40);
        for (int i = 0; i < count; ++i) {
            const QByteArray& piece = pieces[next() % pieces.size()];
            // Records need whole lines; leave the ASCII-only rounds ASCII, so both encodings are tried.
            if (round % 3 == 0 && piece.size() <= 2 && static_cast<unsigned char>(piece[0]) >= 0x80)
                continue;
            bytes += piece;
            if (piece.size() == DrawLine::kLength && next() % 2)
                bytes += "\r\n";
        }
        const QStringList expected = literal(bytes);
        EXPECT_EQ(read(bytes).lines, expected) << bytes.toHex().toStdString();
        EXPECT_EQ(read(bytes, 1 + next() % 90).lines, expected) << bytes.toHex().toStdString();
    }
}

// A history holds one game's draws: its game is the expected one or its first draw's, and a draw
// of the other game, as a record or held as text, refuses the whole reading with its line named.
TEST(DrawListReader, TheGameOfTheLinesAndAHistoryMixingBothRefused)
{
    const QByteArray current = "03/11/2025 56 01 50 47 44 41 38 35 32 29 26 23 20 17 14 11 soir";
    const QByteArray currentText = QByteArray(current).replace(" 01 ", "  1 "); // a blank for the zero
    const auto readAs = [](const QByteArray& bytes, std::optional<FormulaId> expected) {
        DrawListReader reader;
        if (expected)
            reader.expect(*expected);
        reader.feed(bytes);
        DrawList list = reader.finish();
        return std::tuple(std::move(list), reader.refusal(), reader.problems());
    };

    // One game, with a bad line described as that game's.
    const auto [alone, none, problems] = readAs("x\r\n" + current + "\r\n" + currentText + "\r\n", std::nullopt);
    EXPECT_EQ(alone.formulaId(), FormulaId::Keno16of56);
    EXPECT_EQ(none, QString());
    EXPECT_EQ(problems, QStringList{QStringLiteral("ligne 1 : longueur 1 au lieu de 63 caractères")});
    EXPECT_EQ(alone.toStringList(),
              (QStringList{QStringLiteral("x"), QString::fromLatin1(current), QString::fromLatin1(currentText)}));
    EXPECT_EQ(std::get<0>(readAs(QByteArray(), FormulaId::Keno16of56)).formulaId(), FormulaId::Keno16of56);
    EXPECT_EQ(std::get<0>(readAs("x\r\n", std::nullopt)).formulaId(), FormulaId::Keno20of70);

    const std::tuple<QByteArray, std::optional<FormulaId>, QString> mixed[] = {
        {kMidiBytes + "\r\n" + kSoirBytes + "\r\n" + current + "\r\n", std::nullopt,
         QStringLiteral("la ligne 3 est un tirage du Keno 16 sur 56, la ligne 1 un tirage du Keno 20 sur 70")},
        {"x\n" + current + "\n" + kSoirBytes + "\n", std::nullopt,
         QStringLiteral("la ligne 3 est un tirage du Keno 20 sur 70, la ligne 2 un tirage du Keno 16 sur 56")},
        {kMidiBytes + "\r\n" + currentText + "\r\n", FormulaId::Keno20of70,
         QStringLiteral("la ligne 2 est un tirage du Keno 16 sur 56, pas du Keno 20 sur 70")},
        {current + "\n" + kSoirBytes + "\n", FormulaId::Keno16of56,
         QStringLiteral("la ligne 2 est un tirage du Keno 20 sur 70, pas du Keno 16 sur 56")},
        {kMidiBytes + "\n", FormulaId::Keno16of56,
         QStringLiteral("la ligne 1 est un tirage du Keno 20 sur 70, pas du Keno 16 sur 56")},
    };
    for (const auto& [bytes, expected, why] : mixed) {
        const auto [list, refusal, refusedProblems] = readAs(bytes, expected);
        EXPECT_EQ(refusal, why);
        EXPECT_EQ(list.drawCount(), 0) << why.toStdString(); // no part of it passes for a history
        EXPECT_TRUE(refusedProblems.isEmpty());
    }
}
