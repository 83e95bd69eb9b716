// The text-file reader's line splitting: any bytes, no crash, no line holding a line end, and the lines
// written back as the writer writes them split into the same lines.
#include "FuzzCheck.h"
#include "framework/TextFiles.h"

using fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QStringList lines = fw::splitLines(fuzz::Text(data, size));
    QString written;
    for (const QString& line : lines) {
        Check(!line.contains(QLatin1Char('\n')) && !line.contains(QLatin1Char('\r')), "no line end in a line",
              line);
        written += line + QLatin1Char('\n');
    }
    Check(fw::splitLines(written) == lines, "written lines read back", written);
    return 0;
}
