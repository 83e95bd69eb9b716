// The High Scores window: shows the top-ten table, lets the user rename an entry in place and clear them all.
#pragma once

#include "framework/Controls.h"
#include "framework/Listbox.h"
#include "framework/Window.h"
#include "scores/ScoreTable.h"

class GameScores : public fw::Window {
public:
    static GameScores& instance();

    fw::Listbox& HighScores() const { return ControlNamed<fw::Listbox>(QStringLiteral("HighScores")); }
    fw::PushButton& ClearScores() const {
        return ControlNamed<fw::PushButton>(QStringLiteral("ClearScores"));
    }
    // The table this window shows; it lives as long as the window and is read from the file when the
    // window opens.
    ScoreTable& Table() { return table_; }

    void HighScores_CellTextChange(int row, int column);
    void ClearScores_Action();

protected:
    void Event_Open() override;

private:
    friend GameScores& fw::Instance<GameScores>();
    GameScores();
    void ShowTable();
    void FitTenRows();

    ScoreTable table_;
};
