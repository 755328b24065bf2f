// havege.cpp: the HAVEGE collection pass and the draws from its pool.
#include "rsa/havege.h"

#include <memory>

#include <atomic>
#include <cstring>

#if defined(__i386__) || defined(__x86_64__)
#include <x86intrin.h>
#else
#include <chrono>
#endif

HavegeCounter havege_counter = nullptr;

namespace {

// The low 32 bits of the time-stamp counter. The fences keep the compiler from moving the reading
// across the table accesses around it, or merging two readings into one.
struct TimeStampCounter {
    std::uint32_t operator()() const {
        std::atomic_signal_fence(std::memory_order_seq_cst);
#if defined(__i386__) || defined(__x86_64__)
        const auto value = static_cast<std::uint32_t>(__rdtsc());
#else
        // No time-stamp counter here: a high-resolution clock read at the same points.
        const auto value = static_cast<std::uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count());
#endif
        std::atomic_signal_fence(std::memory_order_seq_cst);
        return value;
    }
};

struct HookCounter {
    std::uint32_t operator()() const { return havege_counter(); }
};

// Arithmetic right shift and a left shift that drops the bits shifted out, on signed words.
inline std::int32_t mix(std::int32_t x, int right, std::int32_t clk) {
    return (x >> right) ^ static_cast<std::int32_t>(static_cast<std::uint32_t>(x) << (32 - right)) ^ clk;
}

// Up to 12 times, while test is odd: test = (test ^ 3) >> 1 and count once more.
inline std::int32_t run_down(std::int32_t test, std::int32_t& count) {
    for (int i = 0; i < 12 && (test & 1); ++i) {
        test = (test ^ 3) >> 1;
        ++count;
    }
    return test;
}

template <class Counter>
void collect(HavegeState* h, Counter counter) {
    std::int32_t* const walk = h->walk;
    std::int32_t pt1 = h->PT1, pt2 = h->PT2;
    std::int32_t u1 = 0, u2 = 0, pty = 0;
    std::int32_t res[16] = {};
    int n = 0;

    for (int step = 0; step < 4 * HAVEGE_POOL_WORDS; ++step) {
        std::int32_t ptest = run_down(pt1 >> 20, u1);
        const std::int32_t ptx = (pt1 >> 18) & 7;
        pt1 &= 0x1FFF;
        pt2 &= 0x1FFF;
        std::int32_t clk = static_cast<std::int32_t>(counter());
        std::int32_t in;

        std::int32_t *a = &walk[pt1], *b = &walk[pt2], *c = &walk[pt1 ^ 1], *d = &walk[pt2 ^ 4];
        res[0] ^= *a, res[1] ^= *b, res[2] ^= *c, res[3] ^= *d;
        in = mix(*a, 1, clk);
        *a = mix(*b, 2, clk);
        *b = in ^ u1;
        *c = mix(*c, 3, clk);
        *d = mix(*d, 4, clk);

        a = &walk[pt1 ^ 2], b = &walk[pt2 ^ 2], c = &walk[pt1 ^ 3], d = &walk[pt2 ^ 6];
        res[4] ^= *a, res[5] ^= *b, res[6] ^= *c, res[7] ^= *d;
        if (ptest & 1) {
            std::int32_t* swap = a;
            a = c;
            c = swap;
        }
        in = mix(*a, 5, clk);
        *a = mix(*b, 6, clk);
        *b = in;
        clk = static_cast<std::int32_t>(counter()); // the step's second reading
        *c = mix(*c, 7, clk);
        *d = mix(*d, 8, clk);

        a = &walk[pt1 ^ 4], b = &walk[pt2 ^ 1];
        ptest = pt2 >> 1;
        pt2 = res[pty] ^ walk[pt2 ^ pty ^ 7];
        pt2 = (pt2 & 0x1FF7) ^ ((pt1 ^ 8) & 8);
        pty = (pt2 >> 10) & 7;
        run_down(ptest, u2);

        c = &walk[pt1 ^ 5], d = &walk[pt2 ^ 5];
        res[8] ^= *a, res[9] ^= *b, res[10] ^= *c, res[11] ^= *d;
        in = mix(*a, 9, clk);
        *a = mix(*b, 10, clk);
        *b = in ^ u2;
        *c = mix(*c, 11, clk);
        *d = mix(*d, 12, clk);

        a = &walk[pt1 ^ 6], b = &walk[pt2 ^ 3], c = &walk[pt1 ^ 7], d = &walk[pt2 ^ 7];
        res[12] ^= *a, res[13] ^= *b, res[14] ^= *c, res[15] ^= *d;
        in = mix(*a, 13, clk);
        *a = mix(*b, 14, clk);
        *b = in;
        *c = mix(*c, 15, clk);
        *d = mix(*d, 16, clk);

        pt1 = (res[ptx ^ 8] ^ walk[pt1 ^ ptx ^ 7]) & ~1;
        pt1 ^= (pt2 ^ 0x10) & 0x10;

        ++n;
        std::int32_t folded = 0;
        for (std::int32_t word : res)
            folded ^= word;
        h->pool[n % HAVEGE_POOL_WORDS] ^= folded;
    }

    h->PT1 = pt1;
    h->PT2 = pt2;
    h->offset[0] = 0;
    h->offset[1] = HAVEGE_POOL_WORDS / 2;
}

std::int32_t draw_from(void* state) { return havege_draw(static_cast<HavegeState*>(state)); }

} // namespace

void havege_fill(HavegeState* state) {
    if (havege_counter)
        collect(state, HookCounter{});
    else
        collect(state, TimeStampCounter{});
}

void havege_init(HavegeState* state) {
    std::memset(state, 0, sizeof *state);
    havege_fill(state);
}

std::int32_t havege_draw(HavegeState* state) {
    if (state->offset[1] >= HAVEGE_POOL_WORDS)
        havege_fill(state);
    const std::int32_t value = state->pool[state->offset[0]] ^ state->pool[state->offset[1]];
    ++state->offset[0];
    ++state->offset[1];
    return value;
}

RandomSource havege_source(HavegeState* state) { return {draw_from, state}; }

void havege_random_bytes(std::span<std::uint8_t> out)
{
    const auto state = std::make_unique<HavegeState>();
    havege_init(state.get());
    for (std::uint8_t& byte : out)
        byte = static_cast<std::uint8_t>(havege_draw(state.get()));
}
