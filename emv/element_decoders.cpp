// element_decoders.cpp: which decoder explains which tag: the bit tables, the CVM List and Results,
// the IAD, the DOLs and the format 1 response template (80).
#include "emv/element_decoders.h"

#include "emv/bit_tables.h"
#include "emv/cvm.h"
#include "emv/dol.h"
#include "emv/iad.h"

namespace {

inline constexpr const char* MSG_VALUE_LENGTH = "Value length does not fit the tag!";

template <const BitTable& table>
std::string bits(std::span<const std::uint8_t> value, Lines& lines)
{
    if (value.size() != table.bytes)
        return MSG_VALUE_LENGTH;
    bit_lines(table, value, lines);
    return "";
}

std::string cvm_list(std::span<const std::uint8_t> value, Lines& lines) { return std::string(cvm_list_lines(value, lines)); }
std::string cvm_results(std::span<const std::uint8_t> value, Lines& lines) { return std::string(cvm_results_lines(value, lines)); }
std::string iad(std::span<const std::uint8_t> value, Lines& lines) { return std::string(iad_lines(value, lines)); }
std::string dol(std::span<const std::uint8_t> value, Lines& lines) { return dol_lines(value, {}, lines); }

// Format 1 (EMV 4.3 Book 3 6.5.5.4 and 6.5.8.4): the template does not say which command answered, so
// each reading its length allows is shown.
std::string format1(std::span<const std::uint8_t> value, Lines& lines)
{
    const std::size_t n = value.size(), before = lines.size();
    if (n >= 2 && (n - 2) % 4 == 0) {
        std::string afl;
        for (std::size_t i = 2; i < n; i += 4)
            afl += hex(value.subspan(i, 4));
        lines.push_back("As GET PROCESSING OPTIONS: AIP " + hex(value.first(2)) + ", AFL " + (afl.empty() ? "none" : afl));
    }
    if (n >= 11)
        lines.push_back("As GENERATE AC: CID " + hex(value.first(1)) + ", ATC " + hex(value.subspan(1, 2)) + ", AC " +
                        hex(value.subspan(3, 8)) + (n > 11 ? ", IAD " + hex(value.subspan(11)) : ""));
    if (lines.size() == before)
        return MSG_VALUE_LENGTH;
    return "";
}

struct Decoder {
    std::uint32_t tag;
    ElementDecoder decode;
};

constexpr Decoder DECODERS[] = {
    {0x80, format1},          {0x82, bits<AIP_BITS>},   {0x8C, dol},         {0x8D, dol},
    {0x8E, cvm_list},         {0x95, bits<TVR_BITS>},   {0x97, dol},         {0x9B, bits<TSI_BITS>},
    {0x9F07, bits<AUC_BITS>}, {0x9F10, iad},            {0x9F34, cvm_results}, {0x9F38, dol},
    {0x9F49, dol},            {0x9F66, bits<TTQ_BITS>}, {0x9F6C, bits<CTQ_BITS>},
};

} // namespace

ElementDecoder element_decoder(std::uint32_t tag)
{
    for (const Decoder& d : DECODERS)
        if (d.tag == tag)
            return d.decode;
    return nullptr;
}
