#pragma once
#include <cstdint>
#include <span>

namespace ravelt {

// The demo's own pseudo-random source: xoshiro256** seeded through splitmix64. Its
// output depends only on the seed and the stream number, never on the standard
// library, so the same options give the same demo hotel on every build. Each part of
// the demo draws from its own stream, so changing one part leaves the others alone.
class DemoRandom {
public:
    DemoRandom(std::uint64_t seed, std::uint64_t stream);

    std::uint64_t next();
    // A whole number from lo to hi, both included, every value equally likely
    // (rejection sampling, no modulo bias). lo must not exceed hi.
    std::int64_t between(std::int64_t lo, std::int64_t hi);
    // True perMille times in a thousand.
    bool chance(int perMille);
    // An index into weights, each index as likely as its weight (weights are >= 0 and
    // at least one is > 0).
    std::size_t pick(std::span<const int> weights);

private:
    std::uint64_t s_[4];
};

}
