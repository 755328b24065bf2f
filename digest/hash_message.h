// hash_message.h: the hashing step of the digest operation: one whole message through the hash
// that a catalogue row names.
#pragma once

#include <cstdint>
#include <span>

inline constexpr int HASH_MAX_BYTES = 64;

// Hashes data with the algorithm of operation id OP_MD5, OP_SHA1, OP_SHA256, OP_SHA384 or OP_SHA512
// and returns the digest length (16, 20, 32, 48 or 64); any other id writes nothing and returns 0.
int hash_message(std::int32_t op_id, std::span<const std::uint8_t> data,
                 std::span<std::uint8_t, HASH_MAX_BYTES> out);
