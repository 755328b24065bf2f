// havege.h: the HAVEGE generator (hardware volatile entropy gathering and expansion), a walk through
// a 32 KiB table mixed with readings of the processor's time-stamp counter.
#pragma once

#include <cstdint>
#include <span>

#include "rsa/random_source.h"

inline constexpr int HAVEGE_POOL_WORDS = 1024;
inline constexpr int HAVEGE_WALK_WORDS = 8192;

struct HavegeState {
    std::int32_t PT1;    // first walk pointer, carried from one fill to the next
    std::int32_t PT2;    // second walk pointer
    std::int32_t offset[2];
    std::int32_t pool[HAVEGE_POOL_WORDS];
    std::int32_t walk[HAVEGE_WALK_WORDS];
};
static_assert(sizeof(HavegeState) == 36880);

// Where the fill takes its counter readings. Null (the default) reads the time-stamp counter;
// tests put a function of their own here.
using HavegeCounter = std::uint32_t (*)();
extern HavegeCounter havege_counter;

// Zeroes the state, then fills it once.
void havege_init(HavegeState* state);
// One collection pass of 4096 steps over the walk table into the pool; offsets become 0 and 512.
void havege_fill(HavegeState* state);
// pool[offset[0]] ^ pool[offset[1]], both offsets stepped; refills first when the pool is spent.
std::int32_t havege_draw(HavegeState* state);

// The draw function and state that key generation hands on.
RandomSource havege_source(HavegeState* state);

// Random bytes for the rows that let the program fill what the user left empty (PIN block fill,
// format-4 random bytes, key block padding): a fresh generator, one byte a draw.
void havege_random_bytes(std::span<std::uint8_t> out);
