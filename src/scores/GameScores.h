// The High Scores window: shows the top-ten table, lets the user rename an entry in place and clear them all.
#pragma once

#include "framework/Form.h"
#include "framework/Listbox.h"
#include "framework/Windows.h"
#include "scores/ScoreTable.h"

#include <QDialog>
#include <QPushButton>

class GameScores : public QDialog {
    Q_OBJECT
    const fw::Form form_;

public:
    static GameScores& instance();

    fw::Listbox* const HighScores = form_.take<fw::Listbox>("HighScores"); // name and score, best first
    QPushButton* const ClearScores = form_.take<QPushButton>("ClearScores");

    // The table this window shows; it lives as long as the window and is read from the file when the
    // window opens.
    ScoreTable& Table() { return table_; }

    void HighScores_CellTextChange(int row, int column);
    void ClearScores_Action();
    void Event_Open();

private:
    friend GameScores& fw::Instance<GameScores>();
    GameScores();
    void ShowTable();
    void FitTenRows();

    ScoreTable table_;
};
