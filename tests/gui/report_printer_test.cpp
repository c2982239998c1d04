// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/ReportPrinter.h"

#include "support/TestSupport.h"

#include <QFontInfo>
#include <QPageLayout>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Left edge of the first word, in points from the page's left edge.
double firstWordLeft(const QString& pdf)
{
    const QString html = TestSupport::runTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    const QRegularExpression word(QStringLiteral("<word xMin=\"([0-9.]+)\""));
    const QRegularExpressionMatch match = word.match(html);
    return match.hasMatch() ? match.captured(1).toDouble() : -1;
}

void setUpPdf(QPrinter& printer, const QString& path, double marginPoints)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(QMarginsF(marginPoints, marginPoints, marginPoints, marginPoints), QPageLayout::Point);
}

ResultList numbered(const QString& prefix, int count)
{
    ResultList list;
    for (int i = 1; i <= count; ++i)
        list.add(QStringLiteral("%1 %2").arg(prefix).arg(i, 3, 10, QLatin1Char('0')));
    return list;
}

} // namespace

TEST(ReportPrinter, SelectedLinesOfBothListsInOneDocumentLeftListFirstIndentedByAThousandTwips)
{
    QTemporaryDir temp;
    ResultList left = numbered(QStringLiteral("Gauche"), 5);
    ResultList right = numbered(QStringLiteral("Droite"), 3);
    left.setSelected(4, true);
    left.setSelected(1, true);
    right.setSelected(0, true);

    QPrinter printer(QPrinter::HighResolution);
    const QString pdf = temp.filePath(QStringLiteral("selection.pdf"));
    setUpPdf(printer, pdf, 0);
    const ReportPrinter::Printed printed = ReportPrinter::print(printer, left, right);
    ASSERT_TRUE(printed.ok) << printed.error.toStdString();
    EXPECT_EQ(printed.resultat, (QList<int>{1, 4}));
    EXPECT_EQ(printed.resultat2, (QList<int>{0}));
    EXPECT_EQ(TestSupport::pdfLines(pdf),
              QStringList({QStringLiteral("Gauche 002"), QStringLiteral("Gauche 005"), QStringLiteral("Droite 001")}));
    EXPECT_EQ(TestSupport::pdfPages(pdf), 1);
    // 1000 twips = 50 points from the printable area's edge (no margin here).
    EXPECT_NEAR(firstWordLeft(pdf), 50.0, 1.0);

    // Printing leaves the lists to the caller; unselecting touches only what was printed.
    EXPECT_TRUE(left.isSelected(1));
    left.setSelected(2, false);
    ReportPrinter::unselectPrinted(printed, left, right);
    EXPECT_EQ(left.selected, (QList<bool>{false, false, false, false, false}));
    EXPECT_EQ(right.selected, (QList<bool>{false, false, false}));

    // The indent counts from the printable area: with 36-point margins the text starts at 86 points.
    QPrinter margined(QPrinter::HighResolution);
    const QString pdf2 = temp.filePath(QStringLiteral("margins.pdf"));
    setUpPdf(margined, pdf2, 36);
    right.setSelected(2, true);
    ASSERT_TRUE(ReportPrinter::print(margined, left, right).ok);
    EXPECT_NEAR(firstWordLeft(pdf2), 86.0, 1.0);
    EXPECT_EQ(TestSupport::pdfLines(pdf2), QStringList{QStringLiteral("Droite 003")});
}

TEST(ReportPrinter, ToutPrintsEveryLineOverSeveralPagesAndLeavesNoLineSelected)
{
    QTemporaryDir temp;
    // 8-point lines on A4: about 80 to a page, so 150 + 100 lines need more than two pages and fewer than five.
    ResultList left = numbered(QStringLiteral("L"), 150);
    ResultList right = numbered(QStringLiteral("R"), 100);
    ReportPrinter::selectAll(left, right);
    EXPECT_FALSE(left.selected.contains(false) || right.selected.contains(false));

    QPrinter printer(QPrinter::HighResolution);
    const QString pdf = temp.filePath(QStringLiteral("tout.pdf"));
    setUpPdf(printer, pdf, 36);
    const ReportPrinter::Printed printed = ReportPrinter::print(printer, left, right);
    ASSERT_TRUE(printed.ok);
    ReportPrinter::unselectPrinted(printed, left, right);
    EXPECT_FALSE(left.selected.contains(true) || right.selected.contains(true));

    EXPECT_EQ(TestSupport::pdfLines(pdf), left.lines + right.lines);
    const int pages = TestSupport::pdfPages(pdf);
    EXPECT_TRUE(pages == 3 || pages == 4) << pages;
    EXPECT_EQ(printed.pages, pages);

    // Nothing selected any more: printing again starts no document at all.
    const QString again = temp.filePath(QStringLiteral("again.pdf"));
    printer.setOutputFileName(again);
    const ReportPrinter::Printed none = ReportPrinter::print(printer, left, right);
    EXPECT_TRUE(none.ok);
    EXPECT_TRUE(none.resultat.isEmpty() && none.resultat2.isEmpty());
    EXPECT_FALSE(QFile::exists(again));
}

TEST(ReportPrinter, EightPointSerifFontAndAPrinterThatCannotOpenKeepsTheSelection)
{
    const QFont font = ReportPrinter::reportFont();
    EXPECT_EQ(font.family(), QStringLiteral("Times New Roman"));
    EXPECT_EQ(font.pointSize(), 8);
    EXPECT_FALSE(QFontInfo(font).family().isEmpty()); // some installed font answers for it

    ResultList left = numbered(QStringLiteral("L"), 2);
    left.setSelected(0, true);
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QStringLiteral("/nonexistent-folder/x/out.pdf"));
    const ReportPrinter::Printed printed = ReportPrinter::print(printer, left, ResultList{});
    EXPECT_FALSE(printed.ok);
    EXPECT_FALSE(printed.error.isEmpty());
    EXPECT_TRUE(printed.resultat.isEmpty());
    ReportPrinter::unselectPrinted(printed, left, left);
    EXPECT_TRUE(left.isSelected(0));
}
