// What the fuzz targets share: a broken property stops the run with its description, so that libFuzzer
// keeps the input that broke it.
#pragma once

#include <QString>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace fuzz {

inline void Check(bool holds, const char* property, const QString& detail = QString()) {
    if (holds)
        return;
    std::fprintf(stderr, "broken: %s\n%s\n", property, detail.toUtf8().constData());
    std::abort();
}

inline QString Text(const std::uint8_t* data, std::size_t size) {
    return QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
}

} // namespace fuzz
