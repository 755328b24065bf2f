// tlv_handlers.cpp: the rows "EMV TLV decode" (every object of a TLV string, one line each, indented by
// depth, known values explained below them) and "EMV data element decode" (one value given its tag).
#include <string>
#include <vector>

#include "core/field.h"
#include "core/messages.h"
#include "emv/decoded_objects.h"
#include "emv/dol.h"
#include "emv/element_decoders.h"
#include "emv/handlers.h"
#include "emv/tag_names.h"
#include "emv/tlv.h"
#include "emv/tlv_messages.h"

namespace {

std::vector<DecodedObject> decoded;

constexpr std::string_view MSG_TOO_LONG = "Too much to show: decode a part of the data!";

} // namespace

std::span<const DecodedObject> last_decoded_objects() { return decoded; }

int emv_tlv_decode_handler()
{
    decoded.clear();
    if (!field_load(0, 0, 1))
        return 0;
    const auto data = field_bytes(0);
    const TlvReading r = tlv_read(data);
    if (r.error != TlvError::None) {
        show_field_error(0, tlv_message(r));
        return 0;
    }
    Lines lines;
    std::vector<DecodedObject> objects;
    for (const TlvObject& o : r.objects) {
        char tag[9];
        tlv_tag_hex(o.tag, o.tag_bytes, tag);
        const std::string_view name = tag_name(o.tag);
        const auto value = data.subspan(o.value_offset, o.length);
        objects.push_back({tag, std::string(name), o.length, hex(value), o.depth, o.constructed});
        const std::string indent(2u * o.depth, ' ');
        std::string line = indent + tag + " " + std::string(name.empty() ? "(unknown tag)" : name) + " (" +
                           std::to_string(o.length) + ")";
        if (!o.constructed && o.length > 0)
            line += ": " + objects.back().value;
        lines.push_back(line);
        const ElementDecoder decode = o.constructed ? nullptr : element_decoder(o.tag);
        if (!decode)
            continue;
        Lines explained;
        if (const std::string refusal = decode(value, explained); !refusal.empty())
            explained = {"not decoded: " + refusal};
        for (const std::string& e : explained)
            lines.push_back(indent + "  - " + e);
    }
    const std::string text = join_lines(lines);
    if (static_cast<int>(text.size()) > field_capacity(4)) {
        show_field_error(0, MSG_TOO_LONG);
        return 0;
    }
    decoded = std::move(objects);
    show_text(4, text);
    return 1;
}

int emv_element_decode_handler()
{
    if (!field_load(0, 0, 1) || !field_load(1, 0, 1) || !field_load(2, 0, 1))
        return 0;
    const auto tag_bytes = field_bytes(0);
    // The tag must be one whole BER tag: read it with an empty length after it.
    std::vector<std::uint8_t> probe(tag_bytes.begin(), tag_bytes.end());
    probe.push_back(0);
    const TlvReading r = tlv_read(probe);
    if (r.error != TlvError::None || r.objects.size() != 1 || r.objects[0].offset != 0 ||
        r.objects[0].tag_bytes != tag_bytes.size()) {
        show_field_error(0, "Invalid tag!");
        return 0;
    }
    const std::uint32_t tag = r.objects[0].tag;
    const ElementDecoder decode = element_decoder(tag);
    if (!decode) {
        show_field_error(0, "No decoder for this tag!");
        return 0;
    }
    const bool dol = decode == element_decoder(0x8C);
    if (!dol && g_field[2].length > 0) {
        show_field_error(2, "Data goes with a DOL only!");
        return 0;
    }
    Lines lines;
    const std::string refusal = dol ? dol_lines(field_bytes(1), field_bytes(2), lines) : decode(field_bytes(1), lines);
    if (!refusal.empty()) {
        show_field_error(refusal == MSG_DATA_NOT_DOL ? 2 : 1, refusal);
        return 0;
    }
    show_text(4, join_lines(lines));
    return 1;
}
