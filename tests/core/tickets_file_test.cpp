// SPDX-License-Identifier: GPL-3.0-or-later
// The tickets file: read back as written, refused whole when a line is no ticket, and never
// left cut by a full disk, a read error or a writer killed midway.
#include "chance/TicketsFile.h"
#include "support/EioFault.h"
#include "support/TestSupport.h"

#include <QDir>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using TestSupport::readFile;
using TestSupport::writeFile;

namespace {

Ticket ticket(const char* name, std::vector<int> numbers, int euros = 1, bool option = false,
              FormulaId game = FormulaId::Keno16of56)
{
    Ticket t;
    t.name = QString::fromUtf8(name);
    t.numbers = std::move(numbers);
    t.stake = Stake{euros, option};
    t.formula = game;
    t.first = DrawTime{QDate(2025, 11, 14), 0};
    return t;
}

// `count` tickets, each of its own name.
std::vector<Ticket> tickets(int count)
{
    std::vector<Ticket> all;
    for (int i = 0; i < count; ++i)
        all.push_back(ticket(qPrintable(QStringLiteral("Grille %1").arg(i)), {1, 2, 3, 4, 5}, 2, i % 2 == 1));
    return all;
}

} // namespace

TEST(TicketsFileTest, ReadsBackWhatItWroteAndRefusesALineThatIsNoTicket)
{
    Ticket paul = ticket("Paul", {3, 7, 12, 25, 40}, 2, true);
    paul.first = DrawTime{QDate(2025, 11, 14), 0};
    Ticket old = ticket("x", {1, 70}, 10, false, FormulaId::Keno20of70);
    old.name = QStringLiteral("Été « 2024 »");
    old.first = DrawTime{QDate(2024, 6, 1), 1};
    old.last = DrawTime{QDate(2024, 8, 31), 0};
    const QByteArray bytes = TicketsFile::serialize({paul, old});
    EXPECT_TRUE(bytes.contains("Paul;16-56;3,7,12,25,40;2;multiplicateur;14/11/2025;\n")) << bytes.constData();
    EXPECT_TRUE(bytes.contains("20-70;1,70;10;;01/06/2024 soir;31/08/2024 midi\n")) << bytes.constData();
    const TicketsFile back = TicketsFile::parse(bytes);
    ASSERT_TRUE(back.error.isEmpty()) << back.error.toStdString();
    ASSERT_EQ(back.tickets.size(), 2u);
    EXPECT_EQ(back.tickets[0].numbers, paul.numbers);
    EXPECT_EQ(back.tickets[0].stake, paul.stake);
    EXPECT_TRUE(back.tickets[0].isOpen());
    EXPECT_EQ(back.tickets[1].name, old.name);
    EXPECT_EQ(back.tickets[1].first.key(), old.first.key());
    EXPECT_EQ(back.tickets[1].last.key(), old.last.key());

    // A day alone stands for the first draw of the day as a start and the last one as an end.
    const TicketsFile days = TicketsFile::parse("A;20-70;1,2;1;;01/06/2024;02/06/2024\n");
    ASSERT_EQ(days.tickets.size(), 1u);
    EXPECT_EQ(days.tickets[0].first.slot, 0);
    EXPECT_EQ(days.tickets[0].last.slot, 1);

    for (const char* bad : {"A;16-56;1,2,3,57;1;;14/11/2025;", "A;16-56;1,2,3,4;4;;14/11/2025;", "A;16-56;1,1,2,3;1;;14/11/2025;",
                            "A;16-56;1,2,3,4;1;multi;14/11/2025;", "A;16-56;1,2,3,4;1;;14/11/2025 midi;", "A;16-56;1,2,3,4;1;;",
                            "A;30-90;1,2,3,4;1;;14/11/2025;", ";16-56;1,2,3,4;1;;14/11/2025;", "A;16-56;1,2,3;1;;14/11/2025;",
                            "A;16-56;1,2,3,4;1;;14/11/2025;13/11/2025", "A;20-70;1,2,3;1;;14/11/2025;"}) {
        const TicketsFile f = TicketsFile::parse(QByteArray("# grilles\nB;16-56;5,6,7,8;1;;14/11/2025;\n") + bad + "\n");
        EXPECT_TRUE(f.tickets.empty()) << bad;
        EXPECT_TRUE(f.error.startsWith(QStringLiteral("ligne 3 : "))) << bad << ' ' << f.error.toStdString();
    }
}

TEST(TicketsFileTest, AFullDiskOrAReadErrorLeavesTheFileWhole)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Grilles.txt"));
    EXPECT_TRUE(TicketsFile::read(path).error.isEmpty()); // no file yet: no ticket, no fault
    QString error;
    ASSERT_TRUE(TicketsFile::write(path, tickets(3), &error)) << error.toStdString();
    const QByteArray before = readFile(path);
    {
        const TestSupport::FileSizeLimit full(before.size() + 10);
        EXPECT_FALSE(TicketsFile::write(path, tickets(40), &error));
    }
    EXPECT_TRUE(error.contains(QStringLiteral("l'ancien fichier est gardé tel quel"))) << error.toStdString();
    EXPECT_EQ(readFile(path), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Grilles.txt")});
    {
        const TestSupport::EioFault badSector("Grilles.txt", 20);
        const TicketsFile unread = TicketsFile::read(path);
        EXPECT_TRUE(unread.tickets.empty());
        EXPECT_TRUE(unread.error.contains(QStringLiteral("le disque a signalé une erreur"))) << unread.error.toStdString();
    }
    EXPECT_EQ(TicketsFile::read(path).tickets.size(), 3u);
}

// A writer killed at any moment leaves either the old list or the new one, never part of one.
TEST(TicketsFileTest, AWriterKilledMidwayLeavesAWholeList)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Grilles.txt"));
    QString error;
    ASSERT_TRUE(TicketsFile::write(path, tickets(1), &error));
    for (int round = 0; round < 20; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int n = 1;; n = n % 400 + 1)
                TicketsFile::write(path, tickets(n), &error);
        }
        ::usleep(2000 + 1500 * round);
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        const TicketsFile f = TicketsFile::read(path);
        ASSERT_TRUE(f.error.isEmpty()) << f.error.toStdString();
        ASSERT_FALSE(f.tickets.empty());
        EXPECT_EQ(f.tickets.back().name, QStringLiteral("Grille %1").arg(f.tickets.size() - 1));
        EXPECT_TRUE(readFile(path).endsWith('\n'));
    }
}
