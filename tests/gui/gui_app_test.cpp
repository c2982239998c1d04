// The window program's set-up: the application's French texts and the connection check it uses.
#include "gui/ConnectionCheck.h"
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

TEST(ConnectionCheckTest, OnLineOnlyWithAnInterfaceUpBeyondItsOwnLink)
{
    using I = ConnectionCheck::Interface;
    const I loopback{true, true, true, 1};
    const I cableUnplugged{true, false, false, 1};
    const I down{false, false, false, 1};
    const I linkLocalOnly{true, true, false, 0};
    const I connected{true, true, false, 1};
    EXPECT_FALSE(ConnectionCheck::mayBeOnline({}, false));
    EXPECT_FALSE(ConnectionCheck::mayBeOnline({loopback, cableUnplugged, down, linkLocalOnly}, false));
    EXPECT_TRUE(ConnectionCheck::mayBeOnline({loopback, connected}, false));
    EXPECT_FALSE(ConnectionCheck::mayBeOnline({loopback, connected}, true)); // the backend knows better
}

} // namespace
