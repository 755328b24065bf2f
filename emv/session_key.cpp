// session_key.cpp: session keys from the ICC master key, and the check value shown beside keys.
#include <algorithm>
#include <array>

#include "emv/keys.h"
#include "symmetric/cmac.h"
#include "symmetric/des.h"
#include "symmetric/triple_des.h"

namespace {

using Block = std::array<std::uint8_t, 8>;

// The two halves of a session key: the master key's encipherment of each diversification block.
void encipher_halves(Key16 mk, const Block& left, const Block& right, KeyOut16 sk)
{
    tdes2_block(DES_ENCRYPT, left.data(), mk.data(), sk.data());
    tdes2_block(DES_ENCRYPT, right.data(), mk.data(), sk.data() + 8);
}

} // namespace

void common_session_key(Key16 mk, std::span<const std::uint8_t, 8> r, KeyOut16 sk)
{
    Block f1, f2;
    std::copy(r.begin(), r.end(), f1.begin());
    std::copy(r.begin(), r.end(), f2.begin());
    f1[2] = 0xF0;
    f2[2] = 0x0F;
    encipher_halves(mk, f1, f2, sk);
}

void mastercard_session_key(Key16 mk, std::span<const std::uint8_t, 2> atc, std::span<const std::uint8_t, 4> un,
                            KeyOut16 sk)
{
    const Block left = {atc[0], atc[1], 0xF0, 0x00, un[0], un[1], un[2], un[3]};
    const Block right = {atc[0], atc[1], 0x0F, 0x00, un[0], un[1], un[2], un[3]};
    encipher_halves(mk, left, right, sk);
}

void pboc_session_key(Key16 mk, std::span<const std::uint8_t, 2> atc, KeyOut16 sk)
{
    const Block left = {0, 0, 0, 0, 0, 0, atc[0], atc[1]};
    const Block right = {0, 0, 0, 0, 0, 0, static_cast<std::uint8_t>(~atc[0]), static_cast<std::uint8_t>(~atc[1])};
    encipher_halves(mk, left, right, sk);
}

void key_check_value(Key16 key, std::span<std::uint8_t, 3> kcv)
{
    BlockKey tdes;
    block_key_set(tdes, BlockAlgorithm::Tdes, key.data(), static_cast<int>(key.size()));
    std::uint8_t value[16];
    legacy_check_value(tdes, value);
    std::copy_n(value, kcv.size(), kcv.begin());
}
