// The window's output and link commands through their menus: copy to the clipboard, printing
// (to a PDF file standing for the printer), the help document built beside the program, the
// about box, the web page off line, and the base history built from archives.
#include "gui/MainWindow.h"
#include "gui/ReportActions.h"
#include "gui/ReportPrinter.h"

#include "history/HistoryFile.h"
#include "shell/Workspace.h"
#include "support/TestSupport.h"
#include "support/WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QProgressBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QStringList actionNames(const QMenu* menu)
{
    QStringList names;
    for (const QAction* action : menu->actions())
        names << (action->isSeparator() ? QStringLiteral("-") : action->objectName());
    return names;
}

class OutputMenuTest : public TestSupport::WindowTest {
protected:
    void SetUp() override { writeHistory(TestSupport::makeHistory(120)); }
    void TearDown() override { ReportActions::setPrinterFactory({}); }

    void open(WorkspaceConfig::Connection connection = WorkspaceConfig::Connection::Online)
    {
        m_config.connection = [connection] { return connection; };
        WindowTest::open();
        m_ui.messages.clear();
    }
    QAction* action(const char* name) const { return get(name); }
    QListWidget* list(const char* name) const { return get<QListWidget>(name); }
    void printToPdf(const QString& pdf)
    {
        ReportActions::setPrinterFactory([pdf](QString*) {
            auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(pdf);
            return printer;
        });
    }
};

TEST_F(OutputMenuTest, MenusHoldTheCommandsInTableOrderWithThePrintSubmenu)
{
    open();
    const auto menu = [this](const char* name) { return m_window->findChild<QMenu*>(QString::fromLatin1(name)); };
    ASSERT_NE(menu("Fichier"), nullptr);
    EXPECT_EQ(actionNames(menu("Fichier")),
              QStringList({QStringLiteral("mnuCharge"), QStringLiteral("Telecharge"), QStringLiteral("Construire"),
                           QStringLiteral("ImpMenu"), QStringLiteral("Fin")}));
    ASSERT_NE(menu("Imp"), nullptr);
    EXPECT_EQ(menu("Imp")->title(), QStringLiteral("Imprimer"));
    EXPECT_EQ(actionNames(menu("Imp")), QStringList({QStringLiteral("tout"), QStringLiteral("selection")}));
    EXPECT_EQ(action("tout")->text(), QStringLiteral("Tout"));
    EXPECT_EQ(action("selection")->text(), QStringLiteral("Selection"));
    EXPECT_EQ(menu("Ed")->title(), QStringLiteral("Edition"));
    EXPECT_EQ(action("MnuCop")->text(), QStringLiteral("Copier selection"));
    EXPECT_EQ(action("Varn")->text(), QStringLiteral("Aide"));
    EXPECT_TRUE(actionNames(menu("help")).startsWith(QStringLiteral("Varn")));
    EXPECT_EQ(action("site")->text(), QStringLiteral("Visiter le site / contact"));
    EXPECT_EQ(action("Apropos")->text(), QStringLiteral("A propos"));
    const QStringList divers = actionNames(menu("Divers"));
    EXPECT_LT(divers.indexOf(QStringLiteral("tc")), divers.indexOf(QStringLiteral("site")));
    EXPECT_EQ(divers.indexOf(QStringLiteral("site")) + 1, divers.indexOf(QStringLiteral("Apropos")));
}

TEST_F(OutputMenuTest, CopyPutsTheSelectedLinesOfBothListsOnTheClipboard)
{
    open();
    QListWidget* left = list("Resultat");
    QListWidget* right = list("Resultat2");
    ASSERT_GE(left->count(), 5);
    ASSERT_GE(right->count(), 5);
    QApplication::clipboard()->setText(QStringLiteral("avant"));
    action("MnuCop")->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), QString()); // nothing selected: an empty text

    left->item(4)->setSelected(true);
    left->item(2)->setSelected(true);
    right->item(1)->setSelected(true);
    action("MnuCop")->trigger();
    const QString crLf = QStringLiteral("\r\n");
    EXPECT_EQ(QApplication::clipboard()->text(),
              left->item(2)->text() + crLf + left->item(4)->text() + crLf + right->item(1)->text() + crLf);
    // Copying keeps the selection.
    EXPECT_EQ(left->selectedItems().size(), 2);

    left->clearSelection();
    action("MnuCop")->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), right->item(1)->text() + crLf);
}

TEST_F(OutputMenuTest, PrintEverythingThenASelectionToAPdfPrinter)
{
    open();
    const QString pdf = path("rapport.pdf");
    printToPdf(pdf);
    QListWidget* left = list("Resultat");
    QListWidget* right = list("Resultat2");
    QStringList expected;
    for (const QString& line : TestSupport::rows(left) + TestSupport::rows(right))
        expected << line.simplified();

    action("tout")->trigger();
    EXPECT_TRUE(m_ui.messages.empty());
    EXPECT_EQ(TestSupport::pdfLines(pdf, true), expected);
    // 8-point lines on A4: about 80 to a page, so the two columns of a ranking fit on one.
    ASSERT_LE(expected.size(), 75);
    EXPECT_EQ(TestSupport::pdfPages(pdf), 1);
    EXPECT_TRUE(left->selectedItems().isEmpty());
    EXPECT_TRUE(right->selectedItems().isEmpty());
    EXPECT_EQ(m_ws->selectionText(), QString());

    // "Selection": only the chosen lines, left list first, and only they are unselected.
    left->item(7)->setSelected(true);
    right->item(0)->setSelected(true);
    right->item(3)->setSelected(true);
    QFile::remove(pdf);
    action("selection")->trigger();
    EXPECT_EQ(TestSupport::pdfLines(pdf, true),
              QStringList({left->item(7)->text().simplified(), right->item(0)->text().simplified(),
                           right->item(3)->text().simplified()}));
    EXPECT_EQ(TestSupport::pdfPages(pdf), 1);
    EXPECT_TRUE(left->selectedItems().isEmpty());
    EXPECT_TRUE(right->selectedItems().isEmpty());
}

TEST_F(OutputMenuTest, WithoutAPrinterItOffersAPdfFileAndADeclineKeepsEverySelectedLine)
{
    open();
    ReportActions::setPrinterFactory([](QString* why) {
        *why = QStringLiteral("Aucune imprimante");
        return std::unique_ptr<QPrinter>();
    });
    list("Resultat")->item(1)->setSelected(true);
    action("selection")->trigger(); // the offer declined
    ASSERT_EQ(m_ui.confirmTexts.size(), 1);
    EXPECT_TRUE(m_ui.confirmTexts[0].startsWith(QStringLiteral("Aucune imprimante")));
    EXPECT_TRUE(m_ui.confirmTexts[0].contains(QStringLiteral("PDF")));
    EXPECT_EQ(list("Resultat")->selectedItems().size(), 1);

    // Accepted, then a file chosen: the selected line goes to that PDF and is unselected.
    const QString pdf = path("sans-imprimante.pdf");
    m_ui.confirmAnswers = {true};
    m_ui.saveNames = {pdf};
    action("selection")->trigger();
    EXPECT_EQ(TestSupport::pdfLines(pdf, true), QStringList{list("Resultat")->item(1)->text().simplified()});
    EXPECT_TRUE(list("Resultat")->selectedItems().isEmpty());

    // Accepted, then the file dialog cancelled: nothing printed, every line stays selected.
    m_ui.confirmAnswers = {true};
    action("tout")->trigger();
    EXPECT_TRUE(m_ui.messages.empty());
    EXPECT_EQ(list("Resultat")->selectedItems().size(), list("Resultat")->count());
    EXPECT_EQ(list("Resultat2")->selectedItems().size(), list("Resultat2")->count());

    // The default printer of this machine: when it has none, the same path with its own words.
    ReportActions::setPrinterFactory({});
    QString why;
    if (ReportActions::defaultPrinter(&why))
        GTEST_SKIP() << "a printer is installed here";
    EXPECT_EQ(why, ReportPrinter::missingPrinterMessage());
    action("selection")->trigger();
    ASSERT_EQ(m_ui.confirmTexts.size(), 4);
    EXPECT_TRUE(m_ui.confirmTexts[3].startsWith(why));
    EXPECT_EQ(list("Resultat")->selectedItems().size(), list("Resultat")->count());
}

TEST_F(OutputMenuTest, HelpOpensTheBuiltDocumentAboutShowsTheVersionAndTheSiteNeedsAConnection)
{
    // The lookup is pointed at a system data folder that holds the document the build made.
    QTemporaryDir share;
    ASSERT_TRUE(QDir(share.path()).mkpath(QStringLiteral("tiravol")));
    const QString pdf = share.filePath(QStringLiteral("tiravol/aidekeno.pdf"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(TIRAVOL_HELP_PDF), pdf)) << TIRAVOL_HELP_PDF;
    qputenv("XDG_DATA_HOME", QFile::encodeName(share.filePath(QStringLiteral("home"))));
    qputenv("XDG_DATA_DIRS", QFile::encodeName(share.path()));
    open(WorkspaceConfig::Connection::Offline);

    action("Varn")->trigger();
    ASSERT_EQ(m_ui.openedUrls.size(), 1);
    EXPECT_EQ(m_ui.openedUrls[0], QUrl::fromLocalFile(pdf));
    EXPECT_TRUE(TestSupport::readFile(m_ui.openedUrls[0].toLocalFile()).startsWith("%PDF-"));
    EXPECT_TRUE(TestSupport::runTool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")})
                    .contains(QStringLiteral("Visiter le site")));
    EXPECT_TRUE(m_ui.messages.empty());
    qunsetenv("XDG_DATA_HOME");
    qunsetenv("XDG_DATA_DIRS");

    action("Apropos")->trigger();
    ASSERT_EQ(m_ui.messages.size(), 1u);
    EXPECT_EQ(m_ui.messages[0].text, QStringLiteral("Tiravol version \r\n") + m_ws->versionText());

    action("site")->trigger();
    ASSERT_EQ(m_ui.messages.size(), 2u);
    EXPECT_EQ(m_ui.messages[1].text, QStringLiteral("Vous n'etes pas connecté à Internet"));
    EXPECT_EQ(m_ui.openedUrls.size(), 1);
}

TEST_F(OutputMenuTest, BuildingTheBaseLoadsTheNewHistoryIntoTheWindow)
{
    open();
    const QStringList fresh = TestSupport::makeHistory(24, QDate(2023, 4, 1), 11);
    TestSupport::writeFile(path("a.csv"), TestSupport::operatorCsv(fresh.mid(0, 15)));
    TestSupport::writeFile(path("b.csv"), TestSupport::operatorCsv(fresh.mid(10)));
    m_ui.openNames.push_back({path("a.csv"), path("b.csv")});
    m_ui.confirmAnswers.push_back(true);
    // While the archives are read the bar is shown, laid out in the status bar, and moves.
    auto* bar = m_window->findChild<QProgressBar*>(QStringLiteral("ProgressBar1"));
    QList<int> values;
    bool laidOut = true;
    QObject::connect(m_ws.get(), &Workspace::changed, m_window.get(), [&](unsigned parts) {
        if (!(parts & Workspace::ProgressPart) || !m_ws->progress().visible)
            return;
        values << bar->value();
        laidOut = laidOut && bar->isVisible() && bar->maximum() == 2 && bar->width() > 0
            && m_window->statusBar()->rect().contains(bar->geometry());
    });
    action("Construire")->trigger(); // the archives are read off the window's thread
    ASSERT_TRUE(TestSupport::waitFor([&] { return !m_ws->jobRunning(); }));
    EXPECT_TRUE(values.contains(1) && values.contains(2)) << values.size();
    EXPECT_TRUE(laidOut);
    ASSERT_EQ(m_ui.confirmTexts.size(), 1); // the history of SetUp is replaced only after Yes
    // Its draws, which the archives lack, are kept; the base stops where the newest archive begins.
    EXPECT_EQ(m_ws->state().drawLines(), m_history + fresh);
    EXPECT_EQ(TestSupport::readFile(path("Tirages.txt")), TestSupport::crlf(m_history + fresh.mid(0, 10)));
    EXPECT_FALSE(m_window->findChild<QProgressBar*>(QStringLiteral("ProgressBar1"))->isVisible());
    ASSERT_FALSE(m_ui.messages.empty());
    EXPECT_TRUE(m_ui.messages.back().text.contains(QStringLiteral("Tirages en double : 5")));
}

} // namespace
