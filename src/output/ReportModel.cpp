// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/ReportModel.h"

void ResultList::clear()
{
    lines.clear();
    selected.clear();
}

void ResultList::add(const QString& line)
{
    lines << line;
    selected << false;
}

void ResultList::setSelected(int index, bool on)
{
    if (index >= 0 && index < selected.size())
        selected[index] = on;
}

bool ResultList::isSelected(int index) const
{
    return index >= 0 && index < selected.size() && selected[index];
}

void ResultList::apply(const ReportList& change)
{
    if (change.lines) {
        clear();
        for (const QString& line : *change.lines)
            add(line);
        setSelected(change.selectedLine, true);
    }
    if (change.visible)
        visible = *change.visible;
    if (change.widthTwips)
        widthTwips = *change.widthTwips;
}

void ReportModel::apply(const Report& report)
{
    switch (report.titleUse) {
    case Report::TitleUse::Own:
        setTitle(report.title);
        break;
    case Report::TitleUse::Added:
        setAddedTitle(report.title);
        break;
    case Report::TitleUse::Kept:
        keepTitle(report.title);
        break;
    }
    if (report.caption)
        caption = *report.caption;
    if (report.busy == Report::Busy::Shown)
        status = report.status;
    if (report.busy != Report::Busy::Kept)
        busy = report.busy == Report::Busy::Shown;
    resultat.apply(report.resultat);
    resultat2.apply(report.resultat2);
}

QStringList ReportModel::exportLines() const
{
    QStringList out;
    out.reserve(1 + resultat.count() + resultat2.count());
    out << title;
    out << resultat.lines;
    for (int i = 1; i < resultat2.count(); ++i)
        out << resultat2.lines[i];
    return out;
}

void ReportModel::setTitle(const QString& text)
{
    title = text;
    shownReport.clear();
    m_addedTitle = false;
}

void ReportModel::setAddedTitle(const QString& text)
{
    if (!m_addedTitle)
        m_hiddenTitle = title;
    m_addedTitle = true;
    title = text;
    shownReport.clear();
}

void ReportModel::keepTitle(const QString& name)
{
    if (m_addedTitle)
        title = m_hiddenTitle;
    m_addedTitle = false;
    shownReport = name;
}
