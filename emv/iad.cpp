// iad.cpp: the formats of the Issuer Application Data, from the schemes' public descriptions.
#include "emv/iad.h"

#include <algorithm>
#include <array>

#include "emv/cryptogram.h"

namespace {

// Positions in CRYPTOGRAM_VERSIONS.
enum : int { VISA_10, VISA_18, VISA_22, MC_16, MC_17, MC_20, MC_21, INTERAC_133, CCD_5 };

std::span<const std::uint8_t> part(std::span<const std::uint8_t> iad, std::size_t at, std::size_t length)
{
    if (at >= iad.size())
        return {};
    return iad.subspan(at, std::min(length, iad.size() - at));
}

const char* format_name(IadFormat f)
{
    switch (f) {
    case IadFormat::Ccd: return "Common Core Definitions, format A";
    case IadFormat::Visa2: return "Visa format 2";
    case IadFormat::Visa: return "Visa format 0, 1 or 3";
    case IadFormat::Interac: return "Interac";
    case IadFormat::Mastercard: return "Mastercard M/Chip";
    case IadFormat::Unknown: break;
    }
    return "";
}

} // namespace

IadFields read_iad(std::span<const std::uint8_t> iad)
{
    IadFields f;
    const std::size_t n = iad.size();
    if (n == 32 && iad[0] == 0x0F && iad[1] >> 4 == 0xA) {
        f = {IadFormat::Ccd, iad[2], static_cast<std::uint8_t>(iad[1] & 15), iad.subspan(3, 5), {}, iad.subspan(8, 8),
             part(iad, 17, iad[16])};
        f.version = f.cvn == 5 ? CCD_5 : -1;
    } else if (n == 32 && iad[0] == 0x1F) {
        f = {IadFormat::Visa2, iad[2], iad[1], iad.subspan(3, 5), {}, {}, iad.subspan(8)};
        f.version = f.cvn == 0x22 ? VISA_22 : -1;
    } else if (n >= 7 && iad[0] == 0x06) {
        f = {IadFormat::Visa, iad[1], iad[2], iad.subspan(3, 4), {}, {}, n > 7 ? part(iad, 8, iad[7]) : iad.subspan(7)};
        f.version = f.cvn == 0x0A ? VISA_10 : f.cvn == 0x12 ? VISA_18 : f.cvn == 0x22 ? VISA_22 : -1;
    } else if (n >= 3 && iad[2] == 0x85) {
        f = {IadFormat::Interac, iad[1], iad[2], {}, {}, {}, iad.subspan(3)};
        f.version = INTERAC_133;
    } else if (n >= 8 && (iad[1] == 0x10 || iad[1] == 0x11 || iad[1] == 0x14 || iad[1] == 0x15)) {
        f = {IadFormat::Mastercard, iad[0], iad[1], iad.subspan(2, 6), part(iad, 8, 2), part(iad, 10, 8), part(iad, 18, 32)};
        constexpr std::array<int, 6> BY_CVN = {MC_16, MC_17, -1, -1, MC_20, MC_21};
        f.version = BY_CVN[iad[1] - 0x10u];
    }
    return f;
}

std::string_view iad_lines(std::span<const std::uint8_t> iad, Lines& lines)
{
    const IadFields f = read_iad(iad);
    if (f.format == IadFormat::Unknown)
        return "IAD format not recognised!";
    std::string line = std::string(format_name(f.format)) + ": DKI " + hex(std::span(&f.dki, 1)) + ", CVN " +
                       (f.format == IadFormat::Ccd ? std::to_string(f.cvn) : hex(std::span(&f.cvn, 1)));
    if (!f.cvr.empty())
        line += ", CVR " + hex(f.cvr);
    lines.push_back(line);
    if (!f.dac.empty())
        lines.push_back("DAC/ICC dynamic number " + hex(f.dac));
    if (!f.counters.empty())
        lines.push_back("Counters " + hex(f.counters));
    if (!f.idd.empty())
        lines.push_back((f.format == IadFormat::Interac ? "Data " : "Issuer discretionary data ") + hex(f.idd));
    if (f.version >= 0)
        lines.push_back(std::string("Cryptogram version: ") + (CRYPTOGRAM_VERSIONS[f.version].row + 15));
    return "";
}
