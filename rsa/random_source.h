// random_source.h: where key generation and the prime search get their random bytes.
#pragma once

#include <cstdint>

// A draw function and the state it draws from; each random byte is the low 8 bits of one draw.
struct RandomSource {
    std::int32_t (*draw)(void* state);
    void* state;
};

inline std::uint8_t random_byte(const RandomSource& source) {
    return static_cast<std::uint8_t>(source.draw(source.state));
}
