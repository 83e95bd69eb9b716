#include "framework/TextFiles.h"

#include "framework/Errors.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace fw {

namespace {

// Why a QSaveFile could not be opened, in the system's words. Where the folder refuses its temporary
// file, its error already says so; an existing file that cannot be written it refuses in words of its
// own, after asking access(), so the reason is asked again the same way.
QString OpenFailure(const QSaveFile& file, const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    if (::access(name.constData(), F_OK) == 0 && ::access(name.constData(), W_OK) != 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    return file.errorString();
}

} // namespace

QStringList splitLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c != u'\n' && c != u'\r')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

QString preferencesFile(const QString& name) {
    const QString path = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (path.isEmpty() || !QDir().mkpath(path))
        throw Error(QStringLiteral("The preferences folder %1 does not exist and cannot be created.")
                        .arg(path.isEmpty() ? QStringLiteral("(unknown)") : path));
    return QDir(path).filePath(name);
}

QStringList readLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Cannot read the file %1: %2").arg(path, file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw Error(QStringLiteral("Cannot read the file %1: %2").arg(path, file.errorString()));
    return splitLines(QString::fromUtf8(bytes));
}

void writeLines(const QString& path, const QStringList& lines) {
    // Only a file that was there has a previous version to keep.
    const bool existed = ::access(QFile::encodeName(path).constData(), F_OK) == 0;
    const auto failed = [&path, existed](const QString& reason) {
        return Error(
            QStringLiteral("Cannot save the file %1: %2.%3")
                .arg(path, reason, existed ? QStringLiteral(" The previous version is kept.") : QString()));
    };
    QSaveFile file(path);
    // Unbuffered, so that a failing write is seen at once, with the system's reason (a full disk says
    // so), and the new file is never put in place: it goes with the QSaveFile unless committed.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw failed(OpenFailure(file, path));
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toUtf8() + '\n';
    // A write may take only part of the bytes (the disk filling up); the next one then says why.
    for (qint64 written = 0; written < bytes.size();) {
        const qint64 n = file.write(bytes.constData() + written, bytes.size() - written);
        if (n <= 0)
            throw failed(file.errorString());
        written += n;
    }
    if (!file.commit())
        throw failed(file.errorString());
}

} // namespace fw
