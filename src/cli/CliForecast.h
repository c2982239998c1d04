// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

struct CliRun;

// With --criteria, the file replaces the criteria the load and the click left, as "Reset
// configuration" does; a missing file is an error (false, said), a faulty one a warning.
bool loadCriteriaOption(CliRun& run);
