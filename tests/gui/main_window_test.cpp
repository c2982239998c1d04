// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/WindowFixture.h"

#include "support/EioFault.h"

#include "acquire/ArchiveSource.h"
#include "analyses/Announcer.h"
#include "chance/Ticket.h"
#include "history/DrawLine.h"
#include "output/NumberFormat.h"
#include "shell/CommandUnits.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QThread>

#include <atomic>

// What a key press goes through before it reaches a widget: the window's shortcuts (QtGui).
Q_GUI_EXPORT bool qt_sendShortcutOverrideEvent(QObject* o, ulong timestamp, int key, Qt::KeyboardModifiers mods,
                                               const QString& text, bool autorep, ushort count);

using TestSupport::rows;

namespace {

constexpr int kDraws = 200;

// Real mouse events, so the list's own click and double-click signals fire.
void mouseOnRow(QListView* list, int row, bool doubleClick = false)
{
    const QModelIndex index = list->model()->index(row, 0);
    list->scrollTo(index);
    const QPointF pos = list->visualRect(index).center();
    const QEvent::Type types[]
        = {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease};
    for (int i = 0; i < (doubleClick ? 4 : 2); ++i) {
        const Qt::MouseButtons held = types[i] == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(types[i], pos, list->viewport()->mapToGlobal(pos), Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(list->viewport(), &event);
    }
}

// A server that sends nothing until the download is stopped (10 s at most).
struct WaitingSource : ArchiveSource {
    std::atomic<bool> started{false};
    bool cancelled = false;
    bool fetch(const QString&, const QString&, const Progress& progress, QString* error) override
    {
        progress(0, -1);
        started = true;
        for (int i = 0; i < 1000 && !cancelRequested(); ++i)
            QThread::msleep(10);
        cancelled = cancelRequested();
        *error = QStringLiteral("Téléchargement interrompu");
        return false;
    }
    bool wasCancelled() const override { return cancelled; }
};

class MainWindowTest : public TestSupport::WindowTest {
protected:
    void SetUp() override
    {
        writeHistory(TestSupport::makeHistory(kDraws));
        open();
    }

    QString working() const { return path("Tirages_keno.txt"); }
    QCheckBox* box(int n) const { return m_window->findChild<QCheckBox*>(QStringLiteral("Check%1").arg(n)); }
    QString title() const { return get<QLabel>("lblAff")->text(); }
    QStringList drawRows() const
    {
        QStringList lines;
        for (int row = 0; row < get<QListView>("Liste")->model()->rowCount(); ++row)
            lines << get<QListView>("Liste")->model()->index(row, 0).data().toString();
        return lines;
    }
    qsizetype ticked() const { return std::ranges::count_if(m_window->findChildren<QCheckBox*>(), &QCheckBox::isChecked); }
};

TEST_F(MainWindowTest, TheGameMenuTicksTheGamePlayedAndTheTitleNamesIt)
{
    QAction *classic = get("Jeu2070"), *current = get("Jeu1656");
    ASSERT_TRUE(classic && current);
    EXPECT_TRUE(classic->isCheckable() && current->isCheckable());
    EXPECT_EQ(std::pair(classic->isChecked(), current->isChecked()), std::pair(true, false));
    EXPECT_TRUE(m_window->windowTitle().endsWith(QStringLiteral(" — Keno 20 sur 70")));

    // A list that cannot be saved keeps the game and its tick.
    {
        const TestSupport::FileSizeLimit full(1024);
        m_ws->units().list.clickListe(5);
        for (int n = 1; n <= 20; ++n)
            m_ws->units().grid.setCheck(n, true);
        m_ws->units().entry.validateEntry();
        current->trigger();
    }
    EXPECT_EQ(std::pair(classic->isChecked(), current->isChecked()), std::pair(true, false));
    EXPECT_EQ(m_ws->game().id, FormulaId::Keno20of70);
    EXPECT_TRUE(m_ui.messages.back().text.contains(QStringLiteral("le jeu reste « Keno 20 sur 70 (1993–2025) »")));

    current->trigger();
    EXPECT_EQ(m_ws->game().id, FormulaId::Keno16of56);
    EXPECT_EQ(std::pair(classic->isChecked(), current->isChecked()), std::pair(false, true));
    EXPECT_TRUE(m_window->windowTitle().endsWith(QStringLiteral(" — Keno 16 sur 56")));
    EXPECT_EQ(m_ws->drawCount(), 0); // no history of the new game in this folder
    // The rows of the grid in "Colonnes" are the game's.
    const auto gridRows = [this] {
        QStringList captions;
        for (const QAction* a : get<QMenu>("Colones")->actions())
            captions << a->text();
        return captions.join(u' ');
    };
    EXPECT_EQ(gridRows(), QStringLiteral("1-8 9-16 17-24 25-32 33-40 41-48 49-56"));
    classic->trigger();
    EXPECT_EQ(m_ws->drawCount(), kDraws);
    EXPECT_TRUE(classic->isChecked());
    EXPECT_EQ(gridRows(), QStringLiteral("1-10 11-20 21-30 31-40 41-50 51-60 61-70"));
}

TEST_F(MainWindowTest, StartUpShowsTheRankingAndADownloadIsOfferedOncePerLoad)
{
    EXPECT_EQ(title(), m_ws->report().title);
    EXPECT_EQ(rows(get<QListWidget>("Resultat")), m_ws->report().resultat.lines);
    EXPECT_EQ(rows(get<QListWidget>("Resultat2")), m_ws->report().resultat2.lines);
    EXPECT_FALSE(m_ws->report().resultat.lines.isEmpty());

    auto* telecharge = get<QAction>("Telecharge");
    telecharge->trigger(); // no archive source: fails, but counts as done
    EXPECT_FALSE(telecharge->isEnabled());
    get<QAction>("mnuCharge")->trigger();
    EXPECT_TRUE(telecharge->isEnabled());
}

// The shown menus, each as "title: name=text ...", a separator as "-", a submenu's rows in brackets.
QString rowsOf(const QMenu* menu)
{
    QStringList rows;
    for (const QAction* a : menu->actions())
        rows << (a->isSeparator()
                     ? QStringLiteral("-")
                     : a->objectName() + u'=' + a->text() + (a->menu() ? u'[' + rowsOf(a->menu()) + u']' : QString()));
    return rows.join(u' ');
}

TEST_F(MainWindowTest, MenusHoldTheirCommandsInOrderAndEachRowRunsItsOwnReport)
{
    QStringList menus;
    for (const QAction* menu : m_window->menuBar()->actions())
        if (menu->isVisible())
            menus << menu->text() + QStringLiteral(": ") + rowsOf(menu->menu());
    EXPECT_EQ(menus,
              QStringList(
                  {QStringLiteral("&Fichier: mnuCharge=Charge Manuelle Telecharge=Telechargement FDesJeux Construire=Construire "
                                  "l'historique… ImpMenu=Imprimer[tout=Tout selection=Selection] Fin=&Quitter"),
                   QStringLiteral("&Jeu: Jeu2070=Keno 20 sur 70 (1993–2025) Jeu1656=Keno 16 sur 56 (depuis le 03/11/2025) - "
                                  "MiseAJour=Mise à jour automatique mnuGains=Table des gains…"),
                   QStringLiteral("Edition: MnuCop=Copier selection"),
                   QStringLiteral("S&tatistiques: Debut=Tous les tirages finP=Periode d'etude - Ecarts=Ecarts EMaxi=Ecarts Max "
                                  "Sorties=Sorties Numero=Numéro - FinalesMenu=Finales[F0=1 F0=2 F0=3 F0=4 F0=5 F0=6 F0=7 "
                                  "F0=8 F0=9 F0=0] - ColonesMenu=Colonnes[C1=1-10 C1=11-20 C1=21-30 C1=31-40 C1=41-50 "
                                  "C1=51-60 C1=61-70] - Dix=Dizaines/Unités Sept=Septaines Pi=Pairs / Impairs PG=Petits / "
                                  "Gros Numéros - Part=Partenaire ideal PartHasard=Partenaires - hasard Recherche=&Recherche "
                                  "Ecart Annonceur=Annonceur AnnonceurHasard=Annonceur - hasard Perf2=Performance "
                                  "PlusSortis=Plus sortis Colonne=Colonne Hasard=Hasard MesGrilles=Mes grilles "
                                  "GererGrilles=Gérer mes grilles…"),
                   QStringLiteral("Prevision: mnuPrev=Configuration Magic=Selection numéros Cotes=Cotes du Keno "
                                  "TestPrev=Tester la prévision"),
                   QStringLiteral("Aide: Varn=Aide mnuCons=Conseils"),
                   QStringLiteral("Divers: tc=Tout cocher site=Visiter le site / contact Apropos=A propos")}));

    // Each row runs its own command: the title, the first line, the message or the page opened.
    for (int n : {1, 2, 3})
        box(n)->click();
    const QString reports = QStringLiteral(
        "Ecarts=par écarts au;EMaxi=par écarts max au;Sorties=par sorties au;Numero=par numéros au;"
        "Dix=Numéros dans la  dizaine 1;Sept=Numéros de 1 a 7;Pi=Numéros impairs;PG=Numéros bas ( 1 à 35 );"
        "Hasard=|Le hasard sur 200 tirages;Perf2=Performance d'un ensemble|;Cotes=Cotes du Keno|Cotes du Keno : 20;"
        "PartHasard=Partenaires - hasard|;MesGrilles=Mes grilles|Aucune grille n'est enregistrée.;Apropos=|Tiravol version "
        "\r\n;site=|https://tiravol.fr/contact;Varn=aidekeno.pdf");
    for (const QString& row : reports.split(u';')) {
        const QStringList nameAndText = row.split(u'=');
        m_ui.messages.clear();
        m_ui.openedUrls.clear();
        m_window->findChild<QAction*>(nameAndText[0])->trigger();
        // "Mes grilles" is worked out on a worker thread.
        ASSERT_TRUE(TestSupport::waitFor([&] { return !m_ws->units().jobs.running(); }));
        const QString seen = m_ws->report().title + u'|' + m_ws->report().resultat.lines.value(0) + u'|'
            + (m_ui.messages.empty() ? m_ui.openedUrls.value(0).toString() : m_ui.messages.back().text);
        EXPECT_TRUE(seen.contains(nameAndText[1])) << row.toStdString();
    }
    // Pairs / impairs leaves the right list hidden.
    get<QAction>("Pi")->trigger();
    EXPECT_EQ(get<QListWidget>("Resultat")->count(), 2);
    EXPECT_FALSE(get<QListWidget>("Resultat2")->isVisible());
    // A preset ticks its numbers: the last "Finales" row those ending in 0.
    m_window->findChild<QMenu*>(QStringLiteral("Finales"))->actions().last()->trigger();
    for (int n = 1; n <= 70; ++n)
        EXPECT_EQ(box(n)->isChecked(), n % 10 == 0) << n;
    // A refusal reaches the person as a message box, the report left as it was.
    for (int n = 1; n <= 21; ++n)
        box(n)->click();
    const auto before = m_ws->report().resultat.lines;
    m_ui.messages.clear();
    get<QAction>("Annonceur")->trigger();
    ASSERT_EQ(m_ui.messages.size(), 1u);
    EXPECT_EQ(m_ui.messages[0].text, Announcer::tooManyMessage());
    EXPECT_EQ(m_ws->report().resultat.lines, before);
}

TEST_F(MainWindowTest, GridEntryAddsADrawThatClosingSaves)
{
    auto* ok = get<QPushButton>("OK");
    for (int k = 0; k < 20; ++k) {
        EXPECT_FALSE(ok->isEnabled()) << k;
        box(3 * k + 2)->click();
    }
    EXPECT_TRUE(ok->isEnabled());
    EXPECT_EQ(box(5)->palette().color(QPalette::Window), QColor(255, 0, 0));
    EXPECT_EQ(box(6)->palette().color(QPalette::Window), QColor(255, 192, 128));
    box(70)->click(); // a 21st number
    EXPECT_FALSE(ok->isEnabled());
    EXPECT_TRUE(get<QPushButton>("Annuler")->isEnabled());
    box(70)->click();

    ok->click();
    // The view follows the Workspace's list (whose own tests check its lines), the new empty line selected.
    EXPECT_EQ(drawRows(), TestSupport::shownItems(*m_ws));
    EXPECT_EQ(drawRows().size(), kDraws + 2);
    EXPECT_EQ(get<QListView>("Liste")->selectionModel()->selectedIndexes().value(0).row(), kDraws + 1);
    EXPECT_EQ(ticked(), 0);
    EXPECT_EQ(box(5)->palette().color(QPalette::Window), QColor(255, 192, 128));
    QFile::remove(working()); // OK saved it already: closing must write it again
    m_window->close();
    EXPECT_EQ(HistoryFile::read(working()).lines + QStringList{QString()}, drawRows());
}

TEST_F(MainWindowTest, DrawListClickDoubleClickAndKeys)
{
    auto* liste = get<QListView>("Liste");
    const QString before = title();
    mouseOnRow(liste, 50);
    EXPECT_EQ(m_ws->selectedIndex(), 50);
    EXPECT_NE(title(), before);
    EXPECT_EQ(title(), m_ws->report().title);

    mouseOnRow(liste, 60, true);
    EXPECT_EQ(ticked(), DrawLine::kNumbers);
    for (int k = 1; k <= DrawLine::kNumbers; ++k)
        EXPECT_TRUE(box(DrawLine::number(m_history[60], k))->isChecked()) << k;

    // The arrow keys run nothing and never show one line while another is edited.
    const QString caption = m_ws->entry().affichage;
    const QString report = title();
    const auto highlighted = [&] {
        QList<int> rows;
        for (const QModelIndex& i : liste->selectionModel()->selectedIndexes())
            rows << i.row();
        return rows;
    };
    for (const Qt::Key key : {Qt::Key_Up, Qt::Key_Up, Qt::Key_PageDown, Qt::Key_Home, Qt::Key_Down}) {
        TestSupport::press(liste, key);
        EXPECT_EQ(m_ws->selectedIndex(), 60) << key;
        EXPECT_EQ(highlighted(), QList<int>{60}) << key;
    }
    EXPECT_EQ(m_ws->entry().affichage, caption);
    EXPECT_EQ(title(), report);
    EXPECT_EQ(liste->currentIndex().row(), 1); // Home then Down

    // Enter or Return takes the focused line, as a click does.
    TestSupport::press(liste, Qt::Key_Enter);
    EXPECT_EQ(m_ws->selectedIndex(), 1);
    EXPECT_EQ(highlighted(), QList<int>{1});
    liste->setCurrentIndex(liste->model()->index(120, 0));
    TestSupport::press(liste, Qt::Key_Return);
    EXPECT_EQ(m_ws->selectedIndex(), 120);
}

TEST_F(MainWindowTest, DuringADownloadOnlyStopWorksAndClosingStopsItThenSavesOnce)
{
    WaitingSource source;
    m_ws->units().import.setSource(&source);
    const QByteArray before = TestSupport::readFile(working());
    const size_t told = m_ui.messages.size();
    const qsizetype asked = m_ui.askedTitles.size();

    // The download runs off the window's thread: the window answers meanwhile.
    get<QAction>("Debut")->trigger();
    ASSERT_TRUE(TestSupport::waitFor([&] { return source.started.load(); }));
    for (const char* name : {"Sorties", "Debut", "mnuCharge", "finP", "tc", "TestPrev"})
        EXPECT_FALSE(get<QAction>(name)->isEnabled()) << name;
    EXPECT_FALSE(box(1)->isEnabled());
    emit box(1)->clicked(true); // a click that slips through must not reach the Workspace
    EXPECT_FALSE(m_ws->checks()[1]);
    // The stop button ends it, asking and telling nothing, and frees the commands.
    get<QPushButton>("Arreter")->click();
    ASSERT_TRUE(TestSupport::waitFor([&] { return !m_ws->units().jobs.running(); }));
    EXPECT_TRUE(source.cancelled);
    EXPECT_EQ(m_ui.askedTitles.size(), asked);
    EXPECT_EQ(m_ui.messages.size(), told);
    EXPECT_TRUE(get<QAction>("Sorties")->isEnabled());
    EXPECT_FALSE(get<QPushButton>("Arreter")->isVisible());
    EXPECT_EQ(m_ws->drawCount(), m_history.size());

    // Closing stops it, lets the list be rebuilt as after a stop, then saves.
    source.started = false;
    source.cancelled = false;
    get<QAction>("Debut")->trigger();
    ASSERT_TRUE(TestSupport::waitFor([&] { return source.started.load(); }));
    EXPECT_TRUE(get<QPushButton>("Arreter")->isVisible());
    QFile::remove(working());
    EXPECT_TRUE(m_window->close());
    EXPECT_TRUE(source.cancelled);
    EXPECT_FALSE(m_ws->units().jobs.running());
    EXPECT_EQ(m_ws->drawCount(), m_history.size());
    EXPECT_EQ(TestSupport::readFile(working()), before); // nothing lost: the same bytes
    QFile::remove(working());
    m_window->close();
    EXPECT_FALSE(QFile::exists(working())); // saved once only
}

// A server that fails at once.
struct FailingSource : ArchiveSource {
    bool fetch(const QString&, const QString&, const Progress&, QString* error) override
    {
        *error = QStringLiteral("Délai dépassé : le serveur ne répond plus");
        return false;
    }
};

TEST_F(MainWindowTest, AfterAFailedDownloadTheTitleAndStatusBarSayTheStudyStopsAtTheBase)
{
    // The base history ends 50 draws before the working one.
    const QString baseEnd = m_history[149].left(10);
    QString error;
    ASSERT_TRUE(HistoryFile::write(path("Tirages.txt"), m_history.mid(0, 150), &error)) << error.toStdString();
    FailingSource source;
    m_ws->units().import.setSource(&source);
    const QString titleBefore = m_window->windowTitle();
    const QLabel* status = get<QLabel>("EtudeBase");
    ASSERT_NE(status, nullptr);
    EXPECT_FALSE(status->isVisible());

    get<QAction>("Telecharge")->trigger();
    ASSERT_TRUE(TestSupport::waitFor([&] { return !m_ws->units().jobs.running(); }));
    ASSERT_EQ(m_ws->drawCount(), 150);
    EXPECT_EQ(m_window->windowTitle(),
              titleBefore + QStringLiteral(" — étude arrêtée au ") + baseEnd
                  + QStringLiteral(" : historique de base seul, l'archive n'a pas été ajoutée"));
    EXPECT_TRUE(status->isVisible());
    EXPECT_EQ(status->text(),
              QStringLiteral("Étude arrêtée au ") + baseEnd
                  + QStringLiteral(", historique de base seul : Délai dépassé : le serveur ne répond plus. "
                                   "« Charge Manuelle » relit tout l'historique."));

    // The calendar filter reloads the base and tries the archive again: the notice stays over the
    // filtered list; the next load of the working history ends it.
    m_ui.onFilter = [](CalendarFilter&) { return true; };
    get<QAction>("finP")->trigger();
    ASSERT_TRUE(TestSupport::waitFor([&] { return !m_ws->units().jobs.running(); }));
    EXPECT_EQ(m_ws->listOrigin(), ListOrigin::Filtered);
    EXPECT_TRUE(m_window->windowTitle().contains(baseEnd));
    EXPECT_TRUE(status->isVisible());
    get<QAction>("mnuCharge")->trigger();
    EXPECT_EQ(m_ws->drawCount(), kDraws);
    EXPECT_EQ(m_window->windowTitle(), titleBefore);
    EXPECT_FALSE(status->isVisible());
}

// A server that hands the operator's archive of `draws`.
struct ArchiveOf : ArchiveSource {
    QStringList draws;
    bool fetch(const QString&, const QString& destination, const Progress&, QString*) override
    {
        TestSupport::writeZip(destination, {{"keno_gagnant_a_vie.csv", TestSupport::operatorCsv(draws)}});
        return true;
    }
};

TEST_F(MainWindowTest, ADownloadsSummaryIsShownOnceItsJobHasEnded)
{
    QString error;
    ASSERT_TRUE(HistoryFile::write(path("Tirages.txt"), m_history.mid(0, 150), &error)) << error.toStdString();
    ArchiveOf source;
    source.draws = m_history.mid(140); // ten draws the base has already
    m_ws->units().import.setSource(&source);
    m_ui.messages.clear();
    get<QAction>("Telecharge")->trigger();
    // The menu has returned: the box waits for the end of the download, then comes once.
    ASSERT_TRUE(TestSupport::waitFor([&] { return !m_ws->units().jobs.running(); }));
    ASSERT_EQ(m_ui.messages.size(), 1u);
    EXPECT_EQ(m_ui.messages[0].title + m_ui.messages[0].text,
              QStringLiteral("TiravolImport de l'archive : 50 tirages importés, aucune ligne ignorée, 10 déjà dans "
                             "l'historique."));
    ASSERT_FALSE(m_ui.outcomes.empty());
    EXPECT_EQ(m_ui.outcomes.back().imported, 50);
    EXPECT_EQ(m_ui.outcomes.back().known, 10);
    EXPECT_EQ(m_ws->drawCount(), kDraws);
}

// Where a label draws the start of `part` of its text, in `ref`'s coordinates (plain,
// left-aligned labels).
int partX(const QLabel* label, const QString& part, const QWidget* ref)
{
    const qsizetype at = label->text().indexOf(part);
    const int inLabel = label->contentsRect().left() + label->fontMetrics().horizontalAdvance(label->text().left(at));
    return label->mapTo(ref->window(), QPoint(inLabel, 0)).x() - ref->mapTo(ref->window(), QPoint(0, 0)).x();
}

const QLabel* labelShowing(const QWidget* window, const QString& part)
{
    for (const QLabel* label : window->findChildren<QLabel*>())
        if (label->isVisible() && label->text().contains(part))
            return label;
    return nullptr;
}

TEST_F(MainWindowTest, DrawLinesCaptionsAndTheCorrectedLineStayReadable)
{
    // Whole draw lines at 1366 wide and at 1024, the report still reachable (if only by
    // scrolling).
    auto* liste = get<QListView>("Liste");
    const QString line = m_history.last();
    ASSERT_EQ(line.size(), 75);
    for (const int width : {1366, 1024}) {
        m_window->resize(width, 768);
        QApplication::processEvents();
        ASSERT_EQ(m_window->width(), width);
        EXPECT_GE(liste->viewport()->width(), liste->fontMetrics().horizontalAdvance(line)) << width;
    }
    EXPECT_TRUE(get<QListWidget>("Resultat")->isVisibleTo(m_window.get()));
    m_window->resize(1600, 860);
    QApplication::processEvents();
    // "les moins" over Resultat2, "Les plus" over Resultat.
    const QLabel* moins = labelShowing(m_window.get(), QStringLiteral("les moins"));
    const QLabel* plus = labelShowing(m_window.get(), QStringLiteral("Les plus"));
    ASSERT_TRUE(moins && plus);
    auto* right = get<QListWidget>("Resultat2");
    EXPECT_GE(partX(moins, QStringLiteral("les moins"), right), 0);
    EXPECT_LT(partX(plus, QStringLiteral("Les plus"), right), 0);
    EXPECT_GE(partX(plus, QStringLiteral("Les plus"), get<QListWidget>("Resultat")), 0);

    // A correction in the middle of the list: the caption then keeps the written line.
    mouseOnRow(liste, 100);
    for (int n = 1; n <= 20; ++n)
        box(3 * n)->click();
    get<QPushButton>("OK")->click();
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents(); // nested layouts settle one level per pass
    const QString caption = m_ws->entry().affichage; // the date and the twenty numbers
    ASSERT_GE(caption.size(), 70);
    const QLabel* shown = labelShowing(m_window.get(), caption);
    ASSERT_NE(shown, nullptr) << "no label shows the whole caption";
    // Every line of the (wrapped) text fits in the label.
    EXPECT_TRUE(shown->wordWrap() || shown->width() >= shown->fontMetrics().horizontalAdvance(caption));
    EXPECT_LE(shown->heightForWidth(shown->width()), shown->height());
    const QRect inWindow(shown->mapTo(m_window.get(), QPoint(0, 0)), shown->size());
    EXPECT_TRUE(m_window->rect().contains(inWindow));
}

TEST_F(MainWindowTest, DrawListShowsLoadsAndCorrections)
{
    EXPECT_EQ(drawRows(), m_history + QStringList{QString()});
    // A shorter history loaded: the view shrinks to it.
    const QStringList shorter = TestSupport::makeHistory(50, QDate(2020, 3, 1), 11);
    TestSupport::writeFile(working(), TestSupport::crlf(shorter));
    get<QAction>("mnuCharge")->trigger();
    EXPECT_EQ(drawRows(), shorter + QStringList{QString()});

    mouseOnRow(get<QListView>("Liste"), 10);
    for (int n = 1; n <= 20; ++n)
        box(n + 50)->click();
    get<QPushButton>("OK")->click();
    EXPECT_EQ(drawRows(), TestSupport::shownItems(*m_ws));
    EXPECT_EQ(drawRows().size(), 51);
    EXPECT_EQ(drawRows().value(10).mid(10, 9), QStringLiteral(" 51 52 53")); // the row clicked was corrected
}

TEST_F(MainWindowTest, TheMultiplierChosenWithADrawIsKeptBesideTheHistory)
{
    auto* field = get<QComboBox>("multiplicateur");
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->currentText(), QStringLiteral("—"));
    EXPECT_EQ(field->count(), 11); // none, then x1 to x10
    mouseOnRow(get<QListView>("Liste"), kDraws);
    for (int n = 1; n <= 20; ++n)
        box(n)->click();
    field->setCurrentIndex(6);
    emit field->activated(6);
    EXPECT_EQ(m_ws->entry().multiplier, 6);
    get<QPushButton>("OK")->click();
    const QString typed = m_ws->liste().text(kDraws);
    ASSERT_FALSE(typed.isEmpty());
    EXPECT_EQ(TestSupport::readFile(path("Multiplicateurs_keno.txt")),
              QStringLiteral("%1 %2 x6\r\n").arg(typed.left(10), typed.right(4)).toUtf8());
    // Emptied for the next draw.
    EXPECT_EQ(field->currentText(), QStringLiteral("—"));
    // Named beside the date, and the typed draw, chosen again, shows its own.
    auto* label = get<QLabel>("multiplicateurLabel");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QStringLiteral("Multiplicateur :"));
    EXPECT_EQ(label->buddy(), field);
    EXPECT_TRUE(label->isVisibleTo(m_window.get()));
    mouseOnRow(get<QListView>("Liste"), kDraws);
    EXPECT_EQ(field->currentText(), QStringLiteral("x6"));
    mouseOnRow(get<QListView>("Liste"), kDraws - 1);
    EXPECT_EQ(field->currentText(), QStringLiteral("—"));
    // "—" chosen over it, the draw corrected with its own numbers: its multiplier is gone.
    mouseOnRow(get<QListView>("Liste"), kDraws);
    for (int k = 1; k <= 20; ++k)
        box(DrawLine::number(typed, k))->click();
    field->setCurrentIndex(0);
    emit field->activated(0);
    get<QPushButton>("OK")->click();
    EXPECT_EQ(m_ws->liste().text(kDraws), typed);
    EXPECT_EQ(m_ws->state().history.multiplierOf(kDraws), 0);
    mouseOnRow(get<QListView>("Liste"), kDraws);
    EXPECT_EQ(field->currentText(), QStringLiteral("—"));
}

TEST_F(MainWindowTest, AnExitWithNothingNewQuitsSayingOnceTheFileIsKept)
{
    // Another program wrote a longer working file: the list adds nothing to it.
    const QStringList longer = TestSupport::makeHistory(kDraws + 5);
    TestSupport::writeFile(working(), TestSupport::crlf(longer));
    const QByteArray onDisk = TestSupport::readFile(working());
    m_ui.messages.clear();
    EXPECT_TRUE(m_window->close());
    EXPECT_TRUE(m_ui.confirmTexts.isEmpty());
    ASSERT_EQ(m_ui.messages.size(), 1u);
    EXPECT_TRUE(m_ui.messages[0].text.contains(QStringLiteral("est gardé tel quel"))) << m_ui.messages[0].text.toStdString();
    EXPECT_EQ(TestSupport::readFile(working()), onDisk);
    EXPECT_TRUE(QDir(m_dir.path()).entryList({QStringLiteral("*conflit*")}, QDir::Files).isEmpty());
}

TEST_F(MainWindowTest, AnExitThatCannotWriteOffersToKeepTheDrawsBesideThenAsksBeforeQuitting)
{
    m_config.writeLockWaitMs = 100;
    open();
    // Another computer holds the folder: the typed draw cannot reach the file.
    TestSupport::writeFile(path(".tiravol.lock"), "4242\ntiravol\nposte-salon\n");
    const QByteArray onDisk = TestSupport::readFile(working());
    m_ws->units().list.clickListe(m_ws->liste().itemCount() - 1);
    for (int n = 1; n <= 20; ++n)
        m_ws->units().grid.setCheck(n, true);
    m_ui.show(m_ws->units().entry.validateEntry());
    ASSERT_EQ(m_ws->drawCount(), kDraws + 1);
    const auto beside = [this] { return QDir(m_dir.path()).entryList({QStringLiteral("*conflit*")}, QDir::Files); };

    m_ui.confirmAnswers = {false, false}; // neither kept beside, nor quit without it
    EXPECT_FALSE(m_window->close());
    ASSERT_EQ(m_ui.confirmTexts.size(), 2);
    EXPECT_TRUE(m_ui.confirmTexts[0].contains(QStringLiteral("1 tirage de la liste n'y est pas")));
    EXPECT_TRUE(beside().isEmpty());

    m_ui.confirmAnswers = {true}; // kept beside: nothing more to ask
    EXPECT_TRUE(m_window->close());
    EXPECT_EQ(m_ui.confirmTexts.size(), 3);
    ASSERT_EQ(beside().size(), 1);
    EXPECT_EQ(TestSupport::readFile(m_dir.filePath(beside()[0])), TestSupport::crlf(m_ws->liste().toStringList()));
    EXPECT_EQ(TestSupport::readFile(working()), onDisk);
}

TEST_F(MainWindowTest, OpenedOnAnUnreadableHistoryTheWindowSaysWhyAndClosesWithoutWriting)
{
    m_window->close(); // the history as written, whole
    const QByteArray onDisk = TestSupport::readFile(working());
    {
        const TestSupport::EioFault badSector("Tirages_keno.txt", 77 * 50 + 3);
        m_ui.messages.clear();
        open();
        ASSERT_FALSE(m_ui.messages.empty());
        EXPECT_TRUE(TestSupport::contains(m_ui.messages.front().text, QStringLiteral("n'a pas pu être lu jusqu'au bout")));
        EXPECT_EQ(drawRows().size(), 1); // nothing shown rather than a part taken for the whole
        m_ui.messages.clear();
        EXPECT_TRUE(m_window->close());
        EXPECT_TRUE(m_ui.confirmTexts.isEmpty());
        ASSERT_EQ(m_ui.messages.size(), 1u);
        EXPECT_TRUE(TestSupport::contains(m_ui.messages[0].text, QStringLiteral("est gardé tel quel")));
    }
    EXPECT_EQ(TestSupport::readFile(working()), onDisk);
}

TEST_F(MainWindowTest, BuildingTheBaseShowsItsProgressThenLoadsTheNewHistory)
{
    const QStringList fresh = TestSupport::makeHistory(24, QDate(2023, 4, 1), 11);
    TestSupport::writeFile(path("a.csv"), TestSupport::operatorCsv(fresh.mid(0, 15)));
    TestSupport::writeFile(path("b.csv"), TestSupport::operatorCsv(fresh.mid(10)));
    m_ui.openNames.push_back({path("a.csv"), path("b.csv")});
    m_ui.confirmAnswers.push_back(true);
    // While the archives are read the bar is shown, laid out in the status bar, and moves.
    auto* bar = get<QProgressBar>("ProgressBar1");
    QList<int> values;
    bool laidOut = true;
    QObject::connect(m_ws.get(), &Workspace::changed, m_window.get(), [&](unsigned parts) {
        if (!(parts & Workspace::ProgressPart) || !m_ws->progress().visible)
            return;
        values << bar->value();
        laidOut = laidOut && bar->isVisible() && bar->maximum() == 2 && bar->width() > 0
            && m_window->statusBar()->rect().contains(bar->geometry());
    });
    get<QAction>("Construire")->trigger(); // the archives are read off the window's thread
    ASSERT_TRUE(TestSupport::waitFor([&] { return !m_ws->units().jobs.running(); }));
    EXPECT_TRUE(values.contains(1) && values.contains(2)) << values.size();
    EXPECT_TRUE(laidOut);
    EXPECT_FALSE(bar->isVisible());
    ASSERT_EQ(m_ui.confirmTexts.size(), 1); // the history of SetUp is replaced only after Yes
    EXPECT_EQ(drawRows().value(kDraws + 23), fresh.last());
}

TEST_F(MainWindowTest, EveryReportLineIsWholeAndTheTitleNeverNamesAnotherReport)
{
    writeHistory(TestSupport::makeHistory(3000)); // four-digit counts: the widest lines
    open();
    m_window->resize(1366, 740);
    const QString ranking = m_ws->report().title;
    auto* resultat = get<QListWidget>("Resultat");
    auto* rapport = get<QLabel>("lblRapport");
    for (int n : {1, 2, 3})
        box(n)->setChecked(true);
    // "Annonceur" keeps the title as if the chance report had not run, exports included; the
    // window names the report it shows.
    for (const char* name : {"Hasard", "PartHasard", "Annonceur", "Perf2", "Cotes", "Magic"}) {
        get<QAction>(name)->trigger();
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents(); // nested layouts settle one level per pass
        int widest = 0;
        for (const QString& line : m_ws->report().resultat.lines)
            widest = std::max(widest, resultat->fontMetrics().horizontalAdvance(line));
        EXPECT_GE(resultat->viewport()->width(), widest) << name;
        EXPECT_EQ(resultat->horizontalScrollBar()->maximum(), 0) << name;
        if (qstrcmp(name, "Annonceur") == 0) {
            EXPECT_EQ(title(), ranking);
            EXPECT_TRUE(rapport->isVisible() && rapport->text().contains(QStringLiteral("Annonceur")));
        }
    }
    EXPECT_TRUE(rapport->text().contains(QStringLiteral("Selection numéros")));
    get<QAction>("Perf2")->trigger();
    EXPECT_FALSE(rapport->isVisible());
}

TEST_F(MainWindowTest, ChanceReportsFitTheirPaneBesideWholeDrawLines)
{
    writeHistory(TestSupport::makeHistory(3000)); // four-digit counts: the widest lines
    open();
    for (int n : {1, 2, 3})
        box(n)->setChecked(true);
    auto* liste = get<QListView>("Liste");
    auto* resultat = get<QListWidget>("Resultat");
    const QScrollBar* sideScroll = get<QScrollArea>("defilement")->horizontalScrollBar();
    const int drawLine = liste->fontMetrics().horizontalAdvance(m_history.last());
    // Maximised on a 1366 screen, and a window framed on it.
    for (const int width : {1366, 1298}) {
        m_window->resize(width, 740);
        for (const char* name : {"Hasard", "PartHasard", "AnnonceurHasard", "Cotes", "Perf2"}) {
            get<QAction>(name)->trigger();
            for (int i = 0; i < 5; ++i)
                QApplication::processEvents(); // nested layouts settle one level per pass
            EXPECT_GE(liste->viewport()->width(), drawLine) << name << " " << width;
            EXPECT_FALSE(sideScroll->isVisible() && sideScroll->maximum() > 0) << name << " " << width;
            int widest = 0;
            for (const QString& line : m_ws->report().resultat.lines)
                widest = std::max(widest, resultat->fontMetrics().horizontalAdvance(line));
            EXPECT_GE(resultat->viewport()->width(), widest) << name << " " << width;
        }
    }
}

// A line wider than the pane (a ticket with a long name) scrolls inside its list: the grid and
// the entry stay in sight, and the next report that fits takes the list's whole width again.
TEST_F(MainWindowTest, AReportWiderThanThePaneScrollsInsideItsListNotThePanel)
{
    writeHistory(TestSupport::makeHistory(40, QDate(2025, 9, 1)));
    open();
    m_window->resize(1366, 740);
    Ticket ticket;
    ticket.name = QString(80, u'G');
    ticket.numbers = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    ticket.stake = Stake{10, true};
    ticket.first = DrawTime{QDate(2025, 9, 1), 0};
    ASSERT_TRUE(m_ws->units().tickets.add(ticket).isDone());
    const QScrollBar* sideScroll = get<QScrollArea>("defilement")->horizontalScrollBar();
    auto* resultat = get<QListWidget>("Resultat");
    const auto settle = [] {
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents(); // nested layouts settle one level per pass
    };
    get<QAction>("MesGrilles")->trigger();
    // Worked out off the window's thread: its end reaches the window through the event loop.
    EXPECT_TRUE(m_ws->units().jobs.running());
    ASSERT_TRUE(TestSupport::waitFor([&] { return !m_ws->units().jobs.running(); }));
    settle();
    EXPECT_FALSE(sideScroll->isVisible() && sideScroll->maximum() > 0);
    EXPECT_GT(resultat->horizontalScrollBar()->maximum(), 0);

    get<QAction>("Cotes")->trigger();
    settle();
    EXPECT_FALSE(sideScroll->isVisible() && sideScroll->maximum() > 0);
    EXPECT_EQ(resultat->horizontalScrollBar()->maximum(), 0);
}

TEST_F(MainWindowTest, AWalkRunsOffTheWindowThreadEscapeStopsItKeepingItsLinesAndClosingStopsIt)
{
    m_ws->units().grid.toutCocher();
    m_ui.textAnswers.push_back(QStringLiteral("8")); // billions of combinations: it cannot end by itself here
    get<QAction>("PlusSortis")->trigger();
    ASSERT_TRUE(m_ws->units().analyses.walkRunning());

    // Meanwhile the window answers, its inputs locked, the stop button offered.
    EXPECT_FALSE(get<QAction>("Sorties")->isEnabled());
    EXPECT_TRUE(get<QAction>("Fin")->isEnabled());
    EXPECT_FALSE(get<QWidget>("Liste")->isEnabled());
    auto* stop = get<QPushButton>("Arreter");
    EXPECT_TRUE(stop->isVisible() && stop->isEnabled());
    const QLabel* label1 = get<QLabel>("Label1");
    const QLabel* progress = get<QLabel>("Avancement");
    const QListWidget* resultat = get<QListWidget>("Resultat");
    ASSERT_TRUE(
        TestSupport::waitFor([&] { return !label1->text().isEmpty() && resultat->count() > 0 && progress->isVisible(); }));
    // C(70, 8) combinations.
    EXPECT_TRUE(progress->text().contains(QStringLiteral(" combinaisons examinées sur 9") + NumberFormat::groupSeparator()
                                          + QStringLiteral("440")))
        << progress->text().toStdString();

    // Records enough to scroll the list: its last line is then in sight only when scrolled to.
    m_window->resize(1366, 420);
    ASSERT_TRUE(TestSupport::waitFor([&] { return resultat->verticalScrollBar()->maximum() > 0; }));

    // Esc stops it as the button does; the lists then show what the Workspace kept.
    QApplication::setActiveWindow(m_window.get());
    qt_sendShortcutOverrideEvent(m_window.get(), 0, Qt::Key_Escape, Qt::NoModifier, QString(), false, 1);
    ASSERT_TRUE(TestSupport::waitFor([&] { return !m_ws->units().analyses.walkRunning(); }));
    ASSERT_GT(resultat->count(), 1);
    EXPECT_EQ(rows(resultat), m_ws->report().resultat.lines);
    // The line saying how far it got is in sight, stays in the status bar, and gives millions of
    // combinations out of billions a decimal.
    const QString stopped = rows(resultat).last();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^Recherche arrêtée : (0,[1-9]|moins de 0,1) % des combinaisons examinées$"))
                    .match(stopped)
                    .hasMatch())
        << stopped.toStdString();
    QApplication::processEvents();
    EXPECT_EQ(resultat->verticalScrollBar()->value(), resultat->verticalScrollBar()->maximum());
    EXPECT_TRUE(resultat->viewport()->rect().contains(resultat->visualItemRect(resultat->item(resultat->count() - 1))));
    EXPECT_TRUE(progress->isVisible());
    EXPECT_EQ(progress->text(), stopped);
    EXPECT_TRUE(resultat->item(resultat->count() - 2)->isSelected()); // the last record
    EXPECT_EQ(label1->text(), m_ws->units().analyses.label1());
    EXPECT_TRUE(get<QAction>("Sorties")->isEnabled());
    EXPECT_TRUE(get<QWidget>("Liste")->isEnabled());
    EXPECT_FALSE(stop->isVisible());
    // Another report: the share goes with the records.
    get<QAction>("Sorties")->trigger();
    EXPECT_FALSE(progress->isVisible());

    // Closing during a gap search stops it and takes the hourglass back.
    m_ui.textAnswers = {QStringLiteral("9"), QStringLiteral("9")};
    get<QAction>("Recherche")->trigger();
    ASSERT_TRUE(m_ws->units().analyses.walkRunning());
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    m_window->close();
    EXPECT_FALSE(m_ws->units().analyses.walkRunning());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(MainWindowTest, BacktestRunsFromTheMenuOffTheWindowThreadAndStops)
{
    writeHistory(TestSupport::makeHistory(3000));
    open();
    QAction* action = get("TestPrev");
    m_ui.textAnswers.push_back(QStringLiteral("5"));
    action->trigger();
    ASSERT_TRUE(m_ws->units().jobs.running());
    EXPECT_FALSE(action->isEnabled());
    get<QPushButton>("Arreter")->click();
    ASSERT_TRUE(TestSupport::waitFor([&] { return !m_ws->units().jobs.running(); }));
    EXPECT_EQ(title(), QStringLiteral("Tester la prévision"));
    EXPECT_EQ(rows(get<QListWidget>("Resultat")).filter(QRegularExpression(QStringLiteral("^Test interrompu"))).size(), 1);
    EXPECT_TRUE(action->isEnabled());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

} // namespace
