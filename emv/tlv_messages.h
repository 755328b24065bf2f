// tlv_messages.h: the refusals of malformed TLV data, each naming the byte offset at fault.
#pragma once

#include <string>

#include "emv/tlv.h"

std::string tlv_message(const TlvReading& reading);
