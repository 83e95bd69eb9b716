// The program's random-number generator.
#pragma once

#include <cstdint>
#include <random>

namespace fw {

class Random {
public:
    Random();                            // seeded from the system
    explicit Random(std::uint32_t seed); // reproducible draws for tests
    // A whole number from low to high, both included.
    int InRange(int low, int high);

private:
    std::mt19937 engine_;
};

} // namespace fw
