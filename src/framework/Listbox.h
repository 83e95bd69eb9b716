// A list of rows and columns of text, with an optional heading and columns editable in place. Adds to
// QTableWidget only the program's own vocabulary: rows added and read by index, one selected row.
#pragma once

#include <QStringList>
#include <QTableWidget>
#include <QVector>
#include <span>

namespace fw {

class Listbox : public QTableWidget {
    Q_OBJECT
public:
    enum class Type { Default, Editable };

    explicit Listbox(QWidget* parent = nullptr);

    void ColumnCount(int count);
    // Widths as percentages of the list's width; 0 leaves a column its equal share. The last column
    // takes what the others leave.
    void ColumnWidths(std::span<const int> percents);
    // Shows the heading; none hides it.
    void Heading(const QStringList& headings);

    // Appends a row whose first column holds text; the other columns are empty.
    void AddRow(const QString& text);
    QString Cell(int row, int column) const;
    void Cell(int row, int column, const QString& text);
    void ColumnAlignment(int column, Qt::Alignment alignment);
    void ColumnType(int column, Type type);
    void DeleteAllRows();
    int ListCount() const { return rowCount(); }
    // The selected row, -1 for none.
    int ListIndex() const;
    void ListIndex(int row);
    // The row added last, -1 before any.
    int LastIndex() const { return lastIndex_; }

signals:
    // The user has edited the cell's text; the program's own changes are not reported.
    void cellTextChanged(int row, int column);

private:
    QTableWidgetItem* NewItem(int column, const QString& text) const;
    QTableWidgetItem* ItemAt(int row, int column) const;
    void CheckRow(int row) const;

    QVector<Qt::Alignment> alignment_;
    QVector<Type> type_;
    int lastIndex_ = -1;
    bool updating_ = false;
};

} // namespace fw
