// inputs.h: the inputs the AES DUKPT rows share: the KSN (with an optional key type after it), the
// BDK or initial key of field 2, and the rules they must keep, each refusal with its own message.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/messages.h"
#include "aes_dukpt/derivation.h"

inline constexpr std::string_view MSG_COUNTER_BITS = "KSN counter has more than 16 one-bits!";
inline constexpr std::string_view MSG_COUNTER_ZERO = "KSN counter zero is no transaction!";
inline constexpr std::string_view MSG_COUNTER_EXHAUSTED = "KSN counter exhausted!";
inline constexpr std::string_view MSG_KEY_TYPE = "Invalid key type!";
inline constexpr std::string_view MSG_KEY_USAGE = "Invalid key usage!";
inline constexpr std::string_view MSG_KEY_STRONGER = "Working key stronger than the BDK!";

enum class ZeroCounter { Allowed, Refused };
// Which counters pass: those a device uses (at most 16 one-bits), those and the update key's (all ones), or any.
enum class CounterBits { Device, DeviceOrUpdateKey, Any };

struct KsnInput {
    std::uint8_t ksn[AES_DUKPT_KSN_BYTES];
    std::uint32_t counter;
    bool type_given;  // two bytes after the KSN name the working key type
    KeyType type;
};

// Reads the KSN of field index: 12 bytes, or 14 when a key type may follow it; the counter rules.
// The update key's counter (all ones) passes with DeviceOrUpdateKey; its row checks the usage.
bool load_ksn(int index, bool type_may_follow, ZeroCounter zero, KsnInput& ksn, CounterBits bits = CounterBits::Device);

// Reads field 2, an AES BDK or (with "Use IK" ticked) the initial key, and gives the initial key.
bool load_initial_key(const KsnInput& ksn, DukptKey& initial);

// The working key type: the one after the KSN, or else the initial key's own; refused (on field
// ksn_index) when it is stronger than the initial key.
bool settle_key_type(int ksn_index, KsnInput& ksn, const DukptKey& initial);

