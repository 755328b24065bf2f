// dcvv_handler.cpp: the rows "Visa dCVV" and "Visa dCVV verify": the CVV method under the ICC master key
// (typed, or derived from the IMK when a PSN is given), the ATC in place of the PAN's first four digits.
#include <array>
#include <string>

#include "cards/cvv.h"
#include "cards/decimalise.h"
#include "cards/fields.h"
#include "cards/handlers.h"

namespace {

constexpr int KEY_FIELD = 0;
constexpr int CARD_FIELD = 1;
constexpr std::size_t DCVV_DIGITS = 3;

// Reads both fields; on success shows the key used and the block enciphered, and gives the dCVV.
template <std::size_t N>
bool compute(std::array<std::string, N>& card, std::string& value)
{
    std::array<std::string, 2> key_parts; // key, PSN
    if (!load_parts(KEY_FIELD, key_parts) || !load_parts(CARD_FIELD, card) || !pan_digits_only(CARD_FIELD, card[0]))
        return false;
    const std::string& pan = card[0];
    const CardKey key = icc_key(key_parts[0], !key_parts[1].empty(), pan, key_parts[1]);
    std::array<std::uint8_t, 2> atc;
    pack_hex(card[3], atc);
    const CvvSteps steps = cvv(dcvv_account(pan, atc), card[1], card[2], key, DCVV_DIGITS);
    show_text(2, key_and_check_value(key));
    show_bytes(3, steps.enciphered);
    value = steps.value;
    return true;
}

} // namespace

int dcvv_handler()
{
    std::array<std::string, 4> card; // PAN, expiry, service code, ATC
    std::string value;
    if (!compute(card, value))
        return 0;
    show_text(4, value);
    return 1;
}

int dcvv_verify_handler()
{
    std::array<std::string, 5> card; // PAN, expiry, service code, ATC, dCVV
    std::string value;
    if (!compute(card, value))
        return 0;
    show_match("dCVV", value, card[4]);
    return 1;
}
