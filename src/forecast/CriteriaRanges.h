// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "forecast/ForecastCriteria.h"

// Earlier names of the criteria model, kept while the Workspace moves to the new ones.
using ScrollBarState = CriteriaScrollBar;
using CriteriaRanges = ForecastCriteria;
