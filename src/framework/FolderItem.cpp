#include "framework/FolderItem.h"

#include "framework/Errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace fw {

QStringList SplitLines(const QString& text) {
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

// --- TextOutputStream

TextOutputStream::TextOutputStream(const QString& path) : file_(new QSaveFile(path)), path_(path) {
    // Unbuffered, so that a failing write is seen at once and the new file is never put in place.
    if (!file_->open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw Error(QStringLiteral("Cannot write the file %1: %2").arg(path, file_->errorString()));
}

TextOutputStream::~TextOutputStream() {
    if (!closed_)
        file_->cancelWriting();
}

void TextOutputStream::WriteLine(const QString& line) {
    const QByteArray bytes = line.toUtf8() + '\n';
    if (file_->write(bytes) != bytes.size())
        file_->cancelWriting();
}

void TextOutputStream::Close() {
    if (closed_)
        return;
    closed_ = true;
    if (!file_->flush() || !file_->commit())
        throw Error(QStringLiteral("Cannot save the file %1: %2. The previous version is kept.")
                        .arg(path_, file_->errorString()));
}

// --- TextInputStream

QString TextInputStream::ReadLine() {
    return next_ < lines_.size() ? lines_[next_++] : QString();
}

// --- FolderItem

FolderItem FolderItem::Preferences() {
    const QString path = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (path.isEmpty() || !QDir().mkpath(path))
        throw Error(QStringLiteral("The preferences folder %1 does not exist and cannot be created.")
                        .arg(path.isEmpty() ? QStringLiteral("(unknown)") : path));
    return FolderItem(path);
}

FolderItem FolderItem::Child(const QString& name) const {
    return FolderItem(QDir(path_).filePath(name));
}

bool FolderItem::Exists() const {
    return QFileInfo::exists(path_);
}

bool FolderItem::Delete() const {
    return QFile::remove(path_);
}

std::unique_ptr<TextOutputStream> FolderItem::CreateTextFile() const {
    return std::make_unique<TextOutputStream>(path_);
}

void FolderItem::WriteLines(const QStringList& lines) const {
    const auto stream = CreateTextFile();
    for (const QString& line : lines)
        stream->WriteLine(line);
    stream->Close();
}

std::unique_ptr<TextInputStream> FolderItem::OpenAsTextFile() const {
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Cannot read the file %1: %2").arg(path_, file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw Error(QStringLiteral("Cannot read the file %1: %2").arg(path_, file.errorString()));
    return std::make_unique<TextInputStream>(SplitLines(QString::fromUtf8(bytes)));
}

} // namespace fw
