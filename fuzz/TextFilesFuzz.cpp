// The text-file reader and the helpers that pick lines apart: any bytes, no crash, and the reader's lines
// never hold a line end.
#include "framework/FolderItem.h"
#include "framework/Text.h"

#include <QString>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    fw::TextInputStream stream(fw::SplitLines(text));
    for (int i = 0; i < 12; ++i) {
        const QString line = stream.ReadLine();
        if (line.contains(QLatin1Char('\n')) || line.contains(QLatin1Char('\r')))
            std::abort();
        (void)fw::Val(fw::NthField(line, QStringLiteral("\t"), 2));
        (void)(line == QLatin1String("True"));
    }
    (void)fw::Mid(text, int(size % 7), int(size % 5) - 2);
    (void)fw::InStr(int(size % 11), text, QStringLiteral("</a>"));
    return 0;
}
