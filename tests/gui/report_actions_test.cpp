// SPDX-License-Identifier: GPL-3.0-or-later
// The window's copy and print commands: the clipboard, and a PDF file standing for the printer.
#include "gui/ReportActions.h"

#include "gui/DialogUi.h"
#include "gui/ReportPrinter.h"
#include "support/WindowFixture.h"

#include <QClipboard>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrinter>
#include <QTimer>

namespace {

class ReportActionsTest : public TestSupport::WindowTest {
protected:
    void SetUp() override
    {
        writeHistory(TestSupport::makeHistory(120));
        open();
        m_ui.messages.clear();
        left = get<QListWidget>("Resultat");
        right = get<QListWidget>("Resultat2");
    }
    void TearDown() override { ReportActions::setPrinterFactory({}); }

    QListWidget* left = nullptr;
    QListWidget* right = nullptr;
};

TEST_F(ReportActionsTest, CopyPutsTheSelectedLinesOfBothListsOnTheClipboard)
{
    ASSERT_TRUE(left->count() >= 5 && right->count() >= 5);
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
    ReportActions::setPrinterFactory([pdf](QString*) {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdf);
        return printer;
    });
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
    left->item(1)->setSelected(true);
    get("selection")->trigger(); // the offer declined
    ASSERT_EQ(m_ui.choiceTexts.size(), 1);
    EXPECT_EQ(m_ui.choiceTexts[0], QStringLiteral("Aucune imprimante\n\nImprimer dans un fichier PDF ?"));
    EXPECT_EQ(left->selectedItems().size(), 1);

    // Accepted, then a file chosen: the selected line goes to that PDF and is unselected.
    const QString pdf = path("sans-imprimante.pdf");
    m_ui.choiceAnswers = {0};
    m_ui.saveNames = {pdf};
    get("selection")->trigger();
    EXPECT_EQ(TestSupport::pdfLines(pdf, true), QStringList{left->item(1)->text().simplified()});
    EXPECT_TRUE(left->selectedItems().isEmpty());

    // Accepted, then the file dialog cancelled: nothing printed, every line stays selected.
    m_ui.choiceAnswers = {0};
    get("tout")->trigger();
    EXPECT_TRUE(m_ui.messages.empty());
    EXPECT_EQ(left->selectedItems().size(), left->count());
    EXPECT_EQ(right->selectedItems().size(), right->count());

    // The default printer of this machine: when it has none, the same path with its own words.
    ReportActions::setPrinterFactory({});
    QString why;
    if (ReportActions::defaultPrinter(&why))
        GTEST_SKIP() << "a printer is installed here";
    EXPECT_EQ(why, ReportPrinter::missingPrinterMessage());
    get("selection")->trigger();
    ASSERT_EQ(m_ui.choiceTexts.size(), 4);
    EXPECT_TRUE(m_ui.choiceTexts[3].startsWith(why));
    EXPECT_EQ(left->selectedItems().size(), left->count());
}

TEST(ReportActionsPdfTest, EnterOnThePdfQuestionGoesOnToTheFileAndEscapeDeclines)
{
    DialogUi ui;
    QString question;
    bool fileAsked = false;
    // Enter on the question, as the player who asked to print would press it; then the save
    // dialog comes, and is cancelled.
    QTimer::singleShot(0, qApp, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        question = box->text();
        TestSupport::press(box, Qt::Key_Return);
        QTimer::singleShot(0, qApp, [&] {
            if (auto* files = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                fileAsked = true;
                files->reject();
            }
        });
    });
    EXPECT_EQ(ReportActions::pdfPrinter(ui, QStringLiteral("Aucune imprimante")), nullptr);
    EXPECT_EQ(question, QStringLiteral("Aucune imprimante\n\nImprimer dans un fichier PDF ?"));
    EXPECT_TRUE(fileAsked);

    fileAsked = false;
    QTimer::singleShot(0, qApp, [&] {
        TestSupport::press(QApplication::activeModalWidget(), Qt::Key_Escape);
        QTimer::singleShot(0, qApp, [&] {
            fileAsked = qobject_cast<QFileDialog*>(QApplication::activeModalWidget()) != nullptr;
            if (fileAsked)
                QApplication::activeModalWidget()->close();
        });
    });
    EXPECT_EQ(ReportActions::pdfPrinter(ui, QStringLiteral("Aucune imprimante")), nullptr);
    QApplication::processEvents(); // the look for a file dialog, now that none can be open
    EXPECT_FALSE(fileAsked);
}

} // namespace
