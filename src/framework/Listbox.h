// A list of rows and columns of text, with an optional heading and columns editable in place.
#pragma once

#include "framework/Control.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>

class QTableWidget;
class QTableWidgetItem;

namespace fw {

class Listbox : public Control {
public:
    // Column alignment codes.
    enum { AlignDefault = 0, AlignLeft = 1, AlignCenter = 2, AlignRight = 3 };
    // Column type codes: only editable columns differ from the default.
    enum { TypeDefault = 0, TypeEditable = 3 };

    Listbox(const QString& name, QWidget* parent);

    void ColumnCount(int count);
    int ColumnCount() const;
    // Widths as percentages of the list's width, e.g. "10%, 90%".
    void ColumnWidths(const QString& widths);
    void Heading(const QStringList& headings);
    void GridLines(bool horizontal, bool vertical);
    void ScrollBars(bool horizontal, bool vertical);

    // Appends a row whose first column holds text; the other columns are empty.
    void AddRow(const QString& text);
    QString Cell(int row, int column) const;
    void Cell(int row, int column, const QString& text);
    void ColumnAlignment(int column, int code);
    void ColumnType(int column, int code);
    void DeleteAllRows();
    void RemoveRow(int row);
    int ListCount() const;
    // The selected row, -1 for none.
    int ListIndex() const;
    void ListIndex(int row);
    // The row added last, -1 before any.
    int LastIndex() const { return lastIndex_; }
    // Starts editing a cell of an editable column, as a double-click does.
    void EditCell(int row, int column);

    std::function<void()> DoubleClick;
    std::function<void(int row, int column)> CellTextChange;

    QTableWidget* Table() const { return table_; }

private:
    QTableWidgetItem* NewItem(int column, const QString& text) const;
    QTableWidgetItem* ItemAt(int row, int column) const;
    void CheckRow(int row) const;

    QTableWidget* table_;
    QVector<int> alignment_;
    QVector<int> type_;
    QVector<double> widthShares_;
    int lastIndex_ = -1;
    bool updating_ = false;
};

} // namespace fw
