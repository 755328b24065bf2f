// hmac_sha256.cpp: the AES DUKPT HMAC working key's MAC: the shared HMAC of digest/ over SHA-256.
#include "aes_dukpt/hmac_sha256.h"

#include "digest/hmac.h"

void hmac_sha256(std::span<const std::uint8_t> key, std::span<const std::uint8_t> message,
                 std::span<std::uint8_t, SHA256_DIGEST_BYTES> mac)
{
    hmac(SHA256_HASH, key, message, mac);
}
