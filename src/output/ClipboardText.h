// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "output/ReportModel.h"

#include <QString>

// The text "Copier selection" puts on the clipboard.
namespace ClipboardText {

// Selected lines of the left list, then of the right one, each followed by CR LF; empty when
// nothing is selected.
QString selectedLines(const ResultList& resultat, const ResultList& resultat2);

} // namespace ClipboardText
