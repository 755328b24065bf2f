// hmac.h: HMAC (RFC 2104, FIPS 198-1) over any hash of hash_functions.h.
#pragma once

#include <cstdint>
#include <span>

#include "digest/hash_functions.h"

inline constexpr int HMAC_MAX_BYTES = 64;

// H((K ^ opad) || H((K ^ ipad) || message)); a key longer than the hash's block is hashed first.
// mac receives hash.digest_bytes bytes.
void hmac(const HashFunction& hash, std::span<const std::uint8_t> key, std::span<const std::uint8_t> message,
          std::span<std::uint8_t> mac);
