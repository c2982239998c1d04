// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// What one analysis writes into the report area: the lines of the left result list, in order,
// the column caption when it changes it, and whether the report goes to the export step.
struct AnalysisReport {
    QStringList lines;
    std::optional<QString> caption; // nullopt: the caption is left as the previous report set it
    bool exported = true;
};
