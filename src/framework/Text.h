// The string helpers the program's code is written with. Positions are one-based and counts are in
// characters (UTF-16 code units), as the program's parsers expect.
#pragma once

#include <QString>

namespace fw {

QString Str(int value);
QString Str(qint64 value);
QString Str(double value);
// The number at the start of the text (after leading blanks); 0 when there is none.
double Val(const QString& text);
int Len(const QString& text);
// The first / last n characters; n of 0 or less gives "".
QString Left(const QString& text, int n);
QString Right(const QString& text, int n);
// length characters from the one-based position start; a negative length gives "", and so does a start
// past the end.
QString Mid(const QString& text, int start, int length);
QString Mid(const QString& text, int start);
// One-based position of find in source, searching from start; 0 when absent.
int InStr(const QString& source, const QString& find);
int InStr(int start, const QString& source, const QString& find);
// The n-th field (one-based) of text split at separator; "" past the end.
QString NthField(const QString& text, const QString& separator, int n);
QString Chr(int code);

} // namespace fw
