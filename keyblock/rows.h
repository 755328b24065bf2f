// rows.h: the drop-list rows of the TR-31 / ANSI X9.143 key blocks; ids 50-59.
#pragma once

#include <array>

#include "core/catalogue.h"

inline constexpr std::array<OperationRow, 0> KEY_BLOCK_ROWS{};
