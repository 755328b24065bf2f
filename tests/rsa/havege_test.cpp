// The HAVEGE generator: deterministic under a constant counter, its offsets and refill, and real
// counter readings making two generators differ.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <utility>
#include <vector>

#include "rsa/havege.h"

namespace {

std::uint32_t constant_a() { return 0x5A5A1234; }
std::uint32_t constant_b() { return 0x5A5A1235; }

// n draws of a new generator reading this counter (null: the time-stamp counter); states kept off the stack.
std::vector<std::int32_t> stream(HavegeCounter counter, int n) {
    const auto state = std::make_unique<HavegeState>();
    havege_counter = counter;
    havege_init(state.get());
    std::vector<std::int32_t> out(static_cast<std::size_t>(n));
    for (auto& x : out)
        x = havege_draw(state.get());
    havege_counter = nullptr;
    return out;
}

} // namespace

TEST(Havege, ConstantCounterIsDeterministicAndRealReadingsDiffer)
{
    EXPECT_EQ(stream(constant_a, 1500), stream(constant_a, 1500)) << "three fills, the same readings";
    EXPECT_NE(stream(constant_a, 16), stream(constant_b, 16)) << "one bit of difference in the readings";
    EXPECT_NE(stream(nullptr, 64), stream(nullptr, 64)) << "two generators on the time-stamp counter";
}

TEST(Havege, OffsetsAndRefill)
{
    const auto first = std::make_unique<HavegeState>(), second = std::make_unique<HavegeState>();
    const auto offsets = [&] { return std::pair{first->offset[0], first->offset[1]}; };
    havege_counter = constant_a;
    havege_init(first.get());
    EXPECT_EQ(offsets(), std::pair(0, 512));
    // Each draw pairs a word of the first half with the word 512 places further on.
    std::vector<std::int32_t> expected, drawn;
    for (int i = 0; i < 512; ++i) {
        expected.push_back(first->pool[i] ^ first->pool[i + 512]);
        drawn.push_back(havege_draw(first.get()));
    }
    EXPECT_EQ(drawn, expected);
    EXPECT_EQ(offsets(), std::pair(512, 1024));
    // The 513th draw fills first, then returns pool[0] ^ pool[512] of the refilled pool.
    std::memcpy(second.get(), first.get(), sizeof(HavegeState));
    havege_fill(second.get());
    EXPECT_EQ(havege_draw(first.get()), second->pool[0] ^ second->pool[512]);
    EXPECT_EQ(offsets(), std::pair(1, 513));
    EXPECT_EQ(std::memcmp(first->pool, second->pool, sizeof first->pool), 0);
    havege_counter = nullptr;
}
