// mac_algorithm3.cpp: ISO/IEC 9797-1 MAC algorithm 3, shared by the MAC rows and the EMV cryptograms.
#include "symmetric/mac_algorithm3.h"

#include <cstring>

#include "symmetric/des.h"
#include "symmetric/triple_des.h"

void mac_algorithm3(const std::uint8_t key[16], const std::uint8_t iv[8], const std::uint8_t* data, std::size_t length,
                    std::uint8_t mac[8])
{
    std::uint8_t chain[8];
    std::memcpy(chain, iv, 8);
    for (std::size_t at = 0; at < length; at += 8) {
        for (int i = 0; i < 8; ++i)
            chain[i] ^= data[at + static_cast<std::size_t>(i)];
        if (at + 8 >= length)
            tdes2_block(DES_ENCRYPT, chain, key, chain);
        else
            des_block(DES_ENCRYPT, chain, key, chain);
    }
    std::memcpy(mac, chain, 8);
}
