// tlv.cpp: the BER-TLV reader. Templates are read without recursion: a stack of the ends of the
// templates open around the reading position.
#include "emv/tlv.h"

namespace {

constexpr bool is_padding(std::uint8_t b) { return b == 0x00 || b == 0xFF; }

} // namespace

TlvReading tlv_read(std::span<const std::uint8_t> data)
{
    TlvReading r;
    std::vector<std::size_t> ends{data.size()}; // the innermost open template ends at ends.back()
    std::size_t at = 0;
    auto fail = [&](TlvError error, std::size_t offset) {
        r.error = error;
        r.error_offset = offset;
        return r;
    };
    while (true) {
        while (ends.size() > 1 && at >= ends.back())
            ends.pop_back();
        const std::size_t end = ends.back();
        if (at >= end)
            break;
        if (is_padding(data[at])) {
            ++at;
            continue;
        }
        TlvObject o{};
        o.offset = at;
        o.depth = static_cast<std::uint16_t>(ends.size() - 1);
        o.constructed = (data[at] & 0x20) != 0;
        std::uint32_t tag = data[at++];
        if ((tag & 0x1F) == 0x1F) {
            do {
                if (at >= end)
                    return fail(TlvError::TruncatedTag, o.offset);
                if (at - o.offset >= 4)
                    return fail(TlvError::TagTooLong, o.offset);
                tag = tag << 8 | data[at];
            } while (data[at++] & 0x80);
        }
        o.tag = tag;
        o.tag_bytes = static_cast<std::uint8_t>(at - o.offset);

        const std::size_t length_at = at;
        if (at >= end)
            return fail(TlvError::TruncatedLength, length_at);
        std::size_t length = data[at++];
        if (length == 0x80)
            return fail(TlvError::IndefiniteLength, length_at);
        if (length > 0x82)
            return fail(TlvError::LengthTooLong, length_at);
        if (length > 0x80) {
            const std::size_t count = length & 0x7F;
            if (end - at < count)
                return fail(TlvError::TruncatedLength, length_at);
            length = 0;
            for (std::size_t i = 0; i < count; ++i)
                length = length << 8 | data[at++];
        }
        o.value_offset = at;
        o.length = length;
        if (end - at < length)
            return fail(TlvError::ValueBeyondData, at);
        r.objects.push_back(o);
        if (o.constructed)
            ends.push_back(at + length); // its objects are read next
        else
            at += length;
    }
    if (r.objects.empty())
        return fail(TlvError::Empty, 0);
    return r;
}

void tlv_tag_hex(std::uint32_t tag, std::uint8_t tag_bytes, char (&out)[9])
{
    constexpr char HEX[] = "0123456789ABCDEF";
    int n = 0;
    for (int i = tag_bytes - 1; i >= 0; --i) {
        const std::uint8_t b = static_cast<std::uint8_t>(tag >> (8 * i));
        out[n++] = HEX[b >> 4];
        out[n++] = HEX[b & 15];
    }
    out[n] = 0;
}
