// The music player's list replies (playlist names, song titles) against a plain reading of the same rules
// built from QString::split: the same rows, within the limits, the first after a blank, a long title cut
// between two characters. An input that starts with the byte 0xFF is repeated to some 60,000 characters,
// so that the limits are reached.
#include "FuzzCheck.h"
#include "quiz/ReplyParser.h"

#include <QTextBoundaryFinder>

using fuzz::Check;
using namespace ReplyParser;

namespace {

// The pieces before the first empty one, at most limit; ranToEnd tells whether the last one ended the reply.
QList<QStringView> Pieces(const QString& reply, const QString& separator, int limit, bool& ranToEnd) {
    const QList<QStringView> all = QStringView(reply).split(separator);
    QList<QStringView> pieces;
    for (const QStringView piece : all) {
        if (piece.isEmpty() || pieces.size() == limit)
            break;
        pieces << piece;
    }
    ranToEnd = !pieces.isEmpty() && pieces.size() == all.size();
    return pieces;
}

// Whether row is the text (after a blank when lead is set) as shown: when longer than 50 units, its longest
// start within them that ends between two characters, and "...". The characters are found in the whole text.
bool Shows(const QString& row, bool lead, QStringView text) {
    if (lead && !row.startsWith(QLatin1Char(' ')))
        return false;
    const QStringView body = QStringView(row).mid(lead ? 1 : 0);
    const qsizetype room = MaxShownTitle - (lead ? 1 : 0);
    if (text.size() <= room)
        return body == text;
    if (!body.endsWith(QLatin1String("...")) || !text.startsWith(body.chopped(3)) || body.size() - 3 > room)
        return false;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text.toString());
    finder.setPosition(body.size() - 3);
    return finder.isAtBoundary() && finder.toNextBoundary() > room;
}

void CheckNames(const QString& reply) {
    const Rows names = PlaylistNames(reply);
    bool ranToEnd = false;
    const QList<QStringView> pieces = Pieces(reply, NameSeparator, MaxPlaylists, ranToEnd);
    Check(names.rows.size() <= MaxPlaylists, "at most 100 names");
    Check(names.rows.size() == pieces.size(), "one row per name", reply);
    for (int i = 0; i < pieces.size(); ++i)
        Check(QStringView(names.rows[i]).mid(i == 0 ? 1 : 0) == pieces[i] &&
                  (i > 0 || names.rows[i].startsWith(QLatin1Char(' '))),
              "the name's row", reply);
    Check(names.full == (pieces.size() == MaxPlaylists), "full at the limit");
}

void CheckTitles(const QString& reply) {
    const Rows titles = SongTitles(reply);
    bool ranToEnd = false;
    const QList<QStringView> pieces = Pieces(reply, TitleSeparator, MaxTitles, ranToEnd);
    const qsizetype n = pieces.size();
    Check(titles.rows.size() <= MaxTitles, "at most 10,000 titles");
    Check(titles.rows.size() == n, "one row per title", reply);
    for (const QString& row : titles.rows)
        Check(row.size() <= MaxShownTitle + 3, "no row longer than 53 characters", row);
    Check(n == 0 || titles.rows[0].startsWith(QLatin1Char(' ')) || (n == 1 && titles.rows[0].isEmpty()),
          "the first row starts with a blank", reply);
    // Every row but the last is its title; the last loses the trailer when it ended the list or the reply.
    const bool cut = n < MaxTitles || ranToEnd;
    for (qsizetype i = 0; i < n; ++i) {
        QStringView title = pieces[i];
        bool shows;
        if (i == n - 1 && cut && title.size() + (i == 0 ? 1 : 0) - TitleTrailer <= 0)
            shows = titles.rows[i].isEmpty();
        else
            shows = Shows(titles.rows[i], i == 0, i == n - 1 && cut ? title.chopped(TitleTrailer) : title);
        if (!shows)
            Check(false, "the title's row", titles.rows[i] + QLatin1Char('|') + title.toString());
    }
    Check(titles.full == (n == MaxTitles), "full at the limit");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QString reply;
    if (size > 1 && data[0] == 0xFF) {
        const QString unit = fuzz::Text(data + 1, size - 1);
        reply = unit.isEmpty() ? unit : unit.repeated(60000 / unit.size() + 1);
    } else {
        reply = fuzz::Text(data, size);
    }
    CheckNames(reply);
    CheckTitles(reply);
    return 0;
}
