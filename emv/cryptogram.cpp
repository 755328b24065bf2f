// cryptogram.cpp: the data a cryptogram version MACs, and its padding.
#include "emv/cryptogram.h"

#include <algorithm>

namespace {

// An IAD of at most two parts, each a length byte and that many bytes, ending with the data: the
// Visa formats (06 ..., 1F ...), the CCD (0F ... 0F ...) and Interac. A byte typed too few or too many
// in any element before it moves the IAD, and its length bytes then no longer fit.
bool lengths_fit(std::span<const std::uint8_t> iad)
{
    std::size_t at = 0;
    for (int part = 0; part < 2 && at < iad.size(); ++part)
        at += 1u + iad[at];
    return at == iad.size();
}

} // namespace

std::vector<std::uint8_t> cryptogram_data(const CryptogramVersion& version, std::span<const std::uint8_t> typed)
{
    if (typed.size() <= COMMON_ELEMENTS_BYTES)
        return {};
    const auto iad = typed.subspan(COMMON_ELEMENTS_BYTES);
    std::vector<std::uint8_t> data(typed.begin(), typed.begin() + COMMON_ELEMENTS_BYTES);
    if (version.part_count == 0) {
        if (iad.size() > IAD_MAX_BYTES || (version.iad_lengths && !lengths_fit(iad)))
            return {};
        data.insert(data.end(), iad.begin(), iad.end());
        return data;
    }

    std::size_t parts_bytes = 0, iad_needs = 0;
    for (int i = 0; i < version.part_count; ++i) {
        const IadPart& part = version.parts[static_cast<std::size_t>(i)];
        parts_bytes += part.length;
        iad_needs = std::max<std::size_t>(iad_needs, part.offset + part.length);
    }
    if (iad.size() == parts_bytes) {
        data.insert(data.end(), iad.begin(), iad.end());
        return data;
    }
    if (iad.size() < iad_needs || iad.size() > IAD_MAX_BYTES || (version.iad_lengths && !lengths_fit(iad)))
        return {};
    for (int i = 0; i < version.part_count; ++i) {
        const IadPart& part = version.parts[static_cast<std::size_t>(i)];
        data.insert(data.end(), iad.begin() + part.offset, iad.begin() + part.offset + part.length);
    }
    return data;
}

std::vector<std::uint8_t> mac_padded(std::span<const std::uint8_t> data, MacPadding padding)
{
    std::vector<std::uint8_t> padded(data.begin(), data.end());
    if (padding == MacPadding::Bit)
        padded.push_back(0x80);
    while (padded.empty() || padded.size() % 8 != 0)
        padded.push_back(0);
    return padded;
}
