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
