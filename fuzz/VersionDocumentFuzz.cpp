// The version document: each element's text against a plain reading of the rule, an element put around
// any text giving that text back, the reading of version numbers, and the download address check, which must
// never pass an address that the browser would open with a scheme other than http or https.
// An input holding the byte 0x01 is also read as prefix, content and suffix of a built document.
#include "FuzzCheck.h"
#include "update/updateWindow.h"

#include <QUrl>
#include <QVersionNumber>

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

void CheckVersion(const QString& text) {
    const QVersionNumber number = updateWindow::VersionNumber(text);
    if (number.isNull())
        return;
    Check(updateWindow::VersionNumber(number.toString()) == number, "its own text reads the same", text);
    Check(updateWindow::VersionNumber(text + QStringLiteral(".0")) == number, "a zero field adds nothing",
          text);
    Check(updateWindow::VersionNumber(text + QStringLiteral(".1")) > number, "a further field is newer",
          text);
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
    CheckVersion(updateWindow::DocumentVersion(200, document));
    Check(updateWindow::DocumentVersion(404, document).isEmpty(), "an error page names no version", document);
    CheckAddress(updateWindow::returnValue(document, kNames[3]));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = fuzz::Text(data, size);
    CheckDocument(text);
    CheckVersion(text);
    CheckAddress(text);

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
