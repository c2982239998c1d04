// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/ReportActions.h"

#include "gui/MainWindow.h"
#include "gui/ReportPrinter.h"
#include "shell/CommandUnits.h"
#include "shell/Messages.h"
#include "shell/OutcomeView.h"
#include "shell/UserInterface.h"
#include "shell/Workspace.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

ReportActions::PrinterFactory& printerFactory()
{
    static ReportActions::PrinterFactory factory;
    return factory;
}

} // namespace

void ReportActions::install(MainWindow& window)
{
    window.setWindowAction(QStringLiteral("MnuCop"), [&window] { copySelection(window); });
    window.setWindowAction(QStringLiteral("tout"), [&window] { print(window, true); });
    window.setWindowAction(QStringLiteral("selection"), [&window] { print(window, false); });
}

std::unique_ptr<QPrinter> ReportActions::defaultPrinter(QString* why)
{
    const QString missing = ReportPrinter::missingPrinterMessage();
    if (!missing.isEmpty()) {
        if (why)
            *why = missing;
        return nullptr;
    }
    QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        info = QPrinterInfo::printerInfo(QPrinterInfo::availablePrinterNames().value(0));
    auto printer = std::make_unique<QPrinter>(info);
    printer->setResolution(300);
    return printer;
}

std::unique_ptr<QPrinter> ReportActions::pdfPrinter(UserInterface& ui, const QString& why)
{
    // "Oui" first: Enter accepts what the player asked for, printing; Esc declines.
    const QStringList answers = {QStringLiteral("Oui"), QStringLiteral("Non")};
    if (ui.choose(Messages::kTitle, why + QStringLiteral("\n\nImprimer dans un fichier PDF ?"), answers) != 0)
        return nullptr;
    const QString file = ui.askSaveFileName(QStringLiteral("Imprimer dans un fichier PDF"), QStringLiteral("pdf"));
    if (file.isEmpty())
        return nullptr;
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(file);
    return printer;
}

void ReportActions::setPrinterFactory(PrinterFactory factory)
{
    printerFactory() = std::move(factory);
}

void ReportActions::copySelection(MainWindow& window)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(window.workspace().units().output.selectionText());
}

void ReportActions::print(MainWindow& window, bool everything)
{
    Workspace& ws = window.workspace();
    if (everything)
        ws.units().output.selectAll();
    QString why;
    const std::unique_ptr<QPrinter> printer = printerFactory() ? printerFactory()(&why) : defaultPrinter(&why);
    std::unique_ptr<QPrinter> pdf;
    if (!printer) {
        // Without a printer the lines can still go to a PDF file the user names.
        pdf = pdfPrinter(window.ui(), why);
        if (!pdf)
            return;
    }
    QPrinter& target = printer ? *printer : *pdf;
    const ReportPrinter::Printed printed = ReportPrinter::print(target, ws.report().resultat, ws.report().resultat2);
    if (!printed.ok) {
        window.view().show(CommandOutcome::failed(printed.error));
        return;
    }
    ws.units().output.unselect(printed.resultat, printed.resultat2);
}
