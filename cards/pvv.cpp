// pvv.cpp: Visa PVV: TSP, Triple-DES under the PVK, scan decimalisation to 4 digits.
#include "cards/pvv.h"

#include "cards/decimalise.h"
#include "symmetric/des.h"
#include "symmetric/triple_des.h"

std::string pvv_tsp(std::string_view pan, std::string_view pvki, std::string_view pin)
{
    const std::string_view account = pan.substr(0, pan.size() - 1);
    return std::string(account.substr(account.size() - 11)) + std::string(pvki) + std::string(pin.substr(0, 4));
}

PvvSteps pvv(std::string_view pan, std::string_view pvki, std::string_view pin, std::span<const std::uint8_t, 16> pvk)
{
    PvvSteps steps{};
    steps.tsp = pvv_tsp(pan, pvki, pin);
    std::uint8_t block[8];
    pack_hex(steps.tsp, block);
    tdes2_block(DES_ENCRYPT, block, pvk.data(), steps.enciphered.data());
    steps.value = decimalise_scan(hex_digits(steps.enciphered)).substr(0, 4);
    return steps;
}
