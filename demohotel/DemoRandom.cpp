#include "demohotel/DemoRandom.h"

#include <stdexcept>

namespace ravelt {

namespace {

std::uint64_t splitmix64(std::uint64_t& x)
{
    std::uint64_t z = (x += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

std::uint64_t rotl(std::uint64_t x, int k)
{
    return (x << k) | (x >> (64 - k));
}

}

DemoRandom::DemoRandom(std::uint64_t seed, std::uint64_t stream)
{
    std::uint64_t x = seed ^ (stream * 0xD1B54A32D192ED03ULL);
    for (auto& w : s_)
        w = splitmix64(x);
}

std::uint64_t DemoRandom::next()
{
    const std::uint64_t result = rotl(s_[1] * 5, 7) * 9;
    const std::uint64_t t = s_[1] << 17;
    s_[2] ^= s_[0];
    s_[3] ^= s_[1];
    s_[1] ^= s_[2];
    s_[0] ^= s_[3];
    s_[2] ^= t;
    s_[3] = rotl(s_[3], 45);
    return result;
}

std::int64_t DemoRandom::between(std::int64_t lo, std::int64_t hi)
{
    if (lo > hi)
        throw std::invalid_argument("DemoRandom::between: intervallo vuoto");
    const std::uint64_t span = static_cast<std::uint64_t>(hi) - static_cast<std::uint64_t>(lo) + 1;
    if (span == 0)  // the whole 64-bit range
        return static_cast<std::int64_t>(next());
    const std::uint64_t limit = UINT64_MAX - UINT64_MAX % span;
    std::uint64_t r;
    do
        r = next();
    while (r >= limit);
    return lo + static_cast<std::int64_t>(r % span);
}

bool DemoRandom::chance(int perMille)
{
    return between(0, 999) < perMille;
}

std::size_t DemoRandom::pick(std::span<const int> weights)
{
    std::int64_t total = 0;
    for (int w : weights)
        total += w;
    if (total <= 0)
        throw std::invalid_argument("DemoRandom::pick: nessun peso positivo");
    std::int64_t r = between(0, total - 1);
    for (std::size_t i = 0; i < weights.size(); ++i) {
        if (r < weights[i])
            return i;
        r -= weights[i];
    }
    return weights.size() - 1;
}

}
