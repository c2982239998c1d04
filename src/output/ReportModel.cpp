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

void ResultList::selectAll(bool on)
{
    for (auto& s : selected)
        s = on;
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

QStringList ReportModel::selectedLines() const
{
    QStringList out;
    for (int i = 0; i < resultat.count(); ++i)
        if (resultat.isSelected(i))
            out << resultat.lines[i];
    for (int i = 0; i < resultat2.count(); ++i)
        if (resultat2.isSelected(i))
            out << resultat2.lines[i];
    return out;
}
