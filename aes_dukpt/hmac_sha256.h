// hmac_sha256.h: HMAC-SHA-256 (RFC 2104, FIPS 198-1) over the workbench's SHA-256.
#pragma once

#include <cstdint>
#include <span>

#include "digest/sha256.h"

void hmac_sha256(std::span<const std::uint8_t> key, std::span<const std::uint8_t> message,
                 std::span<std::uint8_t, SHA256_DIGEST_BYTES> mac);
