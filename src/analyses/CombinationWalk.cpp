// SPDX-License-Identifier: GPL-3.0-or-later
#include "analyses/CombinationWalk.h"

#include "output/NumberFormat.h"

#include <algorithm>
#include <cmath>

namespace CombinationWalk {

QString sizePrompt()
{
    return QStringLiteral("Combien de numéros");
}

QString sizeTitle()
{
    return QStringLiteral("entre 2 et 10");
}

QString sizeDefault()
{
    return QStringLiteral("5");
}

bool isSize(qint64 r)
{
    return r >= kMinSize && r <= kMaxSize;
}

QString leastPrompt()
{
    return QStringLiteral("Sur combien de numéros");
}

QString text(const QList<int>& numbers)
{
    QString out;
    out.reserve(numbers.size() * 3);
    for (int n : numbers) {
        out += QLatin1Char(' ');
        out += QString::number(n);
    }
    return out;
}

QString mostFrequentLine(const QString& text, int count)
{
    return text + QStringLiteral("    ") + QString::number(count);
}

namespace {
QString withSignPlace(int v)
{
    return v >= 0 ? QLatin1Char(' ') + QString::number(v) : QString::number(v);
}
} // namespace

QString gapLine(const QString& text, int present, int gap)
{
    return text + QStringLiteral("  ") + withSignPlace(present) + QLatin1Char(' ') + withSignPlace(gap);
}

double combinationCount(int k, int r)
{
    if (r < 0 || k < 0 || r > k)
        return 0;
    double c = 1;
    for (int i = 1; i <= r; ++i)
        c = c * (k - r + i) / i;
    return c;
}

namespace {

QString grouped(qint64 v)
{
    return NumberFormat::apply(v, u"#,##0");
}

// The share done, rounded down: a walk not over never says 100 %. Under 1 % a decimal keeps
// millions of combinations from reading "0 %".
QString percentDone(qint64 examined, qint64 total)
{
    if (total <= 0)
        return QStringLiteral("100 %");
    const double share = static_cast<double>(std::clamp<qint64>(examined, 0, total)) * 100.0 / static_cast<double>(total);
    if (share >= 1.0 || examined <= 0)
        return QStringLiteral("%1 %").arg(static_cast<int>(share));
    const int tenths = static_cast<int>(share * 10.0);
    return tenths == 0 ? QStringLiteral("moins de 0,1 %") : QStringLiteral("0,%1 %").arg(tenths);
}

QString duration(double seconds)
{
    const qint64 s = static_cast<qint64>(std::ceil(std::max(seconds, 0.0)));
    if (s < 60)
        return QStringLiteral("%1 s").arg(s);
    if (s < 3600)
        return QStringLiteral("%1 min %2 s").arg(s / 60).arg(s % 60, 2, 10, QLatin1Char('0'));
    if (s < 86400)
        return QStringLiteral("%1 h %2 min").arg(s / 3600).arg(s % 3600 / 60, 2, 10, QLatin1Char('0'));
    return QStringLiteral("%1 j %2 h").arg(grouped(s / 86400)).arg(s % 86400 / 3600);
}

} // namespace

QString progressText(const Progress& progress)
{
    QString text = QStringLiteral("%1 combinaisons examinées sur %2 (%3)")
                       .arg(grouped(progress.examined), grouped(progress.total))
                       .arg(percentDone(progress.examined, progress.total));
    // Nothing to extrapolate from before the first combinations and the first second.
    if (progress.examined > 0 && progress.elapsed >= std::chrono::seconds(1)) {
        const double spent = std::chrono::duration<double>(progress.elapsed).count();
        const double left
            = spent * static_cast<double>(progress.total - progress.examined) / static_cast<double>(progress.examined);
        text += QStringLiteral(", reste environ ") + duration(left);
    }
    return text;
}

QString stoppedLine(qint64 examined, qint64 total)
{
    return QStringLiteral("Recherche arrêtée : %1 des combinaisons examinées").arg(percentDone(examined, total));
}

bool isStoppedLine(const QString& line)
{
    return line.startsWith(QStringLiteral("Recherche arrêtée : "))
        && line.endsWith(QStringLiteral(" des combinaisons examinées"));
}

} // namespace CombinationWalk
