// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Settings.h"
#include "support/WindowFixture.h"

#include <QScreen>

namespace {

// A window over a long history in a temporary folder; its settings live there too.
class WindowPlacementTest : public TestSupport::WindowTest {
protected:
    void SetUp() override { writeHistory(TestSupport::makeHistory(3000)); }

    void open()
    {
        WindowTest::open(true);
        QApplication::processEvents();
    }
    QString ini() const { return Settings::iniPath(m_config.appDataFolder); }
    static QRect workArea() { return QGuiApplication::primaryScreen()->availableGeometry(); }
};

TEST_F(WindowPlacementTest, FirstStartFitsTheWorkAreaAndTheGeometryComesBackFromTheSettings)
{
    // Other settings stay as they were written.
    TestSupport::writeFile(ini(), "[URL]\r\nFileFdesjeux=https://exemple.test/a.zip\r\n\r\n[Autre]\r\nCle=1\r\n");
    open();
    EXPECT_TRUE(workArea().contains(m_window->frameGeometry())) << m_window->frameGeometry().width();

    // No narrower than the window allows: the draw list keeps whole lines.
    const QRect placed(workArea().topLeft() + QPoint(20, 30), QSize(std::max(500, m_window->minimumSizeHint().width()), 400));
    m_window->setGeometry(placed);
    ASSERT_TRUE(m_window->close());
    const QByteArray written = TestSupport::readFile(ini());
    EXPECT_TRUE(written.contains("[URL]\nFileFdesjeux=https://exemple.test/a.zip\n")) << written.constData();
    EXPECT_TRUE(written.contains("[Autre]\nCle=1\n"));
    EXPECT_TRUE(written.contains("[Fenetre]\n"));
    open();
    EXPECT_EQ(m_window->geometry(), placed);
    EXPECT_FALSE(m_window->isMaximized());

    // Saved on a larger screen: brought inside this one. Saved maximised: maximised again.
    Settings settings(ini(), true);
    settings.write(QStringLiteral("Fenetre"), QStringLiteral("Gauche"), QStringLiteral("1500"));
    settings.write(QStringLiteral("Fenetre"), QStringLiteral("Largeur"), QStringLiteral("2400"));
    open();
    EXPECT_TRUE(workArea().contains(m_window->frameGeometry()));
    m_window->showMaximized();
    ASSERT_TRUE(m_window->close());
    open();
    EXPECT_TRUE(m_window->isMaximized());
}

} // namespace
