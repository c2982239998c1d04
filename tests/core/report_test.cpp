// SPDX-License-Identifier: GPL-3.0-or-later
// A report as a value, and what writing it does to the report area.
#include "output/Report.h"
#include "output/ReportModel.h"

#include <gtest/gtest.h>

namespace {

QStringList lines(std::initializer_list<const char*> texts)
{
    QStringList out;
    for (const char* t : texts)
        out << QString::fromUtf8(t);
    return out;
}

// The area a ranking leaves: its own title, a caption, two full lists, the busy indicator on.
ReportModel afterRanking()
{
    Report ranking = Report::ownTitle(QStringLiteral("Classement au 01/02/2024"));
    ranking.caption = QStringLiteral("Num Sorties");
    ranking.busy = Report::Busy::Shown;
    ranking.status = QStringLiteral("SORTIES");
    ranking.resultat = ReportList::replacedBy(lines({"Num", "1", "2"}), true);
    ranking.resultat2 = ReportList::replacedBy(lines({"Num", "3", "4"}), true);
    ReportModel model;
    model.apply(ranking);
    return model;
}

TEST(Report, AnAddedTitleHidesTheClassicTitleUntilAReportKeepsIt)
{
    ReportModel model = afterRanking();
    model.apply(Report::addedTitle(QStringLiteral("Le hasard")));
    model.apply(Report::addedTitle(QStringLiteral("Cotes du Keno")));
    EXPECT_EQ(model.title, QStringLiteral("Cotes du Keno"));
    EXPECT_TRUE(model.shownReport.isEmpty());

    // Two added reports in a row still give back the classic title, not the first added one.
    model.apply(Report::keptTitle(QStringLiteral("Septaines")));
    EXPECT_EQ(model.title, QStringLiteral("Classement au 01/02/2024"));
    EXPECT_EQ(model.shownReport, QStringLiteral("Septaines"));

    // Once a report wrote its own title, the one an added report hid before is gone.
    model.apply(Report::addedTitle(QStringLiteral("Le hasard")));
    model.apply(Report::ownTitle(QStringLiteral("Performance d'un ensemble")));
    model.apply(Report::keptTitle(QStringLiteral("Annonceur")));
    EXPECT_EQ(model.title, QStringLiteral("Performance d'un ensemble"));
}

TEST(Report, WhatAReportLeavesUnsetStaysAsThePreviousReportLeftIt)
{
    ReportModel model = afterRanking();
    Report groups = Report::keptTitle(QStringLiteral("Petits / Gros Numéros"));
    groups.resultat = ReportList::replacedBy(lines({"10 petits", "12 gros"}));
    groups.resultat2 = ReportList::hidden();
    model.apply(groups);

    EXPECT_EQ(model.caption, QStringLiteral("Num Sorties"));
    EXPECT_TRUE(model.busy);
    EXPECT_EQ(model.status, QStringLiteral("SORTIES"));
    EXPECT_TRUE(model.resultat.visible);
    EXPECT_EQ(model.resultat.widthTwips, 2800);
    EXPECT_FALSE(model.resultat2.visible);
    // The hidden right list is exported from its second line, as the ranking left it.
    EXPECT_EQ(model.exportLines(), lines({"Classement au 01/02/2024", "10 petits", "12 gros", "3", "4"}));
}

TEST(Report, NewLinesReplaceTheOldOnesAndTheirSelection)
{
    ReportModel model = afterRanking();
    model.resultat.setSelected(0, true);
    model.resultat.setSelected(2, true);
    Report performance = Report::ownTitle(QStringLiteral("Performance d'un ensemble"));
    performance.caption = QString();
    performance.resultat = ReportList::replacedBy(lines({"a", "b", "c", "d"}), true);
    performance.resultat.selectedLine = 1;
    performance.resultat.widthTwips = 5600;
    performance.resultat2 = ReportList::cleared(false);
    model.apply(performance);

    EXPECT_EQ(model.resultat.lines, lines({"a", "b", "c", "d"}));
    EXPECT_EQ(model.resultat.selected, (QList<bool>{false, true, false, false}));
    EXPECT_EQ(model.resultat.widthTwips, 5600);
    EXPECT_EQ(model.resultat2.count(), 0);
    EXPECT_EQ(model.resultat2.selected.size(), 0);
    EXPECT_FALSE(model.resultat2.visible);
    EXPECT_TRUE(model.caption.isEmpty());
    EXPECT_EQ(model.exportLines(), lines({"Performance d'un ensemble", "a", "b", "c", "d"}));
}

TEST(Report, TheBusyIndicatorIsShownWithItsTextOrHiddenWithItsTextKept)
{
    ReportModel model = afterRanking();
    Report hidden = Report::keptTitle(QString());
    hidden.busy = Report::Busy::Hidden;
    hidden.status = QStringLiteral("ignored");
    model.apply(hidden);
    EXPECT_FALSE(model.busy);
    EXPECT_EQ(model.status, QStringLiteral("SORTIES"));

    Report kept = Report::keptTitle(QString());
    kept.status = QStringLiteral("ignored");
    model.apply(kept);
    EXPECT_FALSE(model.busy);
    EXPECT_EQ(model.status, QStringLiteral("SORTIES"));

    Report shown = Report::keptTitle(QString());
    shown.busy = Report::Busy::Shown;
    shown.status = QStringLiteral("ECARTS");
    model.apply(shown);
    EXPECT_TRUE(model.busy);
    EXPECT_EQ(model.status, QStringLiteral("ECARTS"));
}

} // namespace
