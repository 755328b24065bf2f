// tlv.h: the BER-TLV reader of EMV data (EMV 4.3 Book 3 Annex B): tags of one or more bytes, short and
// long lengths, templates read recursively, bytes 00 and FF between objects skipped.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// One object as read, in the order met (a template before what it holds). Offsets count from 0.
struct TlvObject {
    std::uint32_t tag;    // its bytes, big-endian (9F26 -> 0x9F26)
    std::uint8_t tag_bytes;
    bool constructed;     // bit 6 of the first tag byte: a template, its value read as objects
    std::uint16_t depth;  // 0 for objects at the top
    std::size_t offset;   // of the tag
    std::size_t value_offset;
    std::size_t length;
};

enum class TlvError { None, Empty, TruncatedTag, TagTooLong, TruncatedLength, IndefiniteLength, LengthTooLong, ValueBeyondData };

struct TlvReading {
    std::vector<TlvObject> objects;
    TlvError error = TlvError::None;
    std::size_t error_offset = 0; // of the tag, length or value that is wrong
};

// Reads every object of data; stops at the first malformed one.
TlvReading tlv_read(std::span<const std::uint8_t> data);

// The tag written as upper-case hexadecimal ("9F26"); tags have 1 to 4 bytes.
void tlv_tag_hex(std::uint32_t tag, std::uint8_t tag_bytes, char (&out)[9]);
