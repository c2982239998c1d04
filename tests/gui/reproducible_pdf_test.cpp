// SPDX-License-Identifier: GPL-3.0-or-later
// The help document's last step: the same bytes for the same content whatever the clock, the
// font subsets declared as such, and offsets a reader can still follow.
#include "ReproduciblePdf.h"
#include "support/TestSupport.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

namespace {

// A page of text in two faces, as Qt writes it now.
QByteArray qtPdf()
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setTitle(QStringLiteral("Tiravol — aide"));
    QPainter painter(&writer);
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setPointSize(12);
    painter.setFont(font);
    painter.drawText(100, 200, QStringLiteral("Écarts et sorties"));
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(100, 400, QStringLiteral("Prévision"));
    painter.end();
    return buffer.data();
}

const QDateTime kMoment = QDateTime(QDate(2026, 12, 7), QTime(8, 0), Qt::UTC);

// Each object the cross-reference table lists starts where it says.
void expectOffsetsRight(const QByteArray& pdf)
{
    const QRegularExpressionMatch end = QRegularExpression(QStringLiteral("startxref\\s+(\\d+)")).match(QString::fromLatin1(pdf));
    ASSERT_TRUE(end.hasMatch());
    const qsizetype table = end.captured(1).toLongLong();
    ASSERT_TRUE(pdf.mid(table).startsWith("xref"));
    const QStringList lines = QString::fromLatin1(pdf.mid(table, 20000)).split(u'\n');
    const int count = lines.at(1).section(u' ', 1, 1).toInt();
    ASSERT_GT(count, 5);
    for (int object = 1; object < count; ++object) {
        const qsizetype offset = lines.at(2 + object).left(10).toLongLong();
        EXPECT_TRUE(pdf.mid(offset).startsWith(QByteArray::number(object) + " 0 obj")) << object;
    }
}

} // namespace

TEST(ReproduciblePdf, DocumentsMadeAtDifferentTimesGiveTheSameBytesDatedByTheBuild)
{
    const QByteArray early = qtPdf();
    QThread::msleep(1100); // the clock's seconds are in the document
    const QByteArray late = qtPdf();
    ASSERT_NE(early, late);

    const QByteArray fixed = ReproduciblePdf::apply(early, kMoment);
    EXPECT_EQ(ReproduciblePdf::apply(late, kMoment), fixed);
    EXPECT_TRUE(fixed.contains("/CreationDate (D:20261207080000")) << fixed.left(2000).toStdString();
    // The moment is written in UTC whatever zone it is given in.
    EXPECT_EQ(ReproduciblePdf::apply(early, kMoment.toOffsetFromUtc(3600)), fixed);
    EXPECT_NE(ReproduciblePdf::apply(early, kMoment.addSecs(1)), fixed);
}

TEST(ReproduciblePdf, EveryFontNameCarriesItsSubsetTagAndOffsetsStayRight)
{
    const QByteArray pdf = ReproduciblePdf::apply(qtPdf(), kMoment);
    static const QRegularExpression baseFont(QStringLiteral("/BaseFont ?/([^\\s/]+)"));
    int fonts = 0;
    for (const QRegularExpressionMatch& m : baseFont.globalMatch(QString::fromLatin1(pdf))) {
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^[A-Z]{6}\\+DejaVuSerif")).match(m.captured(1)).hasMatch())
            << m.captured(1).toStdString();
        ++fonts;
    }
    EXPECT_EQ(fonts, 4); // each face: its composite font and its descendant
    expectOffsetsRight(pdf);
    // Applying it again changes nothing.
    EXPECT_EQ(ReproduciblePdf::apply(pdf, kMoment), pdf);
}

TEST(ReproduciblePdf, PopplerReadsTheFontsAsEmbeddedSubsets)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdffonts")).isEmpty())
        GTEST_SKIP() << "pdffonts (poppler-utils) is not installed";
    QTemporaryDir temp;
    const QString path = temp.filePath(QStringLiteral("page.pdf"));
    TestSupport::writeFile(path, ReproduciblePdf::apply(qtPdf(), kMoment));
    const QStringList lines = TestSupport::runTool(QStringLiteral("pdffonts"), {path}).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 4) << lines.join(u'\n').toStdString(); // two heading lines, two faces
    for (const QString& line : lines.mid(2)) // name type encoding emb sub uni object generation
        EXPECT_EQ(line.simplified().section(u' ', -5, -4), QStringLiteral("yes yes")) << line.toStdString();
}

TEST(ReproduciblePdf, ADocumentWithoutQtsTableKeepsItsBytesButForTheDates)
{
    const QByteArray odd = "%PDF-1.4\n1 0 obj\n<< /CreationDate (D:20200101101010Z) >>\nendobj\n"
                           "2 0 obj\n<< /FontName /ABCDEF+Serif >>\nendobj\n3 0 obj\n<< /BaseFont /Serif >>\nendobj\n%%EOF\n";
    QByteArray expected = odd;
    expected.replace("20200101101010", "20261207080000");
    EXPECT_EQ(ReproduciblePdf::apply(odd, kMoment), expected);
}
