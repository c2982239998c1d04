// SPDX-License-Identifier: GPL-3.0-or-later
// The multiplier of each draw in the window: typed with a draw, loaded with the history, kept by a
// filter and a reload, and never out of step with the history on a full disk or a bad file.
#include "shell/Workspace.h"

#include "acquire/LocalArchiveSource.h"
#include "history/DateText.h"
#include "history/DrawLine.h"
#include "history/MultiplierFile.h"
#include "shell/CommandUnits.h"
#include "shell/ImportCommand.h"
#include "support/EioFault.h"
#include "support/TestSupport.h"

#include <algorithm>

using namespace TestSupport;

namespace {

class WorkspaceMultipliersTest : public WorkspaceFixture {
protected:
    QString companion() const { return dataFile("Multiplicateurs_keno.txt"); }
    // Types first, ..., first + 19 as the next draw, or over line `at`, with `multiplier` chosen
    // (0: "—"; nullopt: the field left as the draw chosen shows it).
    CommandOutcome enter(int first, std::optional<int> multiplier, int at = -1)
    {
        m_ws->units().list.clickListe(at >= 0 ? at : m_ws->liste().itemCount() - 1);
        m_ws->units().grid.untickAll();
        for (int n = first; n < first + 20; ++n)
            m_ws->units().grid.setCheck(n, true);
        if (multiplier)
            m_ws->units().entry.setMultiplier(*multiplier);
        const CommandOutcome outcome = m_ws->units().entry.validateEntry();
        m_ui.show(outcome);
        return outcome;
    }
    std::optional<int> shown(const QString& line) const
    {
        return m_ws->state().history.multipliers().of(DateText::parse(line.left(10)),
                                                      line.endsWith(QStringLiteral("soir")) ? 1 : 0);
    }
    bool told(const QString& text) const
    {
        return std::any_of(m_ui.messages.begin(), m_ui.messages.end(), [&](const auto& m) { return contains(m.text, text); });
    }
    // The archive of `m_draws` with `multipliers`, where an import fetches it.
    QString archiveOf(const QList<QByteArray>& multipliers)
    {
        const QString path = m_archives.filePath(QStringLiteral("keno.csv"));
        writeFile(path, operatorCsv(m_draws, multipliers));
        return path;
    }
    // start() with an import that takes `archive`.
    void startImporting(const QString& archive)
    {
        start(m_draws);
        WorkspaceConfig c = config();
        c.archiveUrlOverride = archive;
        m_ws = std::make_unique<Workspace>(c, &m_ui);
        m_ws->units().import.setSource(&m_source);
        m_ui.watch(*m_ws);
        m_ui.show(m_ws->startUp());
    }
    const QStringList m_draws = makeHistory(10, QDate(2020, 1, 1));
    QTemporaryDir m_archives;
    LocalArchiveSource m_source;
};

} // namespace

TEST_F(WorkspaceMultipliersTest, TypedWithADrawSavedBesideItAndLoadedWithTheHistory)
{
    writeFile(companion(), "01/01/2020 midi x2\r\n");
    start(m_draws);
    EXPECT_EQ(shown(m_draws[0]), 2);
    ASSERT_TRUE(enter(1, 4).isDone());
    const QString typed = m_ws->liste().text(10);
    EXPECT_EQ(readFile(companion()), QByteArray("01/01/2020 midi x2\r\n06/01/2020 midi x4\r\n"));
    EXPECT_EQ(readFile(working()), crlf(m_draws + QStringList{typed}));

    // Refused as no multiplier the operator draws: nothing changes.
    EXPECT_EQ(enter(2, 11).status, CommandOutcome::Status::Refused);
    EXPECT_EQ(m_ws->liste().drawCount(), 11);
    EXPECT_TRUE(contains(m_ui.messages.back().text, QStringLiteral("Le multiplicateur x11 n'existe pas")));

    // A correction that leaves the field as the draw showed it keeps the draw's; another replaces
    // it (written by the exit).
    ASSERT_TRUE(enter(3, std::nullopt, 10).isDone());
    EXPECT_EQ(shown(typed), 4);
    ASSERT_TRUE(enter(3, 7, 10).isDone());
    ASSERT_TRUE(m_ui.done(m_ws->units().history.exitSave()));
    EXPECT_EQ(readFile(companion()), QByteArray("01/01/2020 midi x2\r\n06/01/2020 midi x7\r\n"));

    // A new start reads them with the history.
    const QStringList saved = m_ws->liste().toStringList();
    start(saved);
    EXPECT_EQ(shown(typed), 7);
    EXPECT_EQ(m_ws->state().history.multipliers().size(), 2);
}

TEST_F(WorkspaceMultipliersTest, AFullDiskKeepsBothFilesAsTheyWere)
{
    // Both files larger than the limit below: the file beside, written first, is refused first.
    const QStringList draws = makeHistory(400, QDate(2019, 1, 1));
    QByteArray many;
    for (const QString& line : draws)
        many += QStringLiteral("%1 %2 x2\r\n").arg(line.left(10), line.right(4)).toUtf8();
    writeFile(companion(), many);
    start(draws);
    {
        const FileSizeLimit full(2048);
        const CommandOutcome outcome = enter(1, 3);
        EXPECT_FALSE(outcome.isDone());
        EXPECT_TRUE(contains(outcome.reason, QStringLiteral("Multiplicateurs_keno.txt"))) << outcome.reason.toStdString();
        EXPECT_EQ(readFile(working()), crlf(draws));
        EXPECT_EQ(readFile(companion()), many);
    }
    ASSERT_TRUE(m_ui.done(m_ws->units().history.exitSave()));
    EXPECT_EQ(readFile(working()), crlf(m_ws->liste().toStringList()));
    EXPECT_EQ(readFile(companion()), many + QStringLiteral("%1 midi x3\r\n").arg(m_ws->liste().text(400).left(10)).toUtf8());
}

TEST_F(WorkspaceMultipliersTest, ABadOrUnreadableFileIsToldAndTheHistoryLoadsWhole)
{
    writeFile(companion(), "01/01/2020 midi x2\r\nn'importe quoi\r\n");
    start(m_draws);
    EXPECT_EQ(m_ws->liste().drawCount(), 10);
    EXPECT_TRUE(m_ws->state().history.multipliers().isEmpty());
    EXPECT_TRUE(told(QStringLiteral("ligne 2 : « date moment xN » attendu")));
    // A draw typed then is saved; the file is left for the player to mend.
    ASSERT_TRUE(enter(1, 4).isDone());
    EXPECT_EQ(readFile(companion()), QByteArray("01/01/2020 midi x2\r\nn'importe quoi\r\n"));

    writeFile(companion(), "01/01/2020 midi x2\r\n");
    {
        const EioFault badSector("Multiplicateurs_keno.txt", 4);
        start(m_draws);
    }
    EXPECT_EQ(m_ws->liste().drawCount(), 10);
    EXPECT_TRUE(m_ws->state().history.multipliers().isEmpty());
    EXPECT_TRUE(told(QStringLiteral("n'a pas pu être lu jusqu'au bout")));
}

TEST_F(WorkspaceMultipliersTest, AFilterAndAReloadKeepThem)
{
    writeFile(companion(), "01/01/2020 midi x2\r\n03/01/2020 soir x5\r\n");
    start(m_draws);
    const Multipliers before = m_ws->state().history.multipliers();
    ASSERT_EQ(before.size(), 2);
    m_ui.onFilter = [](CalendarFilter& f) {
        f.weekdays.fill(true);
        f.months.fill(true);
        f.times.fill(true);
        f.from = QDate(2020, 1, 3);
        f.to = QDate(2020, 1, 5);
        return true;
    };
    ASSERT_TRUE(m_ui.done(periodeEtude(*m_ws)));
    EXPECT_LT(m_ws->liste().drawCount(), 10);
    EXPECT_EQ(m_ws->state().history.multipliers(), before);
    ASSERT_TRUE(m_ui.done(reload(*m_ws)));
    EXPECT_EQ(m_ws->state().history.multipliers(), before);
    EXPECT_EQ(readFile(companion()), QByteArray("01/01/2020 midi x2\r\n03/01/2020 soir x5\r\n"));
}

// A draw corrected with its own numbers, only to give its multiplier: the exit writes it.
TEST_F(WorkspaceMultipliersTest, AMultiplierGivenToADrawAlreadySavedIsWrittenAtTheExit)
{
    start(m_draws);
    m_ws->units().list.clickListe(4);
    m_ws->units().grid.untickAll();
    for (int k = 1; k <= 20; ++k)
        m_ws->units().grid.setCheck(DrawLine::number(m_draws[4], k), true);
    m_ws->units().entry.setMultiplier(8);
    ASSERT_TRUE(m_ui.done(m_ws->units().entry.validateEntry()));
    EXPECT_EQ(m_ws->liste().text(4), m_draws[4]);
    EXPECT_FALSE(QFileInfo::exists(companion()));
    ASSERT_TRUE(m_ui.done(m_ws->units().history.exitSave()));
    EXPECT_EQ(readFile(companion()), QStringLiteral("%1 midi x8\r\n").arg(m_draws[4].left(10)).toUtf8());
    EXPECT_EQ(readFile(working()), crlf(m_draws));
}

// A build from archives keeps their multipliers beside the working history, the player's first;
// a file beside that cannot be read is left as it is, and the build says why.
TEST_F(WorkspaceMultipliersTest, ABuildFromArchivesKeepsTheirsAfterThePlayers)
{
    writeFile(companion(), "01/01/2020 midi x9\r\n");
    start(m_draws);
    QList<QByteArray> given(10, "4");
    given[9] = "";
    const QString archive = archiveOf(given);
    m_ui.confirmAnswers = {true};
    const HistoryBuild built = m_ws->buildHistory({archive});
    ASSERT_EQ(built.status, HistoryBuild::Status::Built) << built.text.toStdString();
    EXPECT_EQ(built.text, QStringLiteral("L'historique a été construit."));
    EXPECT_EQ(shown(m_draws[0]), 9);
    EXPECT_EQ(shown(m_draws[1]), 4);
    EXPECT_EQ(shown(m_draws[9]), std::nullopt);
    EXPECT_EQ(m_ws->state().history.multipliers().size(), 9);
    EXPECT_EQ(MultiplierFile::read(companion(), FormulaId::Keno20of70).values, m_ws->state().history.multipliers());

    writeFile(companion(), "n'importe quoi\r\n");
    m_ui.confirmAnswers = {true};
    const HistoryBuild unread = m_ws->buildHistory({archive});
    ASSERT_EQ(unread.status, HistoryBuild::Status::Built) << unread.text.toStdString();
    EXPECT_TRUE(contains(unread.text,
                         QStringLiteral("Les multiplicateurs des archives n'y sont pas gardés : le fichier « %1 » "
                                        "ne peut pas être lu")
                             .arg(QDir::toNativeSeparators(companion()))))
        << unread.text.toStdString();
    EXPECT_EQ(readFile(companion()), QByteArray("n'importe quoi\r\n"));
    EXPECT_EQ(readFile(working()), crlf(m_draws));
}

// An archive that brings no new draw gives its multipliers to the draws that have none; the
// player's stay, and an import again writes nothing.
TEST_F(WorkspaceMultipliersTest, AnImportOfDrawsAlreadyKeptFillsTheirMultipliersOnce)
{
    writeFile(companion(), "01/01/2020 midi x9\r\n");
    QList<QByteArray> given(10, "2");
    given[3] = "";
    startImporting(archiveOf(given));
    // A file that may not be written is told, and left as it is.
    QFile::setPermissions(companion(), QFile::ReadOwner);
    ASSERT_TRUE(m_ui.done(reload(*m_ws)));
    EXPECT_TRUE(told(QStringLiteral("Multiplicateurs_keno.txt")));
    EXPECT_EQ(readFile(companion()), QByteArray("01/01/2020 midi x9\r\n"));

    QFile::setPermissions(companion(), QFile::ReadOwner | QFile::WriteOwner);
    ASSERT_TRUE(m_ui.done(reload(*m_ws)));
    EXPECT_EQ(readFile(working()), crlf(m_draws));
    QByteArray expected = "01/01/2020 midi x9\r\n01/01/2020 soir x2\r\n02/01/2020 midi x2\r\n";
    for (int day = 3; day <= 5; ++day)
        expected += QStringLiteral("0%1/01/2020 midi x2\r\n0%1/01/2020 soir x2\r\n").arg(day).toUtf8();
    EXPECT_EQ(readFile(companion()), expected);
    EXPECT_EQ(m_ws->state().history.multipliers().size(), 9);
    EXPECT_EQ(shown(m_draws[0]), 9);

    // Nothing more to give: the file is not written again.
    QFile::setPermissions(companion(), QFile::ReadOwner);
    m_ui.messages.clear();
    ASSERT_TRUE(m_ui.done(reload(*m_ws)));
    EXPECT_FALSE(told(QStringLiteral("Multiplicateurs_keno.txt")));
    EXPECT_EQ(readFile(companion()), expected);
}

// A draw chosen in the list shows its own multiplier; "—" chosen over it takes it away, from the
// list and, at the save, from the file beside the history.
TEST_F(WorkspaceMultipliersTest, AChosenDrawShowsItsMultiplierAndNoneTakesItAway)
{
    writeFile(companion(), "01/01/2020 midi x2\r\n01/01/2020 soir x6\r\n03/01/2020 soir x5\r\n");
    start(m_draws);
    const auto fieldAt = [this](int item) {
        m_ws->units().list.clickListe(item);
        return m_ws->entry().multiplier;
    };
    EXPECT_EQ(fieldAt(5), 5);
    EXPECT_EQ(fieldAt(4), 0);
    EXPECT_EQ(fieldAt(0), 6); // the first line acts on the second
    EXPECT_EQ(fieldAt(5), 5);
    EXPECT_EQ(fieldAt(10), 0); // the empty line: a new draw
    m_ws->units().entry.chooseOldestDraw();
    EXPECT_EQ(m_ws->entry().multiplier, 2);

    // The draw corrected with its own numbers and "—": its multiplier is gone, and stays gone.
    m_ws->units().list.clickListe(5);
    m_ws->units().grid.untickAll();
    for (int k = 1; k <= 20; ++k)
        m_ws->units().grid.setCheck(DrawLine::number(m_draws[5], k), true);
    m_ws->units().entry.setMultiplier(0);
    ASSERT_TRUE(m_ui.done(m_ws->units().entry.validateEntry()));
    EXPECT_EQ(shown(m_draws[5]), std::nullopt);
    EXPECT_EQ(m_ws->entry().multiplier, 0);
    EXPECT_EQ(fieldAt(5), 0);
    ASSERT_TRUE(m_ui.done(m_ws->units().history.exitSave()));
    EXPECT_EQ(readFile(companion()), QByteArray("01/01/2020 midi x2\r\n01/01/2020 soir x6\r\n"));
    EXPECT_EQ(readFile(working()), crlf(m_draws));

    // The oldest draw the same way; a new draw typed then is saved with the file emptied in step.
    m_ws->units().entry.chooseOldestDraw();
    for (int k = 1; k <= 20; ++k)
        m_ws->units().grid.setCheck(DrawLine::number(m_draws[0], k), true);
    m_ws->units().entry.setMultiplier(0);
    ASSERT_TRUE(m_ui.done(m_ws->units().entry.validateEntry()));
    ASSERT_TRUE(enter(1, std::nullopt).isDone());
    EXPECT_EQ(readFile(companion()), QByteArray("01/01/2020 soir x6\r\n"));
    start(m_ws->liste().toStringList());
    EXPECT_EQ(shown(m_draws[0]), std::nullopt);
    EXPECT_EQ(shown(m_draws[1]), 6);
    EXPECT_EQ(shown(m_draws[5]), std::nullopt);
}

// A list written beside a history another program changed takes its multipliers with it, in a
// file named after the list's own, both written whole; the notice says where.
TEST_F(WorkspaceMultipliersTest, AListKeptBesideTheHistoryKeepsItsMultipliersBesideItToo)
{
    writeFile(companion(), "01/01/2020 midi x2\r\n");
    start(m_draws);
    const QByteArray newer = crlf(makeHistory(11, QDate(2020, 1, 1), 7));
    writeFile(working(), newer);
    EXPECT_FALSE(enter(1, 4).isDone());
    const QStringList lists = QDir(m_data.path()).entryList({QStringLiteral("Tirages_keno.conflit-*[0-9].txt")}, QDir::Files);
    ASSERT_EQ(lists.size(), 1);
    const QString list = m_data.filePath(lists[0]);
    const QString beside = list.chopped(4) + QStringLiteral(".multiplicateurs.txt");
    const QString typed = m_ws->liste().text(10);
    EXPECT_EQ(readFile(list), crlf(m_ws->liste().toStringList()));
    EXPECT_EQ(readFile(beside), QStringLiteral("01/01/2020 midi x2\r\n%1 midi x4\r\n").arg(typed.left(10)).toUtf8());
    EXPECT_TRUE(told(QStringLiteral("et les multiplicateurs de ses tirages dans « %1 »").arg(QDir::toNativeSeparators(beside))));
    EXPECT_EQ(readFile(working()), newer);
    EXPECT_EQ(readFile(companion()), QByteArray("01/01/2020 midi x2\r\n"));

    // Another multiplier given to the draw not yet saved: the same pair is written again.
    m_ws->units().list.clickListe(10);
    EXPECT_EQ(m_ws->entry().multiplier, 4);
    for (int k = 1; k <= 20; ++k)
        m_ws->units().grid.setCheck(DrawLine::number(typed, k), true);
    m_ws->units().entry.setMultiplier(9);
    EXPECT_FALSE(m_ui.done(m_ws->units().entry.validateEntry()));
    EXPECT_FALSE(m_ui.done(m_ws->units().history.exitSave()));
    EXPECT_EQ(QDir(m_data.path()).entryList({QStringLiteral("Tirages_keno.conflit-*[0-9].txt")}, QDir::Files), lists);
    EXPECT_EQ(readFile(beside), QStringLiteral("01/01/2020 midi x2\r\n%1 midi x9\r\n").arg(typed.left(10)).toUtf8());
    EXPECT_EQ(readFile(working()), newer);
}

// The exit's last resort, the list kept beside when the history cannot be written, keeps the
// multipliers too; a full disk then writes neither file.
TEST_F(WorkspaceMultipliersTest, TheListKeptAtTheExitKeepsItsMultipliersOrNothing)
{
    start(m_draws);
    WorkspaceConfig brief = config();
    brief.writeLockWaitMs = 100;
    m_ws = std::make_unique<Workspace>(brief, &m_ui);
    m_ui.watch(*m_ws);
    m_ui.show(m_ws->startUp());
    const auto lists = [this] { return QDir(m_data.path()).entryList({QStringLiteral("Tirages_keno.conflit-*")}, QDir::Files); };
    writeFile(dataFile(".tiravol.lock"), "4242\ntiravol\nposte-salon\n");
    EXPECT_FALSE(enter(1, 3).isDone());
    const QString typed = m_ws->liste().text(10);
    {
        const FileSizeLimit full(64);
        m_ui.confirmAnswers = {true};
        EXPECT_FALSE(m_ui.done(m_ws->units().history.exitSave()));
        EXPECT_TRUE(lists().isEmpty()) << lists().join(u' ').toStdString();
    }
    m_ui.messages.clear();
    m_ui.confirmAnswers = {true};
    EXPECT_TRUE(m_ui.done(m_ws->units().history.exitSave()));
    const QStringList kept = lists();
    ASSERT_EQ(kept.size(), 2) << kept.join(u' ').toStdString();
    const QString beside = m_data.filePath(kept[kept[0].endsWith(QStringLiteral(".multiplicateurs.txt")) ? 0 : 1]);
    EXPECT_EQ(readFile(beside), QStringLiteral("%1 midi x3\r\n").arg(typed.left(10)).toUtf8());
    EXPECT_TRUE(told(QStringLiteral("et les multiplicateurs de ses tirages dans « %1 »").arg(QDir::toNativeSeparators(beside))));
    EXPECT_EQ(readFile(working()), crlf(m_draws));
}

// "—" left as the chosen draw showed it is no removal: a multiplier an update gave the draw
// since stays when the player corrects it.
TEST_F(WorkspaceMultipliersTest, AnUntouchedFieldKeepsAMultiplierAnUpdateGaveTheDrawSince)
{
    start(m_draws);
    m_ws->units().list.clickListe(3);
    ASSERT_EQ(m_ws->entry().multiplier, 0);
    const QString archive = m_archives.filePath(QStringLiteral("keno.zip"));
    writeZip(archive, {{"keno_202001.csv", operatorCsv(m_draws, QList<QByteArray>(10, "4"))}});
    const UpdateCommand::Result update = m_ws->importUpdate(archive, FormulaId::Keno20of70);
    ASSERT_EQ(update.failure, QString());
    ASSERT_EQ(shown(m_draws[3]), 4);
    ASSERT_EQ(m_ws->selectedIndex(), 3);
    for (int k = 1; k <= 20; ++k)
        m_ws->units().grid.setCheck(DrawLine::number(m_draws[3], k), true);
    ASSERT_TRUE(m_ui.done(m_ws->units().entry.validateEntry()));
    EXPECT_EQ(shown(m_draws[3]), 4);
    EXPECT_EQ(m_ws->entry().multiplier, 4);
}
