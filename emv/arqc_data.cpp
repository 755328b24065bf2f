// arqc_data.cpp: the elements of DE55 an ARQC check needs, each refused by its tag and short name.
#include "emv/arqc_data.h"

#include <algorithm>

#include "emv/text.h"

namespace {

struct Needed {
    std::uint32_t tag;
    const char* hex;
    const char* name;
    std::uint8_t min, max; // value length
};

// The common elements in their order, then the IAD and the cryptogram.
constexpr Needed COMMON[] = {
    {0x9F02, "9F02", "Amount, Authorised", 6, 6}, {0x9F03, "9F03", "Amount, Other", 6, 6},
    {0x9F1A, "9F1A", "Terminal Country Code", 2, 2}, {0x95, "95", "TVR", 5, 5},
    {0x5F2A, "5F2A", "Transaction Currency Code", 2, 2}, {0x9A, "9A", "Transaction Date", 3, 3},
    {0x9C, "9C", "Transaction Type", 1, 1}, {0x9F37, "9F37", "UN", 4, 4},
    {0x82, "82", "AIP", 2, 2}, {0x9F36, "9F36", "ATC", 2, 2},
};
constexpr Needed IAD = {0x9F10, "9F10", "IAD", 1, IAD_MAX_BYTES};
constexpr Needed ARQC = {0x9F26, "9F26", "ARQC", 8, 8};
constexpr Needed PAN = {0x5A, "5A", "PAN", 4, 10};
constexpr Needed PSN = {0x5F34, "5F34", "PSN", 1, 1};

std::string named(const Needed& n) { return std::string("Tag ") + n.hex + " (" + n.name + ")"; }

// The value of the one primitive object with the tag; refuses none (when required), two, or a wrong length.
std::string find(std::span<const std::uint8_t> de55, const TlvReading& r, const Needed& n, bool required,
                 std::span<const std::uint8_t>& value, bool& found)
{
    found = false;
    for (const TlvObject& o : r.objects) {
        if (o.constructed || o.tag != n.tag)
            continue;
        if (found)
            return named(n) + " occurs twice!";
        found = true;
        value = de55.subspan(o.value_offset, o.length);
    }
    if (!found)
        return required ? named(n) + " missing!" : "";
    if (value.size() < n.min || value.size() > n.max)
        return named(n) + " has the wrong length!";
    return "";
}

// Packed decimal digits up to the first F nibble; "" when a nibble is not a digit or F pads the middle.
std::string digits(std::span<const std::uint8_t> packed)
{
    std::string out;
    bool ended = false;
    for (std::uint8_t b : packed)
        for (int nibble : {b >> 4, b & 15}) {
            if (nibble == 15)
                ended = true;
            else if (ended || nibble > 9)
                return "";
            else
                out.push_back(static_cast<char>('0' + nibble));
        }
    return out;
}

} // namespace

std::string collect_arqc_elements(std::span<const std::uint8_t> de55, const TlvReading& r, bool need_pan, bool need_psn,
                                  ArqcElements& out)
{
    std::span<const std::uint8_t> value;
    bool found = false;
    std::size_t at = 0;
    for (const Needed& n : COMMON) {
        if (std::string refusal = find(de55, r, n, true, value, found); !refusal.empty())
            return refusal;
        std::copy(value.begin(), value.end(), out.common.begin() + static_cast<std::ptrdiff_t>(at));
        at += value.size();
    }
    if (std::string refusal = find(de55, r, IAD, true, value, found); !refusal.empty())
        return refusal;
    out.iad.assign(value.begin(), value.end());
    if (std::string refusal = find(de55, r, ARQC, true, value, found); !refusal.empty())
        return refusal;
    std::copy(value.begin(), value.end(), out.arqc.begin());
    if (need_pan) {
        if (std::string refusal = find(de55, r, PAN, false, value, found); !refusal.empty())
            return refusal;
        if (found && ((out.pan = digits(value)).size() < 8 || out.pan.size() > 19))
            return named(PAN) + " is not a PAN!";
    }
    if (!need_psn)
        return "";
    if (std::string refusal = find(de55, r, PSN, false, value, found); !refusal.empty())
        return refusal;
    if (found && (out.psn = digits(value)).size() != 2)
        return named(PSN) + " is not a PSN!";
    return "";
}
