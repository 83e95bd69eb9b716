// Text files in the user's preferences folder. Files are UTF-8 with "\n" line ends; readers accept
// "\n", "\r\n" and a lone "\r", and reading past the end gives empty lines. Every rewrite is atomic:
// the new contents replace the old file only when they have been written whole.
#pragma once

#include <QString>
#include <QStringList>
#include <memory>

class QSaveFile;

namespace fw {

class TextOutputStream {
public:
    explicit TextOutputStream(const QString& path);
    ~TextOutputStream(); // without Close, the old file is kept unchanged
    void WriteLine(const QString& line);
    // Puts the new file in place; raises an error (and keeps the old file) when that fails.
    void Close();

private:
    std::unique_ptr<QSaveFile> file_;
    QString path_;
    bool closed_ = false;
};

class TextInputStream {
public:
    explicit TextInputStream(QStringList lines) : lines_(std::move(lines)) {}
    QString ReadLine();
    bool EndOfFile() const { return next_ >= lines_.size(); }
    void Close() {}

private:
    QStringList lines_;
    qsizetype next_ = 0;
};

class FolderItem {
public:
    explicit FolderItem(const QString& path) : path_(path) {}

    // The user's preferences folder ($XDG_CONFIG_HOME, else ~/.config), created when missing.
    static FolderItem Preferences();

    FolderItem Child(const QString& name) const;
    const QString& Path() const { return path_; }
    bool Exists() const;
    bool Delete() const;
    // Starts a new version of the file; it replaces the old one when the stream is closed.
    std::unique_ptr<TextOutputStream> CreateTextFile() const;
    // Replaces the file with these lines, atomically; raises an error and keeps the old file on failure.
    void WriteLines(const QStringList& lines) const;
    // Reads the whole file; raises an error when it cannot be read.
    std::unique_ptr<TextInputStream> OpenAsTextFile() const;

private:
    QString path_;
};

// Splits text at "\n", "\r\n" or a lone "\r"; a final line end does not start another line.
QStringList SplitLines(const QString& text);

} // namespace fw
