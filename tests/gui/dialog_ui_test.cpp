// SPDX-License-Identifier: GPL-3.0-or-later
// The window's questions as real dialogs, answered from a timer.
#include "gui/DialogUi.h"

#include "gui/WaitCursor.h"
#include "support/WindowFixture.h"

#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

namespace {

TEST(DialogUiTest, TheAddressBoxShowsTheWholeAddress)
{
    const QString address = QStringLiteral("https://www.exemple-de-jeux.example.com/generated/game/keno/keno_gagnant_a_vie.zip");
    const QString title = QStringLiteral("Telechargement echoué vérifiez l'adresse"),
                  prompt = QStringLiteral("Sur le site FDesJeux");
    DialogUi ui;
    bool checked = false;
    QTimer::singleShot(0, qApp, [&] {
        auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(QStringList({dialog->windowTitle(), dialog->labelText()}), QStringList({title, prompt}));
        auto* edit = dialog->findChild<QLineEdit*>();
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->text(), address);
        EXPECT_GE(edit->width(), edit->fontMetrics().horizontalAdvance(address)) << edit->width();
        checked = true;
        edit->setText(address + QStringLiteral("2"));
        dialog->accept();
    });
    EXPECT_EQ(ui.askText(title, prompt, address).value_or(QString()), address + QStringLiteral("2"));
    EXPECT_TRUE(checked);

    QTimer::singleShot(0, qApp, [] { QApplication::activeModalWidget()->close(); });
    EXPECT_FALSE(ui.askText(QStringLiteral("t"), QStringLiteral("p"), address).has_value());
}

TEST(DialogUiTest, QuestionsShowTheArrowOverAnHourglass)
{
    DialogUi ui;
    WaitCursor hourglass;
    hourglass.show(true);
    Qt::CursorShape during = Qt::BlankCursor;
    QTimer::singleShot(0, qApp, [&] {
        during = QGuiApplication::overrideCursor()->shape();
        QApplication::activeModalWidget()->close();
    });
    ui.show(CommandOutcome::refused(QStringLiteral("Vous n'etes pas connecté à Internet")));
    EXPECT_EQ(during, Qt::ArrowCursor);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    hourglass.show(false);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    // Without an hourglass nothing is pushed.
    QTimer::singleShot(0, qApp, [&] {
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
        QApplication::activeModalWidget()->close();
    });
    EXPECT_FALSE(ui.confirm(QStringLiteral("?"), QStringLiteral("Tiravol")));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

const QStringList kButtons{QStringLiteral("Construire l'historique…"), QStringLiteral("Démonstration"),
                           QStringLiteral("Liste vide")};

// The captions of a box's buttons as they stand on screen, left to right.
QStringList captionsInPlace(const QMessageBox* box)
{
    QList<QAbstractButton*> buttons = box->buttons();
    std::sort(buttons.begin(), buttons.end(), [](auto* a, auto* b) { return a->x() < b->x(); });
    QStringList captions;
    for (const QAbstractButton* b : buttons)
        captions << b->text();
    return captions;
}

TEST(DialogUiTest, ChoiceButtonsStandInOrderTheFirstIsTheDefaultAndEscapeChoosesTheLast)
{
    DialogUi ui;
    QStringList captions;
    QString defaultCaption;
    QTimer::singleShot(0, qApp, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        captions = captionsInPlace(box);
        defaultCaption = box->defaultButton() ? box->defaultButton()->text() : QString();
        for (QAbstractButton* b : box->buttons())
            if (b->text() == kButtons[1])
                b->click();
    });
    EXPECT_EQ(ui.choose(QStringLiteral("Premier démarrage"), QStringLiteral("?"), kButtons), 1);
    EXPECT_EQ(captions, kButtons);
    EXPECT_EQ(defaultCaption, kButtons[0]);

    QTimer::singleShot(0, qApp, [] { TestSupport::press(QApplication::activeModalWidget(), Qt::Key_Escape); });
    EXPECT_EQ(ui.choose(QStringLiteral("Premier démarrage"), QStringLiteral("?"), kButtons), 2);
}

} // namespace
