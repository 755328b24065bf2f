// tlv_messages.cpp: one message per rule of the TLV reader.
#include "emv/tlv_messages.h"

std::string tlv_message(const TlvReading& r)
{
    const std::string at = std::to_string(r.error_offset);
    switch (r.error) {
    case TlvError::None: return "";
    case TlvError::Empty: return "No TLV data: empty or padding only!";
    case TlvError::TruncatedTag:
    case TlvError::TruncatedLength: return "TLV truncated at byte " + at + "!";
    case TlvError::TagTooLong: return "Tag too long at byte " + at + "!";
    case TlvError::IndefiniteLength: return "Indefinite length at byte " + at + "!";
    case TlvError::LengthTooLong: return "Length field too long at byte " + at + "!";
    case TlvError::ValueBeyondData: return "Value at byte " + at + " runs past the data!";
    }
    return "";
}
