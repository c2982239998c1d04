// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/Report.h"

#include <utility>

ReportList ReportList::cleared(std::optional<bool> shown)
{
    return replacedBy({}, shown);
}

ReportList ReportList::replacedBy(QStringList newLines, std::optional<bool> shown)
{
    ReportList list;
    list.lines = std::move(newLines);
    list.visible = shown;
    return list;
}

ReportList ReportList::hidden()
{
    ReportList list;
    list.visible = false;
    return list;
}

namespace {

Report withTitle(Report::TitleUse use, QString text)
{
    Report report;
    report.titleUse = use;
    report.title = std::move(text);
    return report;
}

} // namespace

Report Report::ownTitle(QString text)
{
    return withTitle(TitleUse::Own, std::move(text));
}

Report Report::addedTitle(QString text)
{
    return withTitle(TitleUse::Added, std::move(text));
}

Report Report::keptTitle(QString name)
{
    return withTitle(TitleUse::Kept, std::move(name));
}

Report Report::ownLines(QString title, QStringList lines, bool exported)
{
    constexpr int kWideList = 5600;
    Report report = addedTitle(std::move(title));
    report.caption = QString();
    report.busy = Busy::Hidden;
    report.resultat = ReportList::replacedBy(std::move(lines), true);
    report.resultat.widthTwips = kWideList;
    report.resultat2 = ReportList::cleared(false);
    report.exported = exported;
    return report;
}
