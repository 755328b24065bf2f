// cvv_handler.cpp: the rows "CVV / CVV2 / iCVV" (the value, the block enciphered and the decimalised
// string) and "CVV / CVV2 / iCVV verify" (the value typed, compared on its own length).
#include <array>
#include <string>

#include "cards/cvv.h"
#include "cards/fields.h"
#include "cards/handlers.h"

namespace {

constexpr int KEY_FIELD = 0;
constexpr int CARD_FIELD = 1;
constexpr std::size_t MIN_DIGITS = 3, MAX_DIGITS = 5;

template <std::size_t N>
bool load_card(CardKey& key, std::array<std::string, N>& card)
{
    return load_key16(KEY_FIELD, key) && load_parts(CARD_FIELD, card) && pan_digits_only(CARD_FIELD, card[0]);
}

} // namespace

int cvv_handler()
{
    CardKey key;
    std::array<std::string, 4> card; // PAN, expiry, service code, CVV length
    if (!load_card(key, card))
        return 0;
    const auto digits = static_cast<std::size_t>(part_number(card[3]));
    if (digits < MIN_DIGITS || digits > MAX_DIGITS) {
        show_field_error(CARD_FIELD, MSG_CVV_LENGTH);
        return 0;
    }
    const CvvSteps steps = cvv(card[0], card[1], card[2], key, digits);
    show_bytes(2, steps.enciphered);
    show_text(3, steps.decimalised);
    show_text(4, steps.value);
    return 1;
}

int cvv_verify_handler()
{
    CardKey key;
    std::array<std::string, 3> card; // PAN, expiry, service code
    if (!load_card(key, card) || !field_load(2, 0, 1))
        return 0;
    const std::string given(field_text(2));
    if (given.size() < MIN_DIGITS || given.size() > MAX_DIGITS) {
        show_field_error(2, MSG_CVV_LENGTH);
        return 0;
    }
    const CvvSteps steps = cvv(card[0], card[1], card[2], key, given.size());
    show_bytes(3, steps.enciphered);
    show_match("CVV", steps.value, given);
    return 1;
}
