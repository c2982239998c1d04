// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/ReportPrinter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

constexpr double kTwipsPerInch = 1440.0;

QList<int> selectedIndices(const ResultList& list)
{
    QList<int> out;
    for (int i = 0; i < list.count(); ++i)
        if (list.isSelected(i))
            out << i;
    return out;
}

} // namespace

QFont ReportPrinter::reportFont()
{
    QFont font(QStringLiteral("Times New Roman"));
    font.setStyleHint(QFont::Serif);
    font.setPointSize(kFontPoints);
    return font;
}

ReportPrinter::Printed ReportPrinter::print(QPrinter& printer, const ResultList& resultat, const ResultList& resultat2)
{
    Printed printed;
    const QList<int> left = selectedIndices(resultat);
    const QList<int> right = selectedIndices(resultat2);
    if (left.isEmpty() && right.isEmpty())
        return printed;

    QPainter painter;
    if (!painter.begin(&printer)) {
        printed.ok = false;
        printed.error = QStringLiteral("Impression impossible : l'imprimante n'a pas pu être ouverte. Aucune ligne n'a "
                                       "été retirée de la sélection.");
        return printed;
    }
    // The font is measured on the printer itself, so 8 points are 8 points on paper.
    painter.setFont(QFont(reportFont(), &printer));
    const QFontMetricsF metrics(painter.font(), &printer);
    const double lineHeight = metrics.lineSpacing();
    const double x = printer.resolution() * kLeftIndentTwips / kTwipsPerInch;
    const double pageHeight = printer.pageLayout().paintRectPixels(printer.resolution()).height();

    double y = 0;
    printed.pages = 1;
    auto printLine = [&](const QString& line) {
        if (y > 0 && y + lineHeight > pageHeight) {
            printer.newPage();
            ++printed.pages;
            y = 0;
        }
        painter.drawText(QPointF(x, y + metrics.ascent()), line);
        y += lineHeight;
    };
    for (int i : left) {
        printLine(resultat.lines.at(i));
        printed.resultat << i;
    }
    for (int i : right) {
        printLine(resultat2.lines.at(i));
        printed.resultat2 << i;
    }
    painter.end();
    return printed;
}

void ReportPrinter::unselectPrinted(const Printed& printed, ResultList& resultat, ResultList& resultat2)
{
    for (int i : printed.resultat)
        resultat.setSelected(i, false);
    for (int i : printed.resultat2)
        resultat2.setSelected(i, false);
}

void ReportPrinter::selectAll(ResultList& resultat, ResultList& resultat2)
{
    for (int i = 0; i < resultat.count(); ++i)
        resultat.setSelected(i, true);
    for (int i = 0; i < resultat2.count(); ++i)
        resultat2.setSelected(i, true);
}

QString ReportPrinter::missingPrinterMessage()
{
    if (!QPrinterInfo::defaultPrinter().isNull() || !QPrinterInfo::availablePrinters().isEmpty())
        return {};
    return QStringLiteral("Aucune imprimante n'est installée.");
}
