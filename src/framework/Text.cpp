#include "framework/Text.h"

namespace fw {

QString Str(int value) {
    return QString::number(value);
}

QString Str(qint64 value) {
    return QString::number(value);
}

QString Str(double value) {
    return QString::number(value, 'g', 15);
}

double Val(const QString& text) {
    // Longest prefix that reads as a decimal number: [blanks][sign]digits[.digits][e[sign]digits]
    int i = 0;
    const int n = text.size();
    while (i < n && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    const int start = i;
    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    int digits = 0;
    while (i < n && text[i].isDigit() && text[i].unicode() < 128) {
        ++i;
        ++digits;
    }
    if (i < n && text[i] == u'.') {
        int j = i + 1;
        int fraction = 0;
        while (j < n && text[j].isDigit() && text[j].unicode() < 128) {
            ++j;
            ++fraction;
        }
        if (fraction > 0 || digits > 0) {
            i = j;
            digits += fraction;
        }
    }
    if (digits == 0)
        return 0.0;
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        int j = i + 1;
        if (j < n && (text[j] == u'+' || text[j] == u'-'))
            ++j;
        int exponent = 0;
        while (j < n && text[j].isDigit() && text[j].unicode() < 128) {
            ++j;
            ++exponent;
        }
        if (exponent > 0)
            i = j;
    }
    bool ok = false;
    const double value = text.mid(start, i - start).toDouble(&ok);
    return ok ? value : 0.0;
}

int Len(const QString& text) {
    return int(text.size());
}

QString Left(const QString& text, int n) {
    return n <= 0 ? QString() : text.left(n);
}

QString Right(const QString& text, int n) {
    return n <= 0 ? QString() : text.right(n);
}

QString Mid(const QString& text, int start, int length) {
    if (length <= 0 || start < 1 || start > text.size())
        return QString();
    return text.mid(start - 1, length);
}

QString Mid(const QString& text, int start) {
    if (start < 1 || start > text.size())
        return QString();
    return text.mid(start - 1);
}

int InStr(const QString& source, const QString& find) {
    return InStr(1, source, find);
}

int InStr(int start, const QString& source, const QString& find) {
    if (find.isEmpty() || start > source.size())
        return 0;
    const int from = start < 1 ? 0 : start - 1;
    return int(source.indexOf(find, from)) + 1;
}

QString NthField(const QString& text, const QString& separator, int n) {
    if (n < 1 || separator.isEmpty())
        return QString();
    qsizetype from = 0;
    for (int field = 1; field < n; ++field) {
        const qsizetype at = text.indexOf(separator, from);
        if (at < 0)
            return QString();
        from = at + separator.size();
    }
    const qsizetype end = text.indexOf(separator, from);
    return end < 0 ? text.mid(from) : text.mid(from, end - from);
}

QString Chr(int code) {
    return QString(QChar(code));
}

} // namespace fw
