// rows.h: the drop-list rows of the EMV keys and cryptograms; ids 60-69.
#pragma once

#include <array>

#include "core/catalogue.h"

inline constexpr std::array<OperationRow, 0> EMV_ROWS{};
