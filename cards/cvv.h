// cvv.h: the card verification value method (Visa CVV, CVV2, iCVV; Mastercard CVC1, CVC2), and the
// Visa dCVV, which runs it under the ICC master key with the ATC in place of the PAN's first digits.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

struct CvvSteps {
    std::array<std::uint8_t, 16> block;     // PAN, expiry, service code, zero filled
    std::array<std::uint8_t, 8> enciphered; // the block after the DES and Triple-DES steps
    std::string decimalised;                // all 16 digits of the scan
    std::string value;                      // its leftmost digits
};

// account: the PAN's digits (or, for dCVV, its altered form; hexadecimal digits), at most 25 of them;
// expiry: 4 digits; service code: 3 digits; key: CVK A || CVK B; digits: how many to keep (3 to 5).
CvvSteps cvv(std::string_view account, std::string_view expiry, std::string_view service_code,
             std::span<const std::uint8_t, 16> key, std::size_t digits);

// The account of the dCVV block: the ATC's four hexadecimal digits, then the PAN less its first four.
std::string dcvv_account(std::string_view pan, std::span<const std::uint8_t, 2> atc);
