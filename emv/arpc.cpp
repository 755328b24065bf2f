// arpc.cpp: ARPC methods 1 and 2.
#include "emv/arpc.h"

#include <algorithm>
#include <vector>

#include "emv/cryptogram.h"
#include "symmetric/des.h"
#include "symmetric/mac_algorithm3.h"
#include "symmetric/triple_des.h"

std::array<std::uint8_t, 8> arpc_method1(std::span<const std::uint8_t, 16> key, std::span<const std::uint8_t, 8> arqc,
                                         std::span<const std::uint8_t, 2> arc)
{
    std::array<std::uint8_t, 8> block;
    std::copy(arqc.begin(), arqc.end(), block.begin());
    block[0] ^= arc[0];
    block[1] ^= arc[1];
    tdes2_block(DES_ENCRYPT, block.data(), key.data(), block.data());
    return block;
}

std::array<std::uint8_t, 4> arpc_method2(std::span<const std::uint8_t, 16> key, std::span<const std::uint8_t, 8> arqc,
                                         std::span<const std::uint8_t, 4> csu, std::span<const std::uint8_t> proprietary)
{
    std::vector<std::uint8_t> data(arqc.begin(), arqc.end());
    data.insert(data.end(), csu.begin(), csu.end());
    data.insert(data.end(), proprietary.begin(), proprietary.end());
    const auto padded = mac_padded(data, MacPadding::Bit);
    const std::uint8_t zero_iv[8] = {};
    std::array<std::uint8_t, 8> mac;
    mac_algorithm3(key.data(), zero_iv, padded.data(), padded.size(), mac.data());
    return {mac[0], mac[1], mac[2], mac[3]};
}
