// The version document: each element's text against a plain reading of the rule, an element put around
// any text giving that text back, the version comparison, and the download address check, which must
// never pass an address that the browser would open with a scheme other than http or https.
// An input holding the byte 0x01 is also read as prefix, content and suffix of a built document.
#include "FuzzCheck.h"
#include "framework/Text.h"
#include "update/updateWindow.h"

#include <QUrl>
#include <cmath>
#include <limits>

using fuzz::Check;

namespace {

const QString kNames[] = {QStringLiteral("CurrentVersion"), QStringLiteral("Description"),
                          QStringLiteral("Free"), QStringLiteral("DownloadURLOSX")};

// The text after the first start tag up to the next end tag; "" without such an end tag. Without a start
// tag the end tag is looked for from the start tag's length on.
QString Reference(const QString& document, const QString& name) {
    const QString start = QLatin1Char('<') + name + QLatin1Char('>');
    const QString end = QStringLiteral("</") + name + QLatin1Char('>');
    const qsizetype from = document.indexOf(start) + 1 + start.size() - 1; // zero-based
    const qsizetype at = from > document.size() ? -1 : document.indexOf(end, from);
    return at < 0 ? QString() : document.mid(from, at - from);
}

void CheckVersion(const QString& version) {
    int fields[3];
    bool whole = true;
    for (int n = 0; n < 3; ++n) {
        const double value = fw::Val(fw::NthField(version, QStringLiteral("."), n + 1));
        whole = whole && value == std::trunc(value) && std::abs(value) < std::numeric_limits<int>::max();
        fields[n] = whole ? int(value) : 0;
    }
    if (!whole)
        return;
    Check(updateWindow::SameVersion(version, fields[0], fields[1], fields[2]), "the same version", version);
    for (int n = 0; n < 3; ++n) {
        int other[3] = {fields[0], fields[1], fields[2]};
        other[n] += other[n] > 0 ? -1 : 1;
        Check(!updateWindow::SameVersion(version, other[0], other[1], other[2]), "another version", version);
    }
}

void CheckAddress(const QString& url) {
    if (!updateWindow::IsWebAddress(url))
        return;
    const QUrl opened(url); // as the browser is handed it
    const QString scheme = opened.scheme().toLower();
    Check(scheme == QLatin1String("http") || scheme == QLatin1String("https"), "a web scheme", url);
    Check(!opened.host().isEmpty(), "a host", url);
    const QString head = url.left(8).toLower();
    Check(head.startsWith(QLatin1String("http://")) || head.startsWith(QLatin1String("https://")),
          "the text starts with the scheme", url);
}

void CheckDocument(const QString& document) {
    for (const QString& name : kNames)
        Check(updateWindow::returnValue(document, name) == Reference(document, name), "the element's text",
              name + QLatin1Char('|') + document);
    CheckVersion(updateWindow::returnValue(document, kNames[0]));
    CheckAddress(updateWindow::returnValue(document, kNames[3]));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = fuzz::Text(data, size);
    CheckDocument(text);
    CheckVersion(text);
    CheckAddress(text);
    (void)updateWindow::SameVersion(text, int(size), -int(size), 0);

    const QStringList parts = text.split(QChar(1));
    if (parts.size() < 3)
        return 0;
    for (const QString& name : kNames) {
        const QString start = updateWindow::startTag(name), end = updateWindow::endTag(name);
        const QString document = parts[0] + start + parts[1] + end + parts[2];
        CheckDocument(document);
        if (!parts[0].contains(start) && !parts[1].contains(end))
            Check(updateWindow::returnValue(document, name) == parts[1], "the element's text comes back",
                  document);
    }
    return 0;
}
