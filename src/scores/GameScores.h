// The High Scores window: the top-ten table (its list is the table) and the scores file that keeps it.
#pragma once

#include "framework/Controls.h"
#include "framework/Listbox.h"
#include "framework/Window.h"

#include <QList>
#include <QPair>
#include <QStringList>

class GameScores : public fw::Window {
public:
    static GameScores& instance();

    fw::Listbox& HighScores() const { return ControlNamed<fw::Listbox>(QStringLiteral("HighScores")); }
    fw::PushButton& ClearScores() const {
        return ControlNamed<fw::PushButton>(QStringLiteral("ClearScores"));
    }

    void HighScores_CellTextChange(int row, int column);
    void ClearScores_Action();
    void getScoresPlist();
    // Rewrites the scores file from rows 0 to 9; a failed save keeps the old file and says so.
    void saveScoresPlist();

    // The table's ten rows (name, score) from the scores file's lines, "name TAB score" each; lines
    // past the tenth are ignored and missing ones give empty rows.
    static QList<QPair<QString, QString>> ScoreRows(const QStringList& lines);

    // The text without TABs and line ends, which would break the file's one-entry-per-line form.
    static QString CleanField(QString text);

protected:
    void Event_Open() override;

private:
    friend GameScores& fw::Instance<GameScores>();
    GameScores();
};
