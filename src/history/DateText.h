// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QString>

// Dates are written and read day first everywhere: "16/09/1993".
namespace DateText {

inline QString format(const QDate& date)
{
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}

inline QDate parse(const QString& text)
{
    return QDate::fromString(text, QStringLiteral("dd/MM/yyyy"));
}

} // namespace DateText
