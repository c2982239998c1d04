// The window program's set-up: the application's French texts.
#include "gui/GuiApp.h"

#include <QMessageBox>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

TEST(GuiAppSetUpTest, StandardButtonsReadInFrench)
{
    GuiApp::setUpApplication();
    GuiApp::setUpApplication(); // once is enough; twice changes nothing
    QMessageBox box(QMessageBox::Question, QStringLiteral("Tiravol"), QStringLiteral("?"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text(), QStringLiteral("&Oui"));
    EXPECT_EQ(box.button(QMessageBox::No)->text(), QStringLiteral("&Non"));
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), QStringLiteral("Annuler"));
}

} // namespace
