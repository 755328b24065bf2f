// rows.h: the drop-list rows of the PIN blocks (ISO 9564-1), CMAC and key check values; ids 30-39.
#pragma once

#include <array>

#include "core/catalogue.h"

inline constexpr std::array<OperationRow, 0> PIN_ROWS{};
