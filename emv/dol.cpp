// dol.cpp: Data Object Lists: each entry a BER tag and a one-byte length, no values.
#include "emv/dol.h"

#include "emv/tag_names.h"
#include "emv/tlv.h"

std::string dol_read(std::span<const std::uint8_t> dol, std::vector<DolEntry>& entries)
{
    std::size_t at = 0;
    while (at < dol.size()) {
        const std::size_t start = at;
        std::uint32_t tag = dol[at++];
        if ((tag & 0x1F) == 0x1F)
            do {
                if (at >= dol.size())
                    return "DOL truncated at byte " + std::to_string(start) + "!";
                if (at - start >= 4)
                    return "Tag too long at byte " + std::to_string(start) + "!";
                tag = tag << 8 | dol[at];
            } while (dol[at++] & 0x80);
        if (at >= dol.size())
            return "DOL truncated at byte " + std::to_string(at) + "!";
        entries.push_back({tag, static_cast<std::uint8_t>(at - start), dol[at++]});
    }
    return "";
}

std::string dol_lines(std::span<const std::uint8_t> dol, std::span<const std::uint8_t> data, Lines& lines)
{
    std::vector<DolEntry> entries;
    if (std::string refusal = dol_read(dol, entries); !refusal.empty())
        return refusal;
    std::size_t total = 0;
    for (const DolEntry& e : entries)
        total += e.length;
    if (!data.empty() && data.size() != total)
        return std::string(MSG_DATA_NOT_DOL);
    std::size_t at = 0;
    for (const DolEntry& e : entries) {
        char tag[9];
        tlv_tag_hex(e.tag, e.tag_bytes, tag);
        const std::string_view name = tag_name(e.tag);
        std::string line = std::string(tag) + " " + std::string(name.empty() ? "(unknown tag)" : name) + " (" +
                           std::to_string(e.length) + ")";
        if (!data.empty())
            line += ": " + hex(data.subspan(at, e.length));
        at += e.length;
        lines.push_back(line);
    }
    lines.push_back("Total length " + std::to_string(total));
    return "";
}
