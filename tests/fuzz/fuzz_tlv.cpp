// fuzz_tlv.cpp: the BER-TLV reader and the ARQC variant search over any bytes. The data is held in a
// buffer of exactly its size, so a read past it stops the run. A reading either names an offset inside
// the data, or accounts for every byte: each object lies within its template (or the data), one after
// the other, and only padding bytes 00 and FF lie between them.
#include <cstring>
#include <memory>
#include <vector>

#include "emv/arqc_data.h"
#include "emv/arqc_variants.h"
#include "emv/element_decoders.h"
#include "emv/tlv.h"
#include "tests/fuzz/fuzz_driver.h"

namespace {

void check_reading(std::span<const std::uint8_t> data, const TlvReading& r)
{
    if (r.error != TlvError::None) {
        FUZZ_CHECK(r.error_offset <= data.size(), "refusal offset past the data");
        return;
    }
    FUZZ_CHECK(!r.objects.empty(), "a reading without objects and without a refusal");
    struct Open {
        std::size_t at, end; // the next byte to account for, and where the template ends
    };
    std::vector<Open> open{{0, data.size()}};
    auto close_until = [&](std::size_t depth) {
        while (open.size() > depth + 1) {
            Open& inner = open.back();
            for (std::size_t i = inner.at; i < inner.end; ++i)
                FUZZ_CHECK(data[i] == 0x00 || data[i] == 0xFF, "unread bytes in a template");
            open.pop_back();
            open.back().at = std::max(open.back().at, inner.end);
        }
    };
    for (const TlvObject& o : r.objects) {
        FUZZ_CHECK(o.depth + 1u <= open.size(), "an object deeper than the templates open");
        close_until(o.depth);
        Open& parent = open.back();
        FUZZ_CHECK(o.offset >= parent.at, "objects out of order");
        for (std::size_t i = parent.at; i < o.offset; ++i)
            FUZZ_CHECK(data[i] == 0x00 || data[i] == 0xFF, "a byte skipped that is not padding");
        FUZZ_CHECK(o.value_offset + o.length <= parent.end, "a value past its template");
        FUZZ_CHECK(o.tag_bytes >= 1 && o.tag_bytes <= 4 && o.value_offset > o.offset + o.tag_bytes - 1, "tag size");
        parent.at = o.value_offset + o.length;
        if (o.constructed) {
            open.push_back({o.value_offset, o.value_offset + o.length});
        } else if (const ElementDecoder decode = element_decoder(o.tag)) {
            Lines lines;
            decode(data.subspan(o.value_offset, o.length), lines);
        }
    }
    close_until(0);
    for (std::size_t i = open.back().at; i < data.size(); ++i)
        FUZZ_CHECK(data[i] == 0x00 || data[i] == 0xFF, "unread bytes at the end");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    auto copy = std::make_unique<std::uint8_t[]>(size);
    if (size)
        std::memcpy(copy.get(), bytes, size);
    const std::span<const std::uint8_t> data(copy.get(), size);
    const TlvReading r = tlv_read(data);
    check_reading(data, r);
    if (r.error != TlvError::None)
        return 0;
    // DE55 as the ARQC check reads it: the elements, and for a complete set the whole variant search.
    ArqcCase c;
    c.pan = "5413330089010434";
    c.psn = "01";
    c.imk.fill(0x11);
    if (collect_arqc_elements(data, r, true, true, c.elements).empty()) {
        if (!c.elements.pan.empty())
            c.pan = c.elements.pan;
        for (const Variant& v : matching_variants(c))
            FUZZ_CHECK(!variant_words(c, v).empty(), "a variant without words");
    }
    return 0;
}
