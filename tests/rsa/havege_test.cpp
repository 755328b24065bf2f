// The HAVEGE generator: deterministic under a constant counter, its offsets and refill, and real
// counter readings making two generators differ.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "rsa/havege.h"

namespace {

std::uint32_t constant_a() { return 0x5A5A1234; }
std::uint32_t constant_b() { return 0x5A5A1235; }

std::vector<std::int32_t> stream(HavegeState* state, int draws) {
    std::vector<std::int32_t> out;
    for (int i = 0; i < draws; ++i)
        out.push_back(havege_draw(state));
    return out;
}

class Havege : public ::testing::Test {
protected:
    // The states are large: kept off the stack.
    std::unique_ptr<HavegeState> first = std::make_unique<HavegeState>();
    std::unique_ptr<HavegeState> second = std::make_unique<HavegeState>();
    void TearDown() override { havege_counter = nullptr; }
};

} // namespace

TEST_F(Havege, ConstantCounterMakesTheStreamDeterministic)
{
    havege_counter = constant_a;
    havege_init(first.get());
    havege_init(second.get());
    EXPECT_EQ(stream(first.get(), 1500), stream(second.get(), 1500)) << "three fills, the same readings";

    havege_counter = constant_b;
    havege_init(second.get());
    havege_counter = constant_a;
    havege_init(first.get());
    EXPECT_NE(stream(first.get(), 16), stream(second.get(), 16)) << "one bit of difference in the readings";
}

TEST_F(Havege, OffsetsAndRefill)
{
    havege_counter = constant_a;
    havege_init(first.get());
    EXPECT_EQ(first->offset[0], 0);
    EXPECT_EQ(first->offset[1], 512);
    // Each draw pairs a word of the first half with the word 512 places further on.
    for (int i = 0; i < 512; ++i)
        ASSERT_EQ(havege_draw(first.get()), first->pool[i] ^ first->pool[i + 512]) << i;
    EXPECT_EQ(first->offset[0], 512);
    EXPECT_EQ(first->offset[1], 1024);

    // The 513th draw fills first, then returns pool[0] ^ pool[512] of the refilled pool.
    std::memcpy(second.get(), first.get(), sizeof(HavegeState));
    havege_fill(second.get());
    const std::int32_t expected = second->pool[0] ^ second->pool[512];
    EXPECT_EQ(havege_draw(first.get()), expected);
    EXPECT_EQ(first->offset[0], 1);
    EXPECT_EQ(first->offset[1], 513);
    EXPECT_EQ(std::memcmp(first->pool, second->pool, sizeof first->pool), 0);
}

TEST_F(Havege, TwoRealGeneratorsDiffer)
{
    havege_init(first.get());
    havege_init(second.get());
    EXPECT_NE(stream(first.get(), 64), stream(second.get(), 64));
}

