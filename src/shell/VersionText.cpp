// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/VersionText.h"

#include "output/NumberFormat.h"

QString VersionText::format(int major, int minor, int revision)
{
    return QString::number(major) + QLatin1Char('-') + NumberFormat::apply(minor, u"00") + QLatin1Char('-')
        + NumberFormat::apply(revision, u"0000");
}

QString VersionText::release()
{
    return QStringLiteral("%1.%2.%3").arg(TIRAVOL_VERSION_MAJOR).arg(TIRAVOL_VERSION_MINOR).arg(TIRAVOL_VERSION_PATCH);
}
