// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/ClipboardText.h"

namespace ClipboardText {

namespace {

void appendSelected(const ResultList& list, QString& text)
{
    for (int i = 0; i < list.count(); ++i) {
        if (list.isSelected(i)) {
            text += list.lines.at(i);
            text += QLatin1String("\r\n");
        }
    }
}

} // namespace

QString selectedLines(const ResultList& resultat, const ResultList& resultat2)
{
    QString text;
    appendSelected(resultat, text);
    if (resultat2.count() > 0)
        appendSelected(resultat2, text);
    return text;
}

} // namespace ClipboardText
