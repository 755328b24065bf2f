// triple_des.cpp: the EDE composition of three single-DES calls.
#include "symmetric/triple_des.h"

#include "symmetric/des.h"

void tdes_block(unsigned direction, const std::uint8_t input[8], const std::uint8_t k1[8],
                const std::uint8_t k2[8], const std::uint8_t k3[8], std::uint8_t output[8]) {
    std::uint8_t block[8];
    if (direction == DES_ENCRYPT) {
        des_block(DES_ENCRYPT, input, k1, block);
        des_block(DES_DECRYPT, block, k2, block);
        des_block(DES_ENCRYPT, block, k3, output);
    } else {
        des_block(DES_DECRYPT, input, k3, block);
        des_block(DES_ENCRYPT, block, k2, block);
        des_block(DES_DECRYPT, block, k1, output);
    }
}
