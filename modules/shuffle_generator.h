// The decryption's own source of chance: one 32-bit Mersenne Twister, seeded 5489 when the program starts and
// never again, so its sequence of shuffles is the same in every run. The draw and the shuffle are written out
// here instead of taken from the standard library, whose distributions differ between implementations: only
// the generator's raw 32-bit outputs are used, and those are the same everywhere.
#pragma once

#include <cstdint>
#include <random>
#include <utility>
#include <vector>

// The program's one shuffle generator.
std::mt19937& ShuffleGenerator();

// A uniform value in 0..highest, both ends included, from a source of 32-bit outputs (the generator). Outputs
// past the last whole multiple of the range are drawn again, so no value is favoured.
template <typename Source> uint32_t UniformUpTo(Source& source, uint32_t highest)
{
    const uint64_t outputs = uint64_t{1} << 32;
    const uint64_t range = uint64_t{highest} + 1;
    const uint64_t usable = outputs - outputs % range;
    uint64_t drawn = static_cast<uint32_t>(source());
    while (drawn >= usable) {
        drawn = static_cast<uint32_t>(source());
    }
    return static_cast<uint32_t>(drawn % range);
}

// The forward Fisher-Yates shuffle: for i = 1 to n - 1, swap element i with element j drawn from 0..i.
template <typename T, typename Source> void Shuffle(std::vector<T>& items, Source& generator)
{
    for (size_t i = 1; i < items.size(); ++i) {
        const size_t j = UniformUpTo(generator, static_cast<uint32_t>(i));
        std::swap(items[i], items[j]);
    }
}
