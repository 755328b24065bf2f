// rows.h: the drop-list rows of the AES DUKPT (ANSI X9.24-3-2017); ids 40-49.
#pragma once

#include <array>

#include "core/catalogue.h"

inline constexpr std::array<OperationRow, 0> AES_DUKPT_ROWS{};
