// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "output/ReportModel.h"

#include <QFont>
#include <QList>
#include <QString>

class QPrinter;

// Prints the selected lines of the two result lists, those of `Resultat` first, in one
// document. It never changes the lists itself: it says which lines went out, and the caller
// unselects them.
class ReportPrinter {
public:
    static constexpr int kLeftIndentTwips = 1000;
    static constexpr int kFontPoints = 8;

    struct Printed {
        bool ok = true; // false: nothing was printed and every selection stays
        QString error; // French, when not ok
        QList<int> resultat; // indices printed, to unselect
        QList<int> resultat2;
        int pages = 0;
    };

    // "Times New Roman" 8 points, or the nearest serif font installed.
    static QFont reportFont();

    // Prints on `printer` as it is set up (default printer, PDF file...). Nothing selected:
    // no document is started.
    static Printed print(QPrinter& printer, const ResultList& resultat, const ResultList& resultat2);

    // Unselects what `printed` reports as printed.
    static void unselectPrinted(const Printed& printed, ResultList& resultat, ResultList& resultat2);

    // "Tout": every line of both lists selected.
    static void selectAll(ResultList& resultat, ResultList& resultat2);

    // Empty when a printer is installed; otherwise the message to show.
    static QString missingPrinterMessage();
};
