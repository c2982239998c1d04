// SPDX-License-Identifier: GPL-3.0-or-later
#include "forecast/ForecastCriteria.h"

#include "output/Plural.h"
#include "output/TextFile.h"

#include <QFile>
#include <QRegularExpression>
#include <algorithm>

namespace {

// Rules always settle (every move is clamped and an unchanged position raises nothing); the cap
// only keeps a corrupted state from recursing without end.
constexpr int kMaxCascade = 256;

constexpr ForecastCriteria::DesignTime kDesign[kCriterionBarCount + 1] = {
    {0, 0, 1, 0, u""},
    {0, 42, 14, 14, u"14"}, // HScroll1 recent draws
    {14, 280, 14, 28, u"28"}, // HScroll2 average draws
    {0, 3200, 140, 3000, u"3000"}, // HScroll3 general draws
    {0, 100, 5, 0, u"0"}, // HScroll4 smallest gap
    {0, 100, 5, 100, u"100"}, // HScroll5 largest gap
    {0, 42, 7, 0, u"0"}, // HScroll6 recent fewest
    {0, 42, 7, 14, u"14"}, // HScroll7 recent most
    {0, 280, 14, 14, u"0"}, // HScroll8 average fewest: its label is not its position
    {0, 280, 14, 28, u"28"}, // HScroll9 average most
    {0, 3270, 10, 0, u"0"}, // HScroll10 general fewest
    {0, 3270, 10, 0, u"3000"}, // HScroll11 general most: its label is not its position
};

int largestOf(const std::array<int, Formula::kMaxNumber + 1>& values, const Formula& formula)
{
    int largest = 0;
    for (int n = 1; n <= formula.numbers; ++n)
        largest = std::max(largest, values[static_cast<size_t>(n)]);
    return largest;
}

} // namespace

const ForecastCriteria::DesignTime& ForecastCriteria::designTime(int i)
{
    return kDesign[std::clamp(i, 0, kCriterionBarCount)];
}

ForecastCriteria::ForecastCriteria()
{
    for (int i = 0; i <= kCriterionBarCount; ++i) {
        CriteriaScrollBar& bar = m_bars[static_cast<size_t>(i)];
        bar.minimum = kDesign[i].minimum;
        bar.maximum = kDesign[i].maximum;
        bar.value = kDesign[i].position;
        bar.pageStep = kDesign[i].pageStep;
        bar.smallStep = 1;
        bar.label = QString::fromUtf16(kDesign[i].label);
    }
    rebind();
}

ForecastCriteria::ForecastCriteria(const ForecastCriteria& other) : m_bars(other.m_bars)
{
    rebind();
}

ForecastCriteria& ForecastCriteria::operator=(const ForecastCriteria& other)
{
    m_bars = other.m_bars;
    m_depth = 0;
    rebind();
    return *this;
}

void ForecastCriteria::rebind()
{
    for (int i = 0; i <= kCriterionBarCount; ++i) {
        m_bars[static_cast<size_t>(i)].m_owner = i == 0 ? nullptr : this;
        m_bars[static_cast<size_t>(i)].m_index = i;
    }
}

void ForecastCriteria::changed(int i)
{
    using B = CriterionBar;
    CriteriaScrollBar& bar = m_bars[static_cast<size_t>(i)];
    bar.label = QString::number(bar.value);
    if (m_depth >= kMaxCascade)
        return;
    ++m_depth;
    const int pos = bar.value;
    switch (static_cast<B>(i)) {
    case B::RecentDraws:
        if (pos > positionOf(B::RecentMax))
            setValue(B::RecentMax, pos);
        break;
    case B::AverageDraws:
        if (pos > positionOf(B::AverageMax))
            setValue(B::AverageMax, pos);
        break;
    case B::GeneralDraws:
        break;
    case B::RecentMin:
        if (pos > positionOf(B::RecentMax))
            setValue(B::RecentMax, pos);
        break;
    case B::RecentMax:
        if (pos < positionOf(B::RecentMin))
            setValue(B::RecentMin, pos);
        break;
    case B::AverageMin:
        if (pos > positionOf(B::AverageMax))
            setValue(B::AverageMax, pos);
        break;
    case B::AverageMax:
        if (pos < positionOf(B::AverageMin))
            setValue(B::AverageMin, pos);
        break;
    case B::GeneralMin:
        if (pos > positionOf(B::GeneralMax)) {
            setMaximum(B::GeneralMax, (*this)[B::GeneralMin].maximum);
            // Read again: the maximum change may have moved this bar through the other rule.
            setValue(B::GeneralMax, positionOf(B::GeneralMin));
        }
        break;
    case B::GeneralMax:
        if (pos < positionOf(B::GeneralMin))
            setValue(B::GeneralMin, pos);
        break;
    case B::GapMin:
        if (pos > positionOf(B::GapMax))
            setValue(B::GapMax, pos);
        break;
    case B::GapMax:
        if (pos < positionOf(B::GapMin))
            setValue(B::GapMin, pos);
        break;
    }
    --m_depth;
}

void ForecastCriteria::updateAfterLoad(int itemCount, const NumberStats& stats, const Formula& formula)
{
    using B = CriterionBar;
    const int largest = largestOf(stats.appearances, formula);
    int smallest = largest;
    for (int n = 1; n <= formula.numbers; ++n)
        smallest = std::min(smallest, stats.appearances[static_cast<size_t>(n)]);
    setMaximum(B::GeneralDraws, itemCount - 1);
    setValue(B::GeneralDraws, (*this)[B::GeneralDraws].maximum);
    setMinimum(B::GeneralMin, smallest);
    setMaximum(B::GeneralMin, largest + 1);
    setValue(B::GeneralMin, smallest);
    setMinimum(B::GeneralMax, smallest);
    setMaximum(B::GeneralMax, largest + 1);
    setValue(B::GeneralMax, largest);
    setMaximum(B::GapMin, largestOf(stats.currentGap, formula));
    setMaximum(B::GapMax, largestOf(stats.largestGap, formula));
}

void ForecastCriteria::updateAfterSorties(const NumberStats& stats, const Formula& formula)
{
    setMaximum(CriterionBar::GeneralMax, largestOf(stats.appearances, formula));
}

void ForecastCriteria::updateAfterEcartsMax(const NumberStats& stats, const Formula& formula)
{
    const int largest = largestOf(stats.largestGap, formula);
    setMaximum(CriterionBar::GapMax, largest);
    setValue(CriterionBar::GapMax, largest);
}

void ForecastCriteria::updateAfterListClick(int itemCount, int selectedIndex)
{
    setMaximum(CriterionBar::GeneralDraws, itemCount);
    setValue(CriterionBar::GeneralDraws, selectedIndex);
}

void ForecastCriteria::updateAfterEntry(int itemCount)
{
    setMaximum(CriterionBar::GeneralDraws, itemCount + 1);
    setValue(CriterionBar::GeneralDraws, itemCount);
    setMaximum(CriterionBar::GeneralMax, (*this)[CriterionBar::GeneralMax].maximum + 1);
}

QString ForecastCriteria::filePath(const QString& appDataFolder)
{
    return appDataFolder + QStringLiteral("/Varn/tiravol.cfg");
}

QByteArray ForecastCriteria::fileContent() const
{
    QStringList lines;
    for (int i = 1; i <= kCriterionBarCount; ++i) {
        const CriteriaScrollBar& bar = (*this)[i];
        QString line = QString::number(bar.minimum) + QLatin1Char(',') + QString::number(bar.maximum);
        if (i <= 9)
            line += QLatin1Char(',') + QString::number(bar.value);
        lines << line;
    }
    return TextFile::crlfLines(lines);
}

bool ForecastCriteria::save(const QString& path, QString* error) const
{
    return TextFile::writeAtomic(path, fileContent(), error);
}

QString ForecastCriteria::chargeConf(const QString& path)
{
    QFile file(path);
    if (!file.exists())
        return chargeConfFrom({}, false);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("Fichier des critères illisible : les critères restent tels qu'ils étaient.");
    // Only a file read whole is applied: a cut one would pose as a short file.
    QByteArray bytes;
    if (QString why; !TextFile::readToEnd(file, &bytes, &why))
        return QStringLiteral("Fichier des critères illisible (%1) : les critères restent tels qu'ils étaient.").arg(why);
    return chargeConfFrom(bytes, true);
}

namespace {

// The three values of a criteria line, or false when it does not hold three whole numbers.
bool parseCriteriaLine(const QString& line, int (&values)[3])
{
    static const QRegularExpression separators(QStringLiteral("[,\\s]+"));
    const QStringList fields = line.split(separators, Qt::SkipEmptyParts);
    bool ok = fields.size() == 3;
    for (int f = 0; ok && f < 3; ++f)
        values[f] = fields[f].toInt(&ok);
    return ok;
}

// Sets bar i from its line; false when a value had to be brought back within the bar's limits.
bool applyCriteriaLine(CriteriaScrollBar& bar, int i, const int (&values)[3])
{
    const ForecastCriteria::DesignTime& design = kDesign[i];
    // The bar's own limits: those it was designed with, widened for the bars whose range
    // the history sets (draws, gaps) to the range the history gave them.
    const bool historyRange = i == 3 || i == 4 || i == 5;
    const int lowest = design.minimum;
    const int highest = historyRange ? std::max(design.maximum, bar.high()) : design.maximum;
    const int a = std::clamp(values[0], lowest, highest);
    const int b = std::clamp(values[1], lowest, highest);
    const int c = std::clamp(values[2], std::min(a, b), std::max(a, b));
    bar.setMinimum(a);
    bar.setMaximum(b);
    bar.setValue(c);
    if (i >= 6)
        bar.label = QString::number(c);
    return a == values[0] && b == values[1] && c == values[2];
}

QString lineList(const QList<int>& numbers)
{
    QString text = QString::number(numbers.first());
    for (qsizetype k = 1; k < numbers.size(); ++k)
        text += (k + 1 == numbers.size() ? QStringLiteral(" et ") : QStringLiteral(", ")) + QString::number(numbers[k]);
    return text;
}

// One sentence for the whole file, naming every line at fault, after `problem`.
QString withFaults(QString problem, const QList<int>& unreadable, const QList<int>& outOfBounds)
{
    auto add = [&problem](const QString& text) { problem += (problem.isEmpty() ? QString() : QStringLiteral(" ")) + text; };
    if (!unreadable.isEmpty())
        add(unreadable.size() == 1 ? QStringLiteral("Fichier des critères illisible à la ligne %1 : les critères de cette "
                                                    "ligne restent tels qu'ils étaient.")
                                         .arg(unreadable.first())
                                   : QStringLiteral("Fichier des critères illisible aux lignes %1 : les critères de ces "
                                                    "lignes restent tels qu'ils étaient.")
                                         .arg(lineList(unreadable)));
    if (!outOfBounds.isEmpty())
        add(outOfBounds.size() == 1 ? QStringLiteral("Fichier des critères : valeur hors des limites de la barre à la ligne "
                                                     "%1, ramenée à la borne la plus proche.")
                                          .arg(outOfBounds.first())
                                    : QStringLiteral("Fichier des critères : valeurs hors des limites des barres aux lignes "
                                                     "%1, ramenées aux bornes les plus proches.")
                                          .arg(lineList(outOfBounds)));
    return problem;
}

} // namespace

QString ForecastCriteria::chargeConfFrom(const QByteArray& bytes, bool exists)
{
    // No file yet (nothing was ever saved): the criteria stay as they stand, without a word.
    if (!exists)
        return QString();
    QStringList lines = TextFile::decode(bytes).split(QLatin1Char('\n'));
    // A final line break does not open a line.
    if (!lines.isEmpty() && lines.last().trimmed().isEmpty())
        lines.removeLast();

    QString problem;
    if (lines.size() < 9)
        problem = QStringLiteral("Fichier des critères incomplet (%1 sur 9) : les critères des lignes manquantes "
                                 "restent tels qu'ils étaient.")
                      .arg(Plural::count(lines.size(), QStringLiteral("ligne"), QStringLiteral("lignes")));

    QList<int> unreadable, outOfBounds;
    // A missing or unreadable line leaves its bar, and its label, as they stand.
    for (int i = 1; i <= 9 && i <= lines.size(); ++i) {
        int values[3] = {0, 0, 0};
        if (!parseCriteriaLine(lines[i - 1], values))
            unreadable << i;
        else if (!applyCriteriaLine((*this)[i], i, values))
            outOfBounds << i;
    }
    return withFaults(problem, unreadable, outOfBounds);
}
