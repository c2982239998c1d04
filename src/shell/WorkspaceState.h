// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/DrawList.h"
#include "history/DrawMatrix.h"
#include "history/Multipliers.h"
#include "history/PayTables.h"
#include "history/Stake.h"

#include <QByteArray>
#include <QSet>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <array>

// Where the draw list came from, which decides what a save may write.
enum class ListOrigin {
    Working, // the working history as read or as saved since
    BaseWithArchive, // the base history plus the archive, not yet saved
    Filtered, // the draws a calendar filter kept; the full history is held aside
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
    int multiplier = 0; // of the draw being typed; 0 when the player gives none
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
    int skipped = 0; // rows that are not draws
    QString summary; // "Import de l'archive : ..."
    QString error; // one message a line
    bool broughtNothing = false; // read whole, but nothing a game still drawn lacks: a failure
};

// What the main window holds besides the parts that have one writer: the report area
// (ReportArea), the study (Study), the criteria (held by the Workspace), the grid (GridCommands)
// and the hourglass (ReportSteps). The command units change it; the Workspace announces it.
struct WorkspaceState {
    // The game played; the list holds its draws.
    FormulaId formula = FormulaId::Keno20of70;
    const Formula& game() const { return Formula::get(formula); }
    // The draw lines then the trailing empty item. Changed only through the functions below,
    // which count every change so the window knows when to redraw it.
    DrawList liste;
    int listRevision = 0;
    int selected = -1;
    DrawList hiddenHistory; // the full history while a filter is active
    ListOrigin origin = ListOrigin::Working;
    bool editOldest = false;
    // A correction in the middle of the list is written only by a later save.
    bool unsavedCorrection = false;
    // Lines of the working history the player corrected in the list since it was read or
    // written: the only lines a save may drop without asking.
    QSet<QString> replacedLines;
    // The working file as this program last read or wrote it (digest of its bytes; empty when
    // there was none), and whether that is known at all.
    QByteArray workingDigest;
    bool workingDigestKnown = false;
    // Where the list went when the working file had changed behind its back, and that file's digest.
    QString conflictPath;
    QByteArray conflictDigest;
    // Why the last history load failed (a read error, a file too large); while set, nothing is
    // written over the working history: the list may lack what the file holds.
    QString unreadHistory;

    DrawMatrix matrix;
    int savedLineCount = 0;
    // The multiplier of the draws of both histories, as the companion files hold them; kept in
    // step with the list by every change and every save of the history.
    Multipliers multipliers;
    // How the player plays: the pay tables in force (the settings' corrections applied) and the
    // stake and option chosen beside the grid or given on the command line.
    PayTables payTables;
    Stake stake;

    Counters counters;
    EntryFields entry;
    Progress progress;
    bool telechargeEnabled = true;
    bool exportEnabled = false;

    ImportOutcome lastImport;
    QString archiveUrl;
    QString versionText;
    QString windowTitle;

    int itemCount() const { return liste.itemCount(); }
    // The text of item `index` (empty for the trailing item or outside the list).
    QString lineText(int index) const { return liste.text(index); }
    // The draws of the list as text, oldest first, without the trailing empty item.
    QStringList drawLines() const { return liste.toStringList(); }
    // The first 10 characters of item `index`; empty outside the list.
    QString itemDate(int index) const;
    // Replaces the list by `draws`, of the game played, and rebuilds the matrix at once, so
    // nothing can read a matrix of the previous list.
    void setDraws(DrawList draws);
    void clearList();
    void replaceDraw(int index, const QString& line);
    void appendDraw(const QString& line);
    // Every draw the user has: the list, or, while a filter is active, the history it hides.
    const DrawList& fullHistory() const { return origin == ListOrigin::Filtered ? hiddenHistory : liste; }
};
