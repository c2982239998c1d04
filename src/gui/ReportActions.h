// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>
#include <memory>

class MainWindow;
class QPrinter;
class UserInterface;

// The menu commands that take the report's lines to the clipboard or the printer: "Copier
// selection", "Imprimer" > "Tout" and "Imprimer" > "Selection". They act on the window's
// desktop (clipboard, printer), so the window runs them as its own actions.
class ReportActions {
public:
    // The printer to print on; null with the reason, in French, when there is none.
    using PrinterFactory = std::function<std::unique_ptr<QPrinter>(QString* why)>;

    // Registers the three handlers on `window`.
    static void install(MainWindow& window);

    // The system's default printer (300 dots per inch), or null when none is installed.
    static std::unique_ptr<QPrinter> defaultPrinter(QString* why);
    // No printer: offers a PDF file instead (a question whose default answer is yes, then the
    // save dialog); null when the user declines or cancels.
    static std::unique_ptr<QPrinter> pdfPrinter(UserInterface& ui, const QString& why);
    // Replaces the default printer (a PDF file in the tests); an empty factory restores it.
    static void setPrinterFactory(PrinterFactory factory);

    static void copySelection(MainWindow& window);
    static void print(MainWindow& window, bool everything);
};
