// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The version as the window title and the about box show it: the major number, the minor one on
// two digits and the revision on four, joined by '-' (2.5.17 gives "2-05-0017").
namespace VersionText {

QString format(int major, int minor, int revision);

// This build's version as `--version` and the package give it: "1.0.0".
QString release();

} // namespace VersionText
