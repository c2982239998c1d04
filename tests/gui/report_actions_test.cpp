// The window's copy and print commands: the clipboard, and a PDF file standing for the printer.
#include "gui/MainWindow.h"
#include "gui/ReportActions.h"
#include "gui/ReportPrinter.h"

#include "support/TestSupport.h"
#include "support/WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QListWidget>
#include <QPrinter>
#include <gtest/gtest.h>

namespace {

class ReportActionsTest : public TestSupport::WindowTest {
protected:
    void SetUp() override
    {
        writeHistory(TestSupport::makeHistory(120));
        open();
        m_ui.messages.clear();
    }
    void TearDown() override { ReportActions::setPrinterFactory({}); }

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

TEST_F(ReportActionsTest, CopyPutsTheSelectedLinesOfBothListsOnTheClipboard)
{
    QListWidget* left = list("Resultat");
    QListWidget* right = list("Resultat2");
    ASSERT_GE(left->count(), 5);
    ASSERT_GE(right->count(), 5);
    QApplication::clipboard()->setText(QStringLiteral("avant"));
    get("MnuCop")->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), QString()); // nothing selected: an empty text

    left->item(4)->setSelected(true);
    left->item(2)->setSelected(true);
    right->item(1)->setSelected(true);
    get("MnuCop")->trigger();
    const QString crLf = QStringLiteral("\r\n");
    EXPECT_EQ(QApplication::clipboard()->text(),
              left->item(2)->text() + crLf + left->item(4)->text() + crLf + right->item(1)->text() + crLf);
    // Copying keeps the selection.
    EXPECT_EQ(left->selectedItems().size(), 2);

    left->clearSelection();
    get("MnuCop")->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), right->item(1)->text() + crLf);
}

TEST_F(ReportActionsTest, PrintEverythingThenASelectionToAPdfPrinter)
{
    const QString pdf = path("rapport.pdf");
    printToPdf(pdf);
    QListWidget* left = list("Resultat");
    QListWidget* right = list("Resultat2");
    QStringList expected;
    for (const QString& line : TestSupport::rows(left) + TestSupport::rows(right))
        expected << line.simplified();

    get("tout")->trigger();
    EXPECT_TRUE(m_ui.messages.empty());
    EXPECT_EQ(TestSupport::pdfLines(pdf, true), expected);
    EXPECT_TRUE(left->selectedItems().isEmpty() && right->selectedItems().isEmpty());

    // "Selection": only the chosen lines, left list first, and only they are unselected.
    left->item(7)->setSelected(true);
    right->item(0)->setSelected(true);
    right->item(3)->setSelected(true);
    QFile::remove(pdf);
    get("selection")->trigger();
    EXPECT_EQ(TestSupport::pdfLines(pdf, true),
              QStringList({left->item(7)->text().simplified(), right->item(0)->text().simplified(),
                           right->item(3)->text().simplified()}));
    EXPECT_TRUE(left->selectedItems().isEmpty() && right->selectedItems().isEmpty());
}

TEST_F(ReportActionsTest, WithoutAPrinterItOffersAPdfFileAndADeclineKeepsEverySelectedLine)
{
    ReportActions::setPrinterFactory([](QString* why) {
        *why = QStringLiteral("Aucune imprimante");
        return std::unique_ptr<QPrinter>();
    });
    list("Resultat")->item(1)->setSelected(true);
    get("selection")->trigger(); // the offer declined
    ASSERT_EQ(m_ui.confirmTexts.size(), 1);
    EXPECT_TRUE(m_ui.confirmTexts[0].startsWith(QStringLiteral("Aucune imprimante")));
    EXPECT_TRUE(m_ui.confirmTexts[0].contains(QStringLiteral("PDF")));
    EXPECT_EQ(list("Resultat")->selectedItems().size(), 1);

    // Accepted, then a file chosen: the selected line goes to that PDF and is unselected.
    const QString pdf = path("sans-imprimante.pdf");
    m_ui.confirmAnswers = {true};
    m_ui.saveNames = {pdf};
    get("selection")->trigger();
    EXPECT_EQ(TestSupport::pdfLines(pdf, true), QStringList{list("Resultat")->item(1)->text().simplified()});
    EXPECT_TRUE(list("Resultat")->selectedItems().isEmpty());

    // Accepted, then the file dialog cancelled: nothing printed, every line stays selected.
    m_ui.confirmAnswers = {true};
    get("tout")->trigger();
    EXPECT_TRUE(m_ui.messages.empty());
    EXPECT_EQ(list("Resultat")->selectedItems().size(), list("Resultat")->count());
    EXPECT_EQ(list("Resultat2")->selectedItems().size(), list("Resultat2")->count());

    // The default printer of this machine: when it has none, the same path with its own words.
    ReportActions::setPrinterFactory({});
    QString why;
    if (ReportActions::defaultPrinter(&why))
        GTEST_SKIP() << "a printer is installed here";
    EXPECT_EQ(why, ReportPrinter::missingPrinterMessage());
    get("selection")->trigger();
    ASSERT_EQ(m_ui.confirmTexts.size(), 4);
    EXPECT_TRUE(m_ui.confirmTexts[3].startsWith(why));
    EXPECT_EQ(list("Resultat")->selectedItems().size(), list("Resultat")->count());
}

} // namespace
