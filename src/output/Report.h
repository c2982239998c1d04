// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// What a report does to one result list. What it leaves unset stays as the previous report left
// it: an export writes those lines too.
struct ReportList {
    std::optional<QStringList> lines; // the list's new lines, replacing the old ones
    int selectedLine = -1; // one of the new lines shown selected
    std::optional<bool> visible;
    std::optional<int> widthTwips;

    // Emptied (and `shown` when given).
    static ReportList cleared(std::optional<bool> shown = std::nullopt);
    static ReportList replacedBy(QStringList newLines, std::optional<bool> shown = std::nullopt);
    // Hidden, its lines kept.
    static ReportList hidden();
};

// What a report is: what it writes in the report area and whether the export step follows.
// ReportModel::apply writes it; ReportSteps::show applies it, announces it and exports.
struct Report {
    enum class TitleUse {
        Own, // writes `title`
        Added, // a report beside the classic ones: shows `title`, hiding the classic title
        Kept, // keeps the classic title; `title` names the report shown under it
    };
    enum class Busy {
        Kept,
        Shown, // the busy indicator shows `status`
        Hidden,
    };

    TitleUse titleUse = TitleUse::Kept;
    QString title;
    std::optional<QString> caption; // nullopt: kept
    Busy busy = Busy::Kept;
    QString status;
    ReportList resultat;
    ReportList resultat2;
    bool exported = false; // ends with the export step

    static Report ownTitle(QString text);
    static Report addedTitle(QString text);
    static Report keptTitle(QString name);
    // A report of its own lines: its title added, no caption, the busy indicator hidden, the lines
    // in the wide left list and the right list emptied, so an export holds these lines only.
    static Report ownLines(QString title, QStringList lines, bool exported = true);
};
