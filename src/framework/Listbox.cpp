#include "framework/Listbox.h"

#include "framework/Errors.h"

#include <QHeaderView>
#include <QScopedValueRollback>

namespace fw {

Listbox::Listbox(QWidget* parent) : QTableWidget(parent) {
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(18);
    horizontalHeader()->hide();
    horizontalHeader()->setHighlightSections(false);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    setWordWrap(false);
    ColumnCount(1);
    connect(this, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (!updating_)
            emit cellTextChanged(item->row(), item->column());
    });
}

void Listbox::ColumnCount(int count) {
    setColumnCount(count);
    alignment_.fill(Qt::AlignLeft | Qt::AlignVCenter, count);
    type_.fill(Type::Default, count);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
}

void Listbox::ColumnWidths(std::span<const int> percents) {
    auto* header = horizontalHeader();
    const int usable = width() - 2 * frameWidth();
    header->setSectionResizeMode(QHeaderView::Fixed);
    for (int c = 0; c + 1 < columnCount(); ++c) {
        const int percent = c < int(percents.size()) && percents[c] > 0 ? percents[c] : 100 / columnCount();
        header->resizeSection(c, usable * percent / 100);
    }
    // The last column takes what the others leave, so the columns never overflow the list; a stretched
    // section never gets narrower than it was when the stretch began.
    header->resizeSection(columnCount() - 1, header->minimumSectionSize());
    header->setStretchLastSection(true);
}

void Listbox::Heading(const QStringList& headings) {
    setHorizontalHeaderLabels(headings);
    horizontalHeader()->setVisible(!headings.isEmpty());
}

QTableWidgetItem* Listbox::NewItem(int column, const QString& text) const {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(alignment_.value(column));
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (type_.value(column) == Type::Editable)
        flags |= Qt::ItemIsEditable;
    item->setFlags(flags);
    return item;
}

void Listbox::AddRow(const QString& text) {
    const QScopedValueRollback program(updating_, true);
    const int row = rowCount();
    insertRow(row);
    for (int c = 0; c < columnCount(); ++c)
        setItem(row, c, NewItem(c, c == 0 ? text : QString()));
    lastIndex_ = row;
}

void Listbox::CheckRow(int row) const {
    if (row < 0 || row >= rowCount())
        throw Error(QStringLiteral("Row %1 is out of bounds in the list %2 of %3 rows.")
                        .arg(row)
                        .arg(objectName())
                        .arg(rowCount()));
}

QTableWidgetItem* Listbox::ItemAt(int row, int column) const {
    CheckRow(row);
    if (column < 0 || column >= columnCount())
        throw Error(
            QStringLiteral("Column %1 is out of bounds in the list %2.").arg(column).arg(objectName()));
    return item(row, column);
}

QString Listbox::Cell(int row, int column) const {
    auto* cell = ItemAt(row, column);
    return cell ? cell->text() : QString();
}

void Listbox::Cell(int row, int column, const QString& text) {
    auto* cell = ItemAt(row, column);
    const QScopedValueRollback program(updating_, true);
    if (cell)
        cell->setText(text);
    else
        setItem(row, column, NewItem(column, text));
}

void Listbox::ColumnAlignment(int column, Qt::Alignment alignment) {
    if (column < 0 || column >= columnCount())
        return;
    alignment_[column] = alignment | Qt::AlignVCenter;
    const QScopedValueRollback program(updating_, true);
    for (int r = 0; r < rowCount(); ++r)
        if (auto* cell = item(r, column))
            cell->setTextAlignment(alignment_[column]);
}

void Listbox::ColumnType(int column, Type type) {
    if (column < 0 || column >= columnCount())
        return;
    type_[column] = type;
    const QScopedValueRollback program(updating_, true);
    for (int r = 0; r < rowCount(); ++r)
        if (auto* cell = item(r, column))
            cell->setFlags(type == Type::Editable ? cell->flags() | Qt::ItemIsEditable
                                                  : cell->flags() & ~Qt::ItemIsEditable);
}

void Listbox::DeleteAllRows() {
    const QScopedValueRollback program(updating_, true);
    setRowCount(0);
    lastIndex_ = -1;
    // The view would lay itself out anew only when the event loop next runs; a list scrolled down would
    // meanwhile paint its old rows, which a window that repaints before a long wait (a playlist loading)
    // shows for the whole wait.
    doItemsLayout();
}

int Listbox::ListIndex() const {
    const auto rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void Listbox::ListIndex(int row) {
    if (row < 0 || row >= rowCount())
        clearSelection();
    else
        selectRow(row);
}

} // namespace fw
