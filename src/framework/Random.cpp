#include "framework/Random.h"

#include "framework/Errors.h"

namespace fw {

Random::Random() : engine_(std::random_device{}()) {}

Random::Random(std::uint32_t seed) : engine_(seed) {}

int Random::InRange(int low, int high) {
    if (high < low)
        throw Error(QStringLiteral("Random.InRange: the range %1 to %2 is empty.").arg(low).arg(high));
    return std::uniform_int_distribution<int>(low, high)(engine_);
}

} // namespace fw
