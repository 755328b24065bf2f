// catalogue.cpp: the drop-list joined once: the original rows, then each family's rows under its own
// separators, then the end row. The window, the console program and the tests all link this table.
#include "core/catalogue.h"

#include <algorithm>
#include <iterator>

#include "aes_dukpt/rows.h"
#include "cards/rows.h"
#include "core/original_rows.h"
#include "emv/rows.h"
#include "keyblock/rows.h"
#include "keys/rows.h"
#include "mac/rows.h"
#include "pin/rows.h"
#include "translate/rows.h"

namespace {

constexpr std::array<OperationRow, 1> END_ROW = {{
    {OP_END, nullptr, {{nullptr, 0}, {nullptr, 0}, {nullptr, 0}, {nullptr, 0}, {nullptr, 0}}, nullptr, nullptr, 0x0000},
}};

template <std::size_t... N>
constexpr auto join_rows(const std::array<OperationRow, N>&... parts)
{
    std::array<OperationRow, (N + ...)> all{};
    std::size_t at = 0;
    ((std::copy(std::begin(parts), std::end(parts), all.begin() + at), at += N), ...);
    return all;
}

constexpr auto ALL_ROWS = join_rows(std::to_array(original_rows::ORIGINAL_ROWS), PIN_ROWS, AES_DUKPT_ROWS,
                                    KEY_BLOCK_ROWS, EMV_ROWS, PIN_TRANSLATE_ROWS, KEY_COMPONENT_ROWS, MAC_ROWS, CARD_ROWS,
                                    END_ROW);

} // namespace

const std::span<const OperationRow> catalogue = ALL_ROWS;
const int CATALOGUE_ROWS = static_cast<int>(ALL_ROWS.size());
