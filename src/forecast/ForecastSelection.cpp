// SPDX-License-Identifier: GPL-3.0-or-later
#include "forecast/ForecastSelection.h"

#include "output/NumberFormat.h"

#include <algorithm>
#include <array>
#include <limits>

namespace ForecastSelection {

namespace {

int wholeNumber(const QString& text)
{
    const qint64 v = NumberFormat::readTypedNumber(text);
    return static_cast<int>(std::clamp<qint64>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

double decimalNumber(const QString& text)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    return ok ? v : static_cast<double>(NumberFormat::readTypedNumber(text));
}

struct Form {
    CriterionBar window, low, high;
    const char16_t* header; // the words before the window size
    const char16_t* middle; // the words between the window size and the lower bound
};

} // namespace

SelectionBounds bounds(const ForecastCriteria& criteria)
{
    using B = CriterionBar;
    static constexpr B bars[3][3] = {
        {B::RecentDraws, B::RecentMin, B::RecentMax},
        {B::AverageDraws, B::AverageMin, B::AverageMax},
        {B::GeneralDraws, B::GeneralMin, B::GeneralMax},
    };
    SelectionBounds b;
    for (size_t f = 0; f < 3; ++f) {
        b.window[f] = wholeNumber(criteria.label(bars[f][0]));
        b.low[f] = wholeNumber(criteria.label(bars[f][1]));
        b.high[f] = wholeNumber(criteria.label(bars[f][2]));
    }
    b.gapLow = decimalNumber(criteria.label(B::GapMin));
    b.gapHigh = decimalNumber(criteria.label(B::GapMax));
    return b;
}

NumberValues criteriaMet(const std::array<const NumberValues*, 3>& appearances, const NumberValues& gaps,
                         const SelectionBounds& bounds, const Formula& formula)
{
    NumberValues met{};
    for (size_t n = 1; n <= static_cast<size_t>(formula.numbers); ++n) {
        for (size_t f = 0; f < 3; ++f) {
            const int a = (*appearances[f])[n];
            met[n] += bounds.low[f] <= a && a <= bounds.high[f] ? 1 : 0;
        }
        met[n] += bounds.gapLow <= gaps[n] && gaps[n] <= bounds.gapHigh ? 1 : 0;
    }
    return met;
}

namespace {

// The numbers whose current gap lies within the gap bounds, each counting one criterion more.
void gapLines(const ForecastCriteria& criteria, int numbers, ForecastSelectionResult& result)
{
    const QString& gapLowText = criteria.label(CriterionBar::GapMin);
    const QString& gapHighText = criteria.label(CriterionBar::GapMax);
    QStringList& lines = result.lines;
    lines << QString();
    lines << QStringLiteral("Numéros à l'écart compris entre ") + gapLowText + QStringLiteral(" et ") + gapHighText;
    const double gapLow = decimalNumber(gapLowText), gapHigh = decimalNumber(gapHighText);
    for (int n = 1; n <= numbers; ++n) {
        const int gap = result.stats.currentGap[static_cast<size_t>(n)];
        if (gapLow <= gap && gap <= gapHigh) {
            ++result.criteriaMet[static_cast<size_t>(n)];
            lines << QString::number(n) + QStringLiteral(" ecart ") + NumberFormat::apply(gap, u" 00");
        }
    }
}

// The numbers grouped by how many criteria they meet, most first.
void commonLines(int numbers, ForecastSelectionResult& result)
{
    QStringList& lines = result.lines;
    for (int c = 4; c >= 0; --c) {
        lines << QString();
        lines << QStringLiteral("Communs à ") + QString::number(c) + QStringLiteral(" Criteres");
        lines << QString();
        for (int n = 1; n <= numbers; ++n)
            if (result.criteriaMet[static_cast<size_t>(n)] == c)
                lines << QString::number(n);
        lines << QString();
    }
}

} // namespace

ForecastSelectionResult run(const DrawMatrix& matrix, int selectedIndex, const ForecastCriteria& criteria)
{
    using B = CriterionBar;
    static constexpr Form forms[3] = {
        {B::RecentDraws, B::RecentMin, B::RecentMax, u"Forme recente sur ", u" Tirages , Sortie entre "},
        {B::AverageDraws, B::AverageMin, B::AverageMax, u"Forme moyenne sur ", u" Tirages , Sortie entre "},
        {B::GeneralDraws, B::GeneralMin, B::GeneralMax, u"Forme générale sur", u" tirages sorties entre "},
    };

    ForecastSelectionResult result;
    QStringList& lines = result.lines;
    NumberValues& met = result.criteriaMet;
    const int numbers = matrix.formula().numbers;
    const int current = selectedIndex - 1;
    result.period.last = current;

    for (int f = 0; f < 3; ++f) {
        const Form& form = forms[f];
        const QString& windowText = criteria.label(form.window);
        const QString& lowText = criteria.label(form.low);
        const QString& highText = criteria.label(form.high);
        result.period.first = current - wholeNumber(windowText) + 1;
        result.stats = computeStats(matrix, result.period);
        if (f > 0)
            lines << QString();
        lines << QString::fromUtf16(form.header) + windowText + QString::fromUtf16(form.middle) + lowText + QStringLiteral(" et ")
                + highText;
        const int low = wholeNumber(lowText), high = wholeNumber(highText);
        for (int n = 1; n <= numbers; ++n) {
            const int a = result.stats.appearances[static_cast<size_t>(n)];
            if (low <= a && a <= high) {
                lines << NumberFormat::apply(n, u" 00") + QStringLiteral(" Sorti ") + NumberFormat::apply(a, u" 0000");
                ++met[static_cast<size_t>(n)];
            }
        }
    }

    gapLines(criteria, numbers, result);
    commonLines(numbers, result);
    return result;
}

} // namespace ForecastSelection
