// key_handlers.cpp: the rows "EMV ICC Master Key" (options A and B) and "EMV Session Key" (EMV common,
// Mastercard, PBOC): each shows its key in field 4 and the key's check value in field 3.
#include <algorithm>
#include <array>
#include <string>

#include "core/controller.h"
#include "core/field.h"
#include "core/messages.h"
#include "emv/fields.h"
#include "emv/handlers.h"
#include "emv/keys.h"
#include "emv/rows.h"

namespace {

constexpr std::int32_t PAN_MIN_DIGITS = 8; // ISO/IEC 7812-1: at least an issuer number, one digit and a check digit
constexpr std::int32_t PAN_MAX_DIGITS = 19;

std::string_view field_digits(int index)
{
    return {reinterpret_cast<const char*>(g_field[index].data), static_cast<std::size_t>(g_field[index].length)};
}

} // namespace

int emv_icc_master_key_handler()
{
    const std::int32_t id = selected_row().id;
    if (!load_key(0) || !field_load(1, 0, 1))
        return 0;
    if (g_field[1].length < PAN_MIN_DIGITS || g_field[1].length > PAN_MAX_DIGITS) {
        show_field_error(1, MSG_PAN_LENGTH);
        return 0;
    }
    if (!field_load(2, 0, 1))
        return 0;
    // Book 2 A1.4: a card without a PAN sequence number uses 00.
    const std::string_view psn = g_field[2].length == 0 ? "00" : field_digits(2);
    if (psn.size() != 2) {
        show_field_error(2, MSG_PSN);
        return 0;
    }

    std::array<std::uint8_t, 16> mk;
    icc_master_key(id == OP_EMV_ICC_MK_B ? IccOption::B : IccOption::A, field_digits(1), psn,
                   std::span<const std::uint8_t, 16>(g_field[0].data, 16), mk);
    show_key_and_check_value(mk);
    return 1;
}

int emv_session_key_handler()
{
    const std::int32_t id = selected_row().id;
    // The common derivation also takes its diversification value R whole (8 bytes).
    constexpr std::array<int, 2> COMMON_SIZES = {2, 8};
    if (!load_key(0) || !load_sized(1, id == OP_EMV_SESSION_COMMON ? std::span<const int>(COMMON_SIZES)
                                                                    : std::span<const int>(COMMON_SIZES).first(1),
                                    MSG_ATC_LENGTH))
        return 0;
    if (id == OP_EMV_SESSION_MASTERCARD && !load_sized(2, 4, MSG_UN_LENGTH))
        return 0;

    const std::span<const std::uint8_t, 16> mk(g_field[0].data, 16);
    const std::span<const std::uint8_t, 2> atc(g_field[1].data, 2);
    std::array<std::uint8_t, 16> sk;
    switch (id) {
    case OP_EMV_SESSION_COMMON: {
        std::array<std::uint8_t, 8> r{};
        std::copy_n(g_field[1].data, g_field[1].length, r.begin());
        common_session_key(mk, r, sk);
        break;
    }
    case OP_EMV_SESSION_MASTERCARD:
        mastercard_session_key(mk, atc, std::span<const std::uint8_t, 4>(g_field[2].data, 4), sk);
        break;
    case OP_EMV_SESSION_PBOC: pboc_session_key(mk, atc, sk); break;
    default: show_error(MSG_INTERNAL_ERROR); return 0;
    }
    show_key_and_check_value(sk);
    return 1;
}
