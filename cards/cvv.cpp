// cvv.cpp: the CVV method: block of PAN, expiry and service code; DES under CVK A of its first half,
// XOR its second half, Triple-DES (A, B, A); the scan decimalisation; the leftmost digits.
#include "cards/cvv.h"

#include "cards/decimalise.h"
#include "symmetric/des.h"
#include "symmetric/triple_des.h"

CvvSteps cvv(std::string_view account, std::string_view expiry, std::string_view service_code,
             std::span<const std::uint8_t, 16> key, std::size_t digits)
{
    CvvSteps steps{};
    std::string text = std::string(account) + std::string(expiry) + std::string(service_code);
    text.resize(32, '0');
    pack_hex(text, steps.block);

    std::uint8_t half[8];
    des_block(DES_ENCRYPT, steps.block.data(), key.data(), half);
    for (int i = 0; i < 8; ++i)
        half[i] ^= steps.block[8 + static_cast<std::size_t>(i)];
    tdes2_block(DES_ENCRYPT, half, key.data(), steps.enciphered.data());

    steps.decimalised = decimalise_scan(hex_digits(steps.enciphered));
    steps.value = steps.decimalised.substr(0, digits);
    return steps;
}

std::string dcvv_account(std::string_view pan, std::span<const std::uint8_t, 2> atc)
{
    return hex_digits(atc) + std::string(pan.substr(4));
}
