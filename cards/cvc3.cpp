// cvc3.cpp: IVCVC3 from the track data, and CVC3 from IVCVC3, the unpredictable number and the ATC.
#include "cards/cvc3.h"

#include <algorithm>
#include <vector>

#include "symmetric/des.h"
#include "symmetric/mac_algorithm3.h"
#include "symmetric/triple_des.h"

std::array<std::uint8_t, 2> ivcvc3(std::span<const std::uint8_t, 16> key, std::span<const std::uint8_t> track)
{
    std::vector<std::uint8_t> data(track.begin(), track.end());
    data.push_back(0x80);
    data.resize((data.size() + 7) / 8 * 8, 0x00);
    const std::uint8_t zero_iv[8] = {};
    std::uint8_t mac[8];
    mac_algorithm3(key.data(), zero_iv, data.data(), data.size(), mac);
    return {mac[6], mac[7]};
}

std::string cvc3(std::span<const std::uint8_t, 16> key, std::span<const std::uint8_t, 2> iv,
                 std::span<const std::uint8_t, 4> un, std::span<const std::uint8_t, 2> atc)
{
    std::uint8_t block[8];
    std::copy(iv.begin(), iv.end(), block);
    std::copy(un.begin(), un.end(), block + 2);
    std::copy(atc.begin(), atc.end(), block + 6);
    tdes2_block(DES_ENCRYPT, block, key.data(), block);
    std::string text = std::to_string(block[6] << 8 | block[7]);
    return std::string(5 - text.size(), '0') + text;
}
