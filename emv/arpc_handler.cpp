// arpc_handler.cpp: the rows "EMV ARPC Method 1" and "EMV ARPC Method 2" (EMV 4.3 Book 2 8.2).
#include <algorithm>
#include <array>
#include <vector>

#include "core/controller.h"
#include "core/field.h"
#include "emv/cryptogram.h"
#include "emv/fields.h"
#include "emv/handlers.h"
#include "emv/rows.h"
#include "symmetric/des.h"
#include "symmetric/mac_algorithm3.h"
#include "symmetric/triple_des.h"

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
    const std::uint8_t* key = g_field[2].data;

    // Method 1: ARQC XOR (ARC || 00..00), enciphered.
    if (method1) {
        std::array<std::uint8_t, 8> block;
        std::copy_n(g_field[0].data, 8, block.begin());
        block[0] ^= g_field[1].data[0];
        block[1] ^= g_field[1].data[1];
        tdes2_block(DES_ENCRYPT, block.data(), key, block.data());
        show_bytes(4, block);
        return 1;
    }

    // Method 2: the leftmost 4 bytes of the MAC over ARQC || CSU || proprietary authentication data.
    std::vector<std::uint8_t> data(g_field[0].data, g_field[0].data + 8);
    data.insert(data.end(), g_field[1].data, g_field[1].data + 4);
    data.insert(data.end(), g_field[3].data, g_field[3].data + g_field[3].length);
    const auto padded = mac_padded(data, MacPadding::Bit);
    const std::uint8_t zero_iv[8] = {};
    std::array<std::uint8_t, 8> mac;
    mac_algorithm3(key, zero_iv, padded.data(), padded.size(), mac.data());
    show_bytes(4, std::span<const std::uint8_t>(mac).first(4));
    return 1;
}
