// element_decoders.h: the value of a known EMV data element explained in words, one line a meaning.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "emv/text.h"

// Writes the lines explaining value; returns "" or the refusal of a value that does not fit its tag.
using ElementDecoder = std::string (*)(std::span<const std::uint8_t> value, Lines& lines);

// The decoder of a tag; nullptr for a tag explained by its name alone.
ElementDecoder element_decoder(std::uint32_t tag);
