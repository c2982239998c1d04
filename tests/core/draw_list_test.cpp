#include "history/CalendarFilter.h"
#include "history/DrawList.h"
#include "history/DrawListReader.h"
#include "history/DrawMatrix.h"
#include "history/HistoryFile.h"
#include "output/TextFile.h"

#include "support/TestSupport.h"

#include <QTemporaryDir>
#include <array>
#include <gtest/gtest.h>

namespace {

const QString kMidi = QStringLiteral("16/09/1993 01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 70 midi");
const QString kSoir = QStringLiteral("16/09/1993 03 07 08 09 10 15 16 19 20 27 29 35 36 37 51 55 63 66 69 70 soir");
const QByteArray kMidiBytes = kMidi.toLatin1();
const QByteArray kSoirBytes = kSoir.toLatin1();

QStringList texts(const DrawList& list)
{
    QStringList out;
    for (int i = 0; i < list.itemCount(); ++i)
        out << list.text(i);
    return out;
}

DrawList readInPieces(const QByteArray& bytes, qsizetype piece, DrawListReader& reader)
{
    for (qsizetype at = 0; at < bytes.size(); at += piece)
        reader.feed(QByteArrayView(bytes).sliced(at, std::min(piece, bytes.size() - at)));
    return reader.finish();
}

} // namespace

TEST(DrawListReader, ReadingRulesOnEveryKindOfLine)
{
    // CR LF; LF only with ';' for the spaces; two blank lines in the middle, dropped; a short line, kept as
    // read with ';' replaced; 71, a record but no draw; a blank for a zero, a draw; an empty line before the end.
    const QByteArray bytes = TestSupport::testData("history_odd_lines.txt");
    DrawListReader reader;
    const DrawList list = readInPieces(bytes, bytes.size(), reader);
    EXPECT_EQ(texts(list),
              (QStringList{
                  kMidi,
                  kSoir,
                  QStringLiteral("17/09/1993 01 02 oops"),
                  QStringLiteral("17/09/1993 01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 71 midi"),
                  QStringLiteral("18/09/1993  1 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 20 soir"),
                  QString(),
              }));
    EXPECT_EQ(list.drawCount(), 5);
    EXPECT_EQ(reader.badLines(), 5);
    EXPECT_EQ(reader.problems(),
              (QStringList{
                  QStringLiteral("ligne 3 : ligne vide ignorée"),
                  QStringLiteral("ligne 4 : ligne vide ignorée"),
                  QStringLiteral("ligne 5 : longueur 21 au lieu de 75 caractères"),
                  QStringLiteral("ligne 6 : numéro 20 hors de 1 à 70 (71)"),
                  QStringLiteral("ligne 8 : ligne vide ignorée"),
              }));
    EXPECT_TRUE(list.isRecord(0));
    EXPECT_TRUE(list.isRecord(1));
    EXPECT_FALSE(list.isRecord(2));
    EXPECT_TRUE(list.isRecord(3));
    EXPECT_FALSE(list.isRecord(4));

    // The same bytes in pieces of any size, a line or the byte-order mark cut anywhere.
    const QByteArray withBom = "\xEF\xBB\xBF" + bytes;
    for (qsizetype piece : {1, 2, 3, 7, 76, 77, 78, 500}) {
        DrawListReader pieces;
        EXPECT_EQ(readInPieces(withBom, piece, pieces), list) << piece;
        EXPECT_EQ(pieces.problems(), reader.problems()) << piece;
    }
}

TEST(DrawListReader, EndsEmptyFilesAndProblemCap)
{
    // No line break at the end: the last line is a line all the same.
    DrawList list = HistoryFile::parseList(kMidiBytes + "\r\n" + kSoirBytes).list;
    EXPECT_EQ(texts(list), (QStringList{kMidi, kSoir, QString()}));
    // A blank end is no line and no problem.
    const HistoryFile::ListReadResult blankEnd = HistoryFile::parseList(kMidiBytes + "\r\n  ");
    EXPECT_EQ(blankEnd.list.drawCount(), 1);
    EXPECT_EQ(blankEnd.badLines, 0);

    // A line of ';' is no blank line: it reads as spaces.
    EXPECT_EQ(HistoryFile::parseList("a\n;\n\xC3\xA9;\n").list.toStringList(),
              (QStringList{QStringLiteral("a"), QStringLiteral(" "), QStringLiteral("é ")}));

    for (const QByteArray& nothing : {QByteArray(), QByteArray("\xEF\xBB\xBF"), QByteArray("\r\n")}) {
        const HistoryFile::ListReadResult r = HistoryFile::parseList(nothing);
        EXPECT_TRUE(r.found);
        EXPECT_EQ(r.list.drawCount(), 0);
        EXPECT_EQ(texts(r.list), QStringList{QString()});
    }

    QByteArray many;
    for (int i = 0; i < 8; ++i)
        many += "x\n";
    const HistoryFile::ListReadResult r = HistoryFile::parseList(many);
    EXPECT_EQ(r.badLines, 8);
    ASSERT_EQ(r.problems.size(), 5);
    EXPECT_EQ(r.problems.last(), QStringLiteral("ligne 5 : longueur 1 au lieu de 75 caractères"));
}

TEST(DrawListReader, EncodingsAndBytesBackUnchanged)
{
    // UTF-8: "é" is two bytes; the file goes back byte for byte.
    const QByteArray utf8 = kMidiBytes + "\r\nmodifi\xC3\xA9\r\n" + kSoirBytes + "\r\n";
    const DrawList fromUtf8 = HistoryFile::parseList(utf8).list;
    EXPECT_EQ(fromUtf8.text(1), QStringLiteral("modifié"));
    EXPECT_EQ(fromUtf8.toCrlfBytes(), utf8);

    // Windows-1252: 0xE9 is "é" and 0x80 the euro sign; the bytes stay those bytes.
    const QByteArray ansi = kMidiBytes + "\r\nmodifi\xE9 \x80\r\n" + kSoirBytes + "\r\n";
    const DrawList fromAnsi = HistoryFile::parseList(ansi).list;
    EXPECT_EQ(fromAnsi.text(1), QStringLiteral("modifié €"));
    EXPECT_EQ(fromAnsi.toCrlfBytes(), ansi);

    // A lone Windows-1252 byte anywhere makes the whole file Windows-1252.
    const DrawList mixed = HistoryFile::parseList(QByteArray("caf\xC3\xA9\r\n") + "d\xE9j\xE0\r\n").list;
    EXPECT_EQ(mixed.text(0), QStringLiteral("cafÃ©"));
    EXPECT_EQ(mixed.text(1), QStringLiteral("déjà"));

    // A no-break space alone on a line is blank in either encoding.
    EXPECT_EQ(texts(HistoryFile::parseList(kMidiBytes + "\r\n\xC2\xA0\r\n" + kSoirBytes).list),
              (QStringList{kMidi, kSoir, QString()}));
    const HistoryFile::ListReadResult ansiBlank = HistoryFile::parseList(kMidiBytes + "\r\n\xA0\r\n\xE9t\xE9\r\n");
    EXPECT_EQ(texts(ansiBlank.list), (QStringList{kMidi, QStringLiteral("été"), QString()}));
    EXPECT_EQ(ansiBlank.problems.first(), QStringLiteral("ligne 2 : ligne vide ignorée"));

    // ';' lines come back with spaces; LF files come back with CR LF.
    const QByteArray semicolons = QByteArray(kMidiBytes).replace(' ', ';') + "\n" + kSoirBytes + "\n";
    EXPECT_EQ(HistoryFile::parseList(semicolons).list.toCrlfBytes(), kMidiBytes + "\r\n" + kSoirBytes + "\r\n");
}

TEST(DrawList, FieldsOfRecordsAndOfTextLines)
{
    DrawList list;
    list.append(kMidi);
    list.append(kSoir);
    list.append(QStringLiteral("31/02/2001  5 ab 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 20 midi"));
    list.append(QStringLiteral("ligne"));
    list.append(QStringLiteral("01/01/2000 00 99 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 20 xoir"));
    ASSERT_EQ(list.itemCount(), 6);

    EXPECT_EQ(list.dateText(1), QStringLiteral("16/09/1993"));
    EXPECT_EQ(list.date(0), QDate(1993, 9, 16));
    EXPECT_FALSE(list.date(2).isValid()); // 31 February
    EXPECT_FALSE(list.date(3).isValid());
    EXPECT_EQ(list.dateText(3), QStringLiteral("ligne"));
    EXPECT_EQ(list.dateText(5), QString()); // the trailing empty item

    EXPECT_EQ(list.number(0, 20), 70);
    EXPECT_EQ(list.number(1, 1), 3);
    EXPECT_EQ(list.number(2, 1), 5); // a blank for the leading zero
    EXPECT_EQ(list.number(2, 2), 0); // not a number
    EXPECT_EQ(list.number(3, 1), 0);
    EXPECT_EQ(list.numbers(1), (DrawLine::Numbers{3, 7, 8, 9, 10, 15, 16, 19, 20, 27, 29, 35, 36, 37, 51, 55, 63, 66, 69, 70}));
    EXPECT_EQ(list.number(4, 1), 0);
    EXPECT_EQ(list.number(4, 2), 99);

    EXPECT_TRUE(list.isMiddayByChar(0) && list.endsWithSpaceMidi(0) && !list.endsWithSoir(0));
    EXPECT_TRUE(!list.isMiddayByChar(1) && !list.endsWithSpaceMidi(1) && list.endsWithSoir(1));
    EXPECT_TRUE(list.isMiddayByChar(2) && list.endsWithSpaceMidi(2));
    EXPECT_TRUE(!list.isMiddayByChar(4) && !list.endsWithSoir(4) && !list.endsWithSpaceMidi(4));
    EXPECT_FALSE(list.isRecord(4));

    // Rows 0 of the matrix take what is not 1..70; the trailing item and the extra column are empty.
    DrawMatrix matrix;
    matrix.rebuild(list);
    EXPECT_EQ(matrix.columns(), 7);
    EXPECT_TRUE(matrix.contains(70, 0));
    EXPECT_FALSE(matrix.contains(69, 0));
    EXPECT_TRUE(matrix.contains(5, 2));
    EXPECT_TRUE(matrix.contains(0, 2));
    EXPECT_FALSE(matrix.contains(0, 0));
    EXPECT_TRUE(matrix.contains(0, 3));
    EXPECT_TRUE(matrix.contains(0, 4) && matrix.contains(3, 4) && !matrix.contains(1, 4));
    for (int n = 0; n <= 70; ++n)
        EXPECT_FALSE(matrix.contains(n, 5) || matrix.contains(n, 6)) << n;

    // The calendar filter reads the same fields from either form.
    CalendarFilter filter;
    filter.untickAll();
    filter.to = QDate(2030, 1, 1);
    filter.months[9] = true;
    filter.weekdays[CalendarFilter::weekdayIndex(QDate(1993, 9, 16))] = true;
    filter.times[2] = true;
    EXPECT_FALSE(filter.keeps(list, 0));
    EXPECT_TRUE(filter.keeps(list, 1));
    EXPECT_FALSE(filter.keeps(list, 3));
}

TEST(DrawList, EditsKeepTextsAndTheTrailingItem)
{
    DrawList list = DrawList::fromLines({kMidi, QStringLiteral("bad"), kSoir, QString()});
    EXPECT_EQ(list.drawCount(), 3);
    EXPECT_EQ(list.toStringList(), (QStringList{kMidi, QStringLiteral("bad"), kSoir}));

    list.replace(1, kSoir); // text -> record
    list.replace(0, QStringLiteral("autre")); // record -> text
    list.replace(2, QStringLiteral("encore")); // record -> text
    list.replace(0, QStringLiteral("à nouveau")); // text -> text
    list.replace(3, kMidi); // the trailing item holds nothing
    EXPECT_EQ(texts(list), (QStringList{QStringLiteral("à nouveau"), kSoir, QStringLiteral("encore"), QString()}));

    EXPECT_EQ(list.takeLast(), QStringLiteral("encore"));
    list.append(QStringLiteral("fin"));
    EXPECT_EQ(texts(list), (QStringList{QStringLiteral("à nouveau"), kSoir, QStringLiteral("fin"), QString()}));

    DrawList copy;
    for (int i : {2, 0, 1})
        copy.append(list, i);
    copy.append(list, 3); // nothing to copy
    EXPECT_EQ(copy.toStringList(), (QStringList{QStringLiteral("fin"), QStringLiteral("à nouveau"), kSoir}));
    EXPECT_FALSE(copy == list);
    EXPECT_TRUE(DrawList::fromLines(copy.toStringList()) == copy);

    // Lines given by the program are written in the system's code page (UTF-8 here); empty lines never.
    copy.append(QString());
    EXPECT_EQ(copy.toCrlfBytes(), QByteArray("fin\r\n\xC3\xA0 nouveau\r\n") + kSoirBytes + "\r\n");

    while (!list.isEmpty())
        list.takeLast();
    EXPECT_EQ(list.takeLast(), QString());
    EXPECT_EQ(texts(list), QStringList{QString()});
    list.append(kMidi);
    list.clear();
    EXPECT_EQ(list.itemCount(), 1);
}

TEST(HistoryFile, ListReadWriteRoundTripOverManyPieces)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // Longer than one read piece, with odd lines on both sides of piece boundaries.
    QStringList lines;
    QByteArray bytes;
    for (int i = 0; i < 3000; ++i) {
        QString line = i % 2 ? kSoir : kMidi;
        if (i % 997 == 5)
            line = QStringLiteral("ligne %1 illisible é").arg(i);
        lines << line;
        bytes += line.toUtf8() + "\r\n";
    }
    const QString path = dir.filePath(QStringLiteral("Tirages_keno.txt"));
    QString error;
    ASSERT_TRUE(HistoryFile::write(path, DrawList::fromLines(lines), &error)) << error.toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), bytes);

    const HistoryFile::ListReadResult read = HistoryFile::readList(path);
    EXPECT_TRUE(read.found);
    EXPECT_EQ(read.list.toStringList(), lines);
    EXPECT_EQ(read.badLines, 4);
    EXPECT_EQ(read.list.toCrlfBytes(), bytes);
    EXPECT_EQ(HistoryFile::read(path).lines, lines);

    const HistoryFile::ListReadResult missing = HistoryFile::readList(dir.filePath(QStringLiteral("absent.txt")));
    EXPECT_FALSE(missing.found);
    EXPECT_TRUE(missing.error.startsWith(QStringLiteral("Le fichier « "))) << missing.error.toStdString();
    EXPECT_EQ(missing.list.itemCount(), 1);
}

TEST(DrawMatrix, FromListMatchesTheLineByLineRebuildAcrossWords)
{
    // Several 64-draw words, with odd lines here and there and a ragged last word.
    QStringList lines;
    for (int i = 0; i < 333; ++i) {
        QString line = QStringLiteral("16/09/1993");
        for (int k = 0; k < 20; ++k)
            line += QStringLiteral(" %1").arg((i * 7 + k * 3) % 70 + 1, 2, 10, QLatin1Char('0'));
        line += i % 2 ? QStringLiteral(" soir") : QStringLiteral(" midi");
        if (i % 50 == 49)
            line = line.left(40);
        if (i % 64 == 63)
            line.replace(11, 2, QStringLiteral("99"));
        lines << line;
    }
    DrawMatrix fromList, fromLines;
    fromList.rebuild(DrawList::fromLines(lines));
    fromLines.rebuild(lines + QStringList{QString()});
    ASSERT_EQ(fromList.columns(), 335);
    ASSERT_EQ(fromLines.columns(), 335);
    for (int d = 0; d < 335; ++d) {
        // What each line holds, from the way it was made: a cut line keeps its first ten fields
        // and the rest read 0; a field "99" reads as itself and lands in row 0.
        std::array<bool, 71> expected{};
        if (d < 333) {
            const int fields = d % 50 == 49 ? 10 : 20;
            for (int k = 0; k < fields; ++k)
                expected[static_cast<size_t>(k == 0 && d % 64 == 63 ? 0 : (d * 7 + k * 3) % 70 + 1)] = true;
            if (fields < 20 || d % 64 == 63)
                expected[0] = true;
        }
        for (int n = 0; n <= 70; ++n) {
            ASSERT_EQ(fromList.contains(n, d), expected[static_cast<size_t>(n)]) << n << " " << d;
            ASSERT_EQ(fromLines.contains(n, d), expected[static_cast<size_t>(n)]) << n << " " << d;
        }
    }
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
    const QByteArray pieces[] = {kMidiBytes, kSoirBytes, QByteArray(kMidiBytes).replace(' ', ';'),
                                 "\r",       ";",        " ",
                                 "\t",       "1",        "/",
                                 "\xE9",     "\xC3\xA9", "\xA0",
                                 "\xC2\xA0", "midi",     "\x80",
                                 "\n",       "\n",       "\n"};
    std::uint32_t state = 12345;
    const auto next = [&state] {
        state = state * 1103515245u + 12345u;
        return state >> 16;
    };
    for (int round = 0; round < 300; ++round) {
        QByteArray bytes;
        const int count = static_cast<int>(next() % 40);
        for (int i = 0; i < count; ++i) {
            const auto& piece = pieces[next() % std::size(pieces)];
            // Records need whole lines; leave the ASCII-only rounds ASCII, so both encodings are tried.
            if (round % 3 == 0 && piece.size() <= 2 && static_cast<unsigned char>(piece[0]) >= 0x80)
                continue;
            bytes += piece;
            if (piece.size() == DrawLine::kLength && next() % 2)
                bytes += "\r\n";
        }
        const QStringList expected = literal(bytes);
        EXPECT_EQ(HistoryFile::parseList(bytes).list.toStringList(), expected) << bytes.toHex().toStdString();
        DrawListReader reader;
        EXPECT_EQ(readInPieces(bytes, 1 + next() % 90, reader).toStringList(), expected) << bytes.toHex().toStdString();
    }
}
