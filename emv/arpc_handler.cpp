// arpc_handler.cpp: the rows "EMV ARPC Method 1" and "EMV ARPC Method 2" (EMV 4.3 Book 2 8.2).
#include <array>

#include "core/controller.h"
#include "core/field.h"
#include "emv/arpc.h"
#include "emv/fields.h"
#include "emv/handlers.h"
#include "emv/rows.h"

namespace {

constexpr std::array<int, 9> PROPRIETARY_SIZES = {0, 1, 2, 3, 4, 5, 6, 7, 8};

} // namespace

int emv_arpc_handler()
{
    const bool method1 = selected_row().id == OP_EMV_ARPC1;
    if (!load_sized(0, 8, MSG_ARQC_LENGTH))
        return 0;
    if (!(method1 ? load_sized(1, 2, MSG_ARC_LENGTH) : load_sized(1, 4, MSG_CSU_LENGTH)))
        return 0;
    if (!load_key(2))
        return 0;
    if (!method1 && !load_sized(3, PROPRIETARY_SIZES, MSG_PROPRIETARY_LENGTH))
        return 0;
    const std::span<const std::uint8_t, 16> key(g_field[2].data, 16);
    const std::span<const std::uint8_t, 8> arqc(g_field[0].data, 8);
    if (method1) {
        show_bytes(4, arpc_method1(key, arqc, std::span<const std::uint8_t, 2>(g_field[1].data, 2)));
        return 1;
    }
    show_bytes(4, arpc_method2(key, arqc, std::span<const std::uint8_t, 4>(g_field[1].data, 4), field_bytes(3)));
    return 1;
}
