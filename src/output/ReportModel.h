// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "output/Report.h"

#include <QList>
#include <QString>
#include <QStringList>

// One of the two result lists of the report area.
struct ResultList {
    QStringList lines;
    QList<bool> selected; // same size as lines
    bool visible = true;
    int widthTwips = 2800;

    void clear();
    void add(const QString& line);
    int count() const { return static_cast<int>(lines.size()); }
    void setSelected(int index, bool on);
    bool isSelected(int index) const;
    // What a report does to this list.
    void apply(const ReportList& change);
};

// Everything a report leaves in the window: title, caption, status, busy flag and the two lists.
struct ReportModel {
    QString title; // lblAff
    QString caption; // lblPM
    QString status; // lblquoi
    bool busy = false;
    ResultList resultat;
    ResultList resultat2;
    // What the window names when the title belongs to another report (never exported).
    QString shownReport;

    // A report that writes its own title.
    void setTitle(const QString& text);
    // A report added beside the classic ones (chance, backtest...): it shows its own title and
    // hides, without losing it, the one the classic reports left.
    void setAddedTitle(const QString& text);
    // A report that keeps the title: it gets back the one an added report hid, as if that report
    // had not run; `name` says in the window which report is shown under it.
    void keepTitle(const QString& name);

    // Writes what `report` changes: its title as it uses it, its caption, the busy indicator
    // and both lists; the rest is kept.
    void apply(const Report& report);

    // What the export step writes: the title, every line of the left list, and the right list
    // from its second line on (hidden or not).
    QStringList exportLines() const;

private:
    QString m_hiddenTitle; // the classic reports' title while an added report shows its own
    bool m_addedTitle = false;
};
