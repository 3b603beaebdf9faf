#include "demohotel/DemoRandom.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

using ravelt::DemoRandom;

TEST(DemoRandomNext, SameSeedAndStreamSameSequence)
{
    auto first = [](std::uint64_t seed, std::uint64_t stream) {
        DemoRandom r(seed, stream);
        std::vector<std::uint64_t> v;
        for (int i = 0; i < 8; ++i)
            v.push_back(r.next());
        return v;
    };
    EXPECT_EQ(first(1, 1), first(1, 1));
    EXPECT_NE(first(1, 1), first(2, 1));
    EXPECT_NE(first(1, 1), first(1, 2));
}

TEST(DemoRandomBetween, StaysInBoundsAndReachesBothEnds)
{
    DemoRandom r(5, 0);
    struct Case {
        std::int64_t lo, hi;
    } cases[] = {{0, 0}, {-3, 2}, {1, 6}, {-1000, -990}};
    for (const auto& c : cases) {
        bool lo = false, hi = false;
        for (int i = 0; i < 2000; ++i) {
            const auto v = r.between(c.lo, c.hi);
            ASSERT_GE(v, c.lo);
            ASSERT_LE(v, c.hi);
            lo |= v == c.lo;
            hi |= v == c.hi;
        }
        EXPECT_TRUE(lo && hi) << c.lo << ".." << c.hi;
    }
    EXPECT_THROW(r.between(2, 1), std::invalid_argument);
}

TEST(DemoRandomPick, FollowsTheWeights)
{
    DemoRandom r(9, 0);
    const std::array<int, 4> weights = {700, 0, 200, 100};
    std::array<int, 4> seen{};
    for (int i = 0; i < 10000; ++i)
        ++seen[r.pick(weights)];
    EXPECT_EQ(seen[1], 0) << "a weight of 0 is never picked";
    EXPECT_NEAR(seen[0], 7000, 300);
    EXPECT_NEAR(seen[2], 2000, 250);
    EXPECT_NEAR(seen[3], 1000, 200);
    const std::array<int, 2> none = {0, 0};
    EXPECT_THROW(r.pick(none), std::invalid_argument);
}
