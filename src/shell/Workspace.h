#pragma once

#include "forecast/CriteriaRanges.h"
#include "history/CalendarFilter.h"
#include "history/DrawMatrix.h"
#include "history/StudyPeriod.h"
#include "output/ReportModel.h"
#include "stats/NumberStats.h"
#include "stats/Rankings.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>

class ArchiveSource;
class UserInterface;

// Where the Workspace finds its files and how it reaches the outside.
struct WorkspaceConfig {
    QString dataFolder; // holds Tirages_keno.txt, Tirages.txt and the archive
    QString appDataFolder; // holds the folder "Varn"
    QString workingHistoryPath; // empty: dataFolder/Tirages_keno.txt
    QString programName = QStringLiteral("tiravol");
    // Offline = a connection test said there is none; NotChecked = no test (command line).
    enum class Connection { Online, Offline, NotChecked };
    std::function<Connection()> connection; // unset: NotChecked
    QString archiveUrlOverride; // used instead of the settings file's address when not empty
    bool readOnlySettings = false; // the command-line companion never writes the settings file
    bool quietWhenNoWorkingHistory = false; // a first download starts without one
};

// The shared state of the main window and every command on it. Commands never touch a widget:
// the window mirrors this state (signal `changed`), the command-line companion prints it.
class Workspace : public QObject {
    Q_OBJECT
public:
    enum Part : unsigned {
        ListPart = 1u << 0, // liste, selected index
        ReportPart = 1u << 1, // report model
        CountersPart = 1u << 2, // Text1, Label2, nb, Prem, Dern
        GridPart = 1u << 3, // Check boxes, OK / Annuler enabled
        EntryPart = 1u << 4, // dat, Info, Affichage
        MenuPart = 1u << 5, // Telecharge enabled, title, export box
        ProgressPart = 1u << 6, // ProgressBar1
        BusyPart = 1u << 7, // lblquoi / Shape2 shown: repaint at once
        CriteriaPart = 1u << 8, // criteria scroll bars
        CursorPart = 1u << 9, // the hourglass (waitCursor)
        AllParts = 0xffffu,
    };

    struct Counters {
        QString text1 = QStringLiteral("0");
        QString label2 = QStringLiteral("Nombre de numéros : ");
        QString nb, prem, dern;
    };
    struct EntryFields {
        QString dat;
        QString info = QStringLiteral("Gagnez au Keno  !");
        QString affichage = QStringLiteral("Choix des numéros");
    };
    struct Progress {
        bool visible = false;
        int maximum = 100;
        int value = 0;
    };
    // What the last archive import did (the command line reports it).
    struct ImportOutcome {
        bool attempted = false;
        bool fetched = false;
        bool csvRead = false;
        int imported = 0;
        int skipped = 0;
        QString error;
    };
    // What the list currently shows, which decides what a save may write.
    enum class ListOrigin { Working, Filtered };

    Workspace(WorkspaceConfig config, UserInterface* ui, QObject* parent = nullptr);
    ~Workspace() override;

    void setArchiveSource(ArchiveSource* source) { m_source = source; }

    // ---- start-up and exit
    // Settings, version, title, Charge2, ranking, completeness check.
    void startUp();
    // Writes the working history as the exit does; false when it could not (already told).
    bool exitSave();

    // ---- loading
    void chargeManuelle(); // mnuCharge
    void telechargement(); // Telecharge and Debut: reload base history + archive

    // ---- rankings
    void sorties();
    void ecarts();
    void ecartsMax();
    void numero();

    // ---- draw list, study period, manual entry
    void clickListe(int index);
    void doubleClickListe();
    void validateEntry(); // OK
    void effacer(); // Annuler
    void clickResultat(int index); // a click on a line of Resultat
    // Prepares the oldest draw for correction (a click on line 0 acts on line 1 for the
    // statistics, so the oldest draw is reached this way): its numbers are ticked and the
    // next validation rewrites it, keeping its own date and slot.
    void chooseOldestDraw();
    bool editingOldest() const { return m_editOldest; }
    void periodeEtude(); // finP: calendar filter

    // ---- number grid
    void setCheck(int number, bool ticked);
    void toutCocher();
    void reperage();
    QList<int> chosenNumbers() const;

    // ---- output
    void setExportEnabled(bool on);
    bool exportEnabled() const { return m_export; }
    void setResultSelected(int list, int index, bool on); // list 1 = Resultat, 2 = Resultat2

    // ---- state read by the shells
    const QStringList& liste() const { return m_liste; }
    int selectedIndex() const { return m_selected; }
    int drawCount() const { return static_cast<int>(m_liste.size()) - 1; }
    const ReportModel& report() const { return m_report; }
    const Counters& counters() const { return m_counters; }
    const EntryFields& entry() const { return m_entry; }
    const Progress& progress() const { return m_progress; }
    const std::array<bool, 71>& checks() const { return m_checks; }
    bool okEnabled() const { return m_okEnabled; }
    bool annulerEnabled() const { return m_annulerEnabled; }
    bool telechargeEnabled() const { return m_telechargeEnabled; }
    QString windowTitle() const { return m_windowTitle; }
    QString versionText() const { return m_versionText; }
    QString archiveUrl() const { return m_archiveUrl; }
    const NumberStats& stats() const { return m_stats; }
    bool statsValid() const { return m_statsValid; }
    const StudyPeriod& studyPeriod() const { return m_period; }
    int savedLineCount() const { return m_savedLineCount; }
    const DrawMatrix& matrix() const { return m_matrix; }
    const CriteriaRanges& criteria() const { return m_criteria; }
    CriteriaRanges& criteria() { return m_criteria; }
    const CalendarFilter& calendarFilter() const { return m_filter; }
    ListOrigin listOrigin() const { return m_origin; }
    // Every draw the user has: the list, or, while a filter is active, the history it hides.
    QStringList fullHistory() const;
    QString workingHistoryPath() const;
    QString settingsPath() const;
    const WorkspaceConfig& config() const { return m_config; }
    const ImportOutcome& lastImport() const { return m_lastImport; }
    bool lastSaveSucceeded() const { return m_lastSaveOk; }
    // True while a command shows the hourglass; the window mirrors it (CursorPart).
    bool waitCursor() const { return m_waitDepth > 0; }

    // Completeness: the first draw is of 1993.
    bool historyComplete() const;

    // Routines shared by the commands (public so the shells and tests can drive them).
    void calcul();
    void srti();
    void wordpad();
    // Writes the working history from the list with every safety rule; false when refused or failed.
    bool sauve();

signals:
    void changed(unsigned parts);

private:
    void emitChanged(unsigned parts) { emit changed(parts); }
    void readSettings();
    void loadInto(const QString& path, bool reportProblems);
    void charge2();
    void charge();
    void afterLoad(bool isCharge2);
    void importArchive();
    void reload();
    void rankWith(RankingKind kind);
    void runRanking(RankingKind kind);
    void numeroReport();
    void showBusy(const QString& status);
    void selectItem(int index);
    void periodFromClick(int index);
    void setCountersForLoad();
    QString dateBeforeSelected() const;
    void updateCriteriaAfterLoad();
    void boxUpdate();
    void untickAll();

    WorkspaceConfig m_config;
    UserInterface* m_ui;
    ArchiveSource* m_source = nullptr;

    QStringList m_liste; // draw lines then one empty item
    int m_selected = -1;
    QStringList m_hiddenHistory; // the full history while a filter is active
    ListOrigin m_origin = ListOrigin::Working;
    bool m_baseDerived = false; // the history came from the base file and the archive, unsaved
    bool m_editOldest = false;

    DrawMatrix m_matrix;
    NumberStats m_stats;
    bool m_statsValid = false;
    StudyPeriod m_period;
    int m_savedLineCount = 0;

    ReportModel m_report;
    Counters m_counters;
    EntryFields m_entry;
    Progress m_progress;
    std::array<bool, 71> m_checks{};
    bool m_okEnabled = false;
    bool m_annulerEnabled = false;
    bool m_telechargeEnabled = true;
    bool m_export = false;
    CriteriaRanges m_criteria;
    CalendarFilter m_filter;

    ImportOutcome m_lastImport;
    bool m_lastSaveOk = true;
    QString m_archiveUrl;
    QString m_versionText;
    QString m_windowTitle;
    int m_waitDepth = 0;
};
