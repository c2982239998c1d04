#include "analyses/CombinationWalk.h"

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

} // namespace CombinationWalk
