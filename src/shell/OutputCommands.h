// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shell/CommandOutcome.h"

#include <QList>
#include <QString>
#include <optional>

class ReportArea;
class StateChanges;
class UserInterface;
struct WorkspaceConfig;
class WindowFields;

// What takes a report out of the window (the selection to copy or print) and the commands that
// lead out of the statistics: the help document, the program's web page and the about box.
class OutputCommands {
public:
    // The web page's address in the settings file, and the address used when it has none.
    static constexpr const char* kSiteKey = "SiteTiravol";
    static constexpr const char* kDefaultSite = "https://tiravol.fr/contact";

    OutputCommands(const WindowFields& window, ReportArea& area, const WorkspaceConfig& config, UserInterface& ui,
                   const StateChanges& changes)
        : m_window(window), m_area(area), m_config(config), m_ui(ui), m_changes(changes)
    {
    }

    // "Copier selection": the selected lines of Resultat then Resultat2, CR LF after each.
    QString selectionText() const;
    // "Tout" before printing: every line of both lists selected.
    void selectAll();
    // After printing: the printed lines lose their selection.
    void unselect(const QList<int>& resultat, const QList<int>& resultat2);

    CommandOutcome aide(); // Varn: the help document in the system's viewer
    CommandOutcome site(); // the web page, when on line
    CommandOutcome aPropos() const; // the about box, as a notice with the information icon

    // The web page's address from the settings (the default written back when missing).
    QString siteUrl() const;

    // The export step once a file is named: never over a file the program keeps (the two
    // histories, the settings and criteria files, the archive and its CSV), compared by
    // canonical path so a link or a relative path does not get round it.
    std::optional<QString> exportRefusal(const QString& path) const;
    // Writes the report (title, Resultat, Resultat2 from its second line); refused or failed
    // with the reason when it was not written.
    CommandOutcome exportReport(const QString& path);

private:
    const WindowFields& m_window;
    ReportArea& m_area;
    const WorkspaceConfig& m_config;
    UserInterface& m_ui;
    const StateChanges& m_changes;
};
