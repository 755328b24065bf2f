// arqc_data.h: the elements an ARQC check takes from DE55, found by tag at any depth: the ten common
// elements in their cryptogram order, the IAD, the cryptogram, and the PAN and PSN when sent.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "emv/cryptogram.h"
#include "emv/tlv.h"

struct ArqcElements {
    std::array<std::uint8_t, COMMON_ELEMENTS_BYTES> common{}; // 9F02 9F03 9F1A 95 5F2A 9A 9C 9F37 82 9F36
    std::vector<std::uint8_t> iad;
    std::array<std::uint8_t, 8> arqc{};
    std::string pan, psn; // the digits of 5A and 5F34, "" when not sent
};

// "" or the refusal: a needed tag missing, twice, of the wrong length; a 5A or 5F34 that is not digits.
// 5A and 5F34 are read only when need_pan and need_psn (a typed value wins); neither is required.
std::string collect_arqc_elements(std::span<const std::uint8_t> de55, const TlvReading& reading, bool need_pan, bool need_psn,
                                  ArqcElements& out);
