// cvc3_handler.cpp: the rows "Mastercard CVC3" and "Mastercard CVC3 verify": the ICC master key (typed, or
// derived from the IMK when a PAN is given), IVCVC3 from the track data (or typed), and the CVC3.
#include <array>
#include <string>
#include <vector>

#include "cards/cvc3.h"
#include "cards/decimalise.h"
#include "cards/fields.h"
#include "cards/handlers.h"

namespace {

constexpr int KEY_FIELD = 0;
constexpr int DATA_FIELD = 1;
constexpr std::size_t IV_BYTES = 2;

// Reads both fields (the last part of field 1 a length to keep when generating); on success shows the key
// used and IVCVC3 with the 5-digit CVC3, and gives the latter.
bool compute(std::array<std::string, 4>& data, bool generating, std::string& value)
{
    std::array<std::string, 3> key_parts; // key, PAN, PSN
    if (!load_parts(KEY_FIELD, key_parts) || !pan_digits_only(KEY_FIELD, key_parts[1]) || !load_parts(DATA_FIELD, data))
        return false;
    if (const int digits = part_number(data[3]); generating && (digits < 3 || digits > 5)) {
        show_field_error(DATA_FIELD, MSG_CVC3_LENGTH);
        return false;
    }
    const CardKey key = icc_key(key_parts[0], !key_parts[1].empty(), key_parts[1], key_parts[2]);
    std::vector<std::uint8_t> track(data[0].size() / 2);
    pack_hex(data[0], track);
    std::array<std::uint8_t, 2> iv{};
    if (track.size() == IV_BYTES)
        std::copy(track.begin(), track.end(), iv.begin());
    else
        iv = ivcvc3(key, track);
    std::array<std::uint8_t, 4> un;
    std::array<std::uint8_t, 2> atc;
    pack_hex(data[1], un);
    pack_hex(data[2], atc);
    value = cvc3(key, iv, un, atc);
    show_text(2, key_and_check_value(key));
    show_text(3, hex_digits(iv) + " / " + value);
    return true;
}

} // namespace

int cvc3_handler()
{
    std::array<std::string, 4> data; // track, UN, ATC, CVC3 length
    std::string value;
    if (!compute(data, true, value))
        return 0;
    show_text(4, value.substr(value.size() - static_cast<std::size_t>(part_number(data[3]))));
    return 1;
}

int cvc3_verify_handler()
{
    std::array<std::string, 4> data; // track, UN, ATC, CVC3
    std::string value;
    if (!compute(data, false, value))
        return 0;
    show_match("CVC3", value.substr(value.size() - data[3].size()), data[3]);
    return 1;
}
