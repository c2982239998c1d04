#include "shell/VersionText.h"

#include "output/NumberFormat.h"

QString VersionText::format(int major, int minor, int revision)
{
    return QString::number(major) + QLatin1Char('-') + NumberFormat::apply(minor, u"00") + QLatin1Char('-')
        + NumberFormat::apply(revision, u"0000");
}
