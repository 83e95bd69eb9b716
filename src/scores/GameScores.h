// The High Scores window: the top-ten table (its list is the table) and the scores file that keeps it.
#pragma once

#include "framework/Controls.h"
#include "framework/Listbox.h"
#include "framework/Window.h"

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
    void saveScoresPlist();

protected:
    void Event_Open() override;

private:
    friend GameScores& fw::Instance<GameScores>();
    GameScores();
};
