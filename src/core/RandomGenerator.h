// The program's one random source: a 32-bit linear congruential generator.
#pragma once

#include <cstdint>

namespace kelvaro {

/// seed := seed * 134775813 + 1 (mod 2^32); RandomInt(n) is the high 32 bits of seed * n.
/// Shared by the random groups, the quiz, the noise and the fading, so that one seed
/// reproduces a whole session. Window thread only.
class RandomGenerator {
public:
    explicit RandomGenerator(std::uint32_t seed = 0) : Seed(seed) {}

    /// A uniform integer in 0 .. n-1; 0 when n is 0.
    std::uint32_t RandomInt(std::uint32_t n) {
        Seed = Seed * 134775813u + 1u;
        return static_cast<std::uint32_t>((static_cast<std::uint64_t>(Seed) * n) >> 32);
    }

    void SetSeed(std::uint32_t seed) { Seed = seed; }
    std::uint32_t CurrentSeed() const { return Seed; }

private:
    std::uint32_t Seed;
};

}  // namespace kelvaro
