// SPDX-License-Identifier: GPL-3.0-or-later
// The window program started over an empty data folder: the first-run question in real message boxes.
#include "gui/GuiApp.h"
#include "shell/Settings.h"
#include "support/TestSupport.h"

#include "support/WindowFixture.h"

#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

namespace {

// Its own program: the user's configuration folder is set before anything reads it.
TEST(GuiAppFirstRunTest, AnEmptyDataFolderOffersTheQuestionAfterTheMissingFileAndTheDemonstrationSaysSo)
{
    QTemporaryDir config, data;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    // No test reaches the operator: the automatic update stays off.
    TestSupport::writeFile(Settings::iniPath(config.path()), "[Jeu]\nMiseAJourAuto=0\n");
    GuiApp app; // the window's own dialogs
    QString error;
    ASSERT_TRUE(app.start(GuiApp::parseArguments({QStringLiteral("tiravol"), QStringLiteral("--data-dir"), data.path()}), &error))
        << error.toStdString();

    // Every box is answered as it comes: OK, or "Démonstration" in the question.
    QStringList boxes;
    QTimer answerer;
    QObject::connect(&answerer, &QTimer::timeout, qApp, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        boxes << box->text().section(QLatin1Char('\n'), 0, 0);
        const QList<QAbstractButton*> buttons = box->buttons();
        const auto demo
            = std::find_if(buttons.begin(), buttons.end(), [](auto* b) { return b->text() == QStringLiteral("Démonstration"); });
        if (demo != buttons.end()) {
            EXPECT_EQ(box->windowTitle(), QStringLiteral("Premier démarrage"));
            EXPECT_TRUE(box->text().contains(QDir::toNativeSeparators(data.path())));
            (*demo)->click();
        } else {
            box->button(QMessageBox::Ok)->click();
        }
    });
    answerer.start(10);
    TestSupport::waitFor([&] { return app.workspace()->drawCount() > 0; });
    answerer.stop();

    ASSERT_GE(boxes.size(), 2);
    EXPECT_TRUE(boxes.first().contains(QStringLiteral("introuvable"))) << boxes.first().toStdString();
    EXPECT_EQ(boxes.filter(QStringLiteral("Aucun historique")).size(), 1);
    EXPECT_GT(app.workspace()->drawCount(), 0);
    EXPECT_TRUE(app.window()->windowTitle().endsWith(QStringLiteral(" (démonstration)")));
    EXPECT_TRUE(app.window()->close());
    EXPECT_TRUE(QDir(data.path()).entryList(QDir::Files).isEmpty());
}

} // namespace
