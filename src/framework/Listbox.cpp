#include "framework/Listbox.h"

#include "framework/Errors.h"

#include <QHeaderView>
#include <QTableWidget>

namespace fw {

namespace {
Qt::Alignment QtAlignment(int code) {
    switch (code) {
    case Listbox::AlignCenter:
        return Qt::AlignCenter;
    case Listbox::AlignRight:
        return Qt::AlignRight | Qt::AlignVCenter;
    default:
        return Qt::AlignLeft | Qt::AlignVCenter;
    }
}
} // namespace

Listbox::Listbox(const QString& name, QWidget* parent) : Control(name, new QTableWidget(parent)) {
    table_ = static_cast<QTableWidget*>(Widget());
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(18);
    table_->horizontalHeader()->hide();
    table_->horizontalHeader()->setHighlightSections(false);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    table_->setWordWrap(false);
    ColumnCount(1);
    QObject::connect(table_, &QTableWidget::cellDoubleClicked, [this](int, int) { Fire(DoubleClick); });
    QObject::connect(table_, &QTableWidget::itemChanged, [this](QTableWidgetItem* item) {
        // Only the user's edits are reported; the program's own changes set updating_.
        if (updating_ || !CellTextChange)
            return;
        const int row = item->row();
        const int column = item->column();
        Fire([this, row, column] { CellTextChange(row, column); });
    });
}

void Listbox::ColumnCount(int count) {
    table_->setColumnCount(count);
    alignment_.resize(count);
    type_.resize(count);
    widthShares_.fill(1.0 / count, count);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
}

int Listbox::ColumnCount() const {
    return table_->columnCount();
}

void Listbox::ColumnWidths(const QString& widths) {
    const QStringList parts = widths.split(QRegularExpression(QStringLiteral("[,\\s]+")), Qt::SkipEmptyParts);
    for (int c = 0; c < parts.size() && c < ColumnCount(); ++c) {
        QString part = parts[c];
        part.remove(QLatin1Char('%'));
        widthShares_[c] = part.toDouble() / 100.0;
    }
    // The last column takes what the others leave, so the columns never overflow the list.
    auto* header = table_->horizontalHeader();
    const int usable = table_->width() - 2 * table_->frameWidth();
    header->setSectionResizeMode(QHeaderView::Fixed);
    for (int c = 0; c + 1 < ColumnCount(); ++c)
        header->resizeSection(c, int(usable * widthShares_[c]));
    // A stretched last section never gets narrower than it was when the stretch began.
    header->resizeSection(ColumnCount() - 1, header->minimumSectionSize());
    header->setStretchLastSection(true);
}

void Listbox::Heading(const QStringList& headings) {
    table_->setHorizontalHeaderLabels(headings);
    table_->horizontalHeader()->setVisible(!headings.isEmpty());
}

void Listbox::GridLines(bool horizontal, bool vertical) {
    table_->setShowGrid(horizontal || vertical);
}

void Listbox::ScrollBars(bool horizontal, bool vertical) {
    table_->setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    table_->setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

QTableWidgetItem* Listbox::NewItem(int column, const QString& text) const {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(QtAlignment(alignment_.value(column)));
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (type_.value(column) == TypeEditable)
        flags |= Qt::ItemIsEditable;
    item->setFlags(flags);
    return item;
}

void Listbox::AddRow(const QString& text) {
    updating_ = true;
    const int row = table_->rowCount();
    table_->insertRow(row);
    for (int c = 0; c < ColumnCount(); ++c)
        table_->setItem(row, c, NewItem(c, c == 0 ? text : QString()));
    lastIndex_ = row;
    updating_ = false;
}

void Listbox::CheckRow(int row) const {
    if (row < 0 || row >= table_->rowCount())
        throw Error(QStringLiteral("Row %1 is out of bounds in the list %2 of %3 rows.")
                        .arg(row)
                        .arg(Name())
                        .arg(table_->rowCount()));
}

QTableWidgetItem* Listbox::ItemAt(int row, int column) const {
    CheckRow(row);
    if (column < 0 || column >= ColumnCount())
        throw Error(QStringLiteral("Column %1 is out of bounds in the list %2.").arg(column).arg(Name()));
    return table_->item(row, column);
}

QString Listbox::Cell(int row, int column) const {
    auto* item = ItemAt(row, column);
    return item ? item->text() : QString();
}

void Listbox::Cell(int row, int column, const QString& text) {
    auto* item = ItemAt(row, column);
    updating_ = true;
    if (item)
        item->setText(text);
    else
        table_->setItem(row, column, NewItem(column, text));
    updating_ = false;
}

void Listbox::ColumnAlignment(int column, int code) {
    if (column < 0 || column >= ColumnCount())
        return;
    alignment_[column] = code;
    updating_ = true;
    for (int r = 0; r < table_->rowCount(); ++r)
        if (auto* item = table_->item(r, column))
            item->setTextAlignment(QtAlignment(code));
    updating_ = false;
}

void Listbox::ColumnType(int column, int code) {
    if (column < 0 || column >= ColumnCount())
        return;
    type_[column] = code;
    updating_ = true;
    for (int r = 0; r < table_->rowCount(); ++r)
        if (auto* item = table_->item(r, column))
            item->setFlags(code == TypeEditable ? item->flags() | Qt::ItemIsEditable
                                                : item->flags() & ~Qt::ItemIsEditable);
    updating_ = false;
}

void Listbox::DeleteAllRows() {
    updating_ = true;
    table_->setRowCount(0);
    lastIndex_ = -1;
    updating_ = false;
}

void Listbox::RemoveRow(int row) {
    CheckRow(row);
    updating_ = true;
    table_->removeRow(row);
    if (lastIndex_ >= table_->rowCount())
        lastIndex_ = table_->rowCount() - 1;
    updating_ = false;
}

int Listbox::ListCount() const {
    return table_->rowCount();
}

int Listbox::ListIndex() const {
    const auto rows = table_->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void Listbox::ListIndex(int row) {
    if (row < 0 || row >= table_->rowCount())
        table_->clearSelection();
    else
        table_->selectRow(row);
}

void Listbox::EditCell(int row, int column) {
    CheckRow(row);
    table_->setCurrentCell(row, column);
    table_->editItem(table_->item(row, column));
}

} // namespace fw
