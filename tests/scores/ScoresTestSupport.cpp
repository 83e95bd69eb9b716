#include "scores/ScoresTestSupport.h"

#include <QFile>
#include <QFileInfo>

namespace scores_testing {

QByteArray ScoresFile(const QStringList& entries) {
    QByteArray bytes;
    for (qsizetype i = 0; i + 1 < entries.size(); i += 2)
        bytes += (entries[i] + QLatin1Char('\t') + entries[i + 1] + QLatin1Char('\n')).toUtf8();
    return bytes;
}

QStringList Rows() {
    QStringList rows;
    const fw::Listbox& list = GameScores::instance().HighScores();
    for (int i = 0; i < list.ListCount(); ++i)
        rows << list.Cell(i, 0) + QLatin1Char('|') + list.Cell(i, 1);
    return rows;
}

QDateTime Modified(const QString& path) {
    return QFileInfo(path).lastModified();
}

void Backdate(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadWrite);
    file.setFileTime(QDateTime::currentDateTime().addDays(-3), QFileDevice::FileModificationTime);
}

WritesRefused::WritesRefused(const QString& folder) : folder_(folder) {
    QFile::setPermissions(folder_, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup |
                                       QFile::ReadOther | QFile::ExeOther);
    QFile probe(folder_ + QStringLiteral("/probe"));
    if (!probe.open(QIODevice::WriteOnly))
        return;
    probe.close();
    probe.remove();
    // Permissions do not bind this process (root): let no file grow past one byte instead.
    limit_ = std::make_unique<testing_support::ScopedFileSizeLimit>(1);
}

WritesRefused::~WritesRefused() {
    limit_.reset();
    QFile::setPermissions(folder_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace scores_testing
