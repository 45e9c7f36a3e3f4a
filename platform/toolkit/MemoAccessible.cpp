// What assistive technology learns about a memo given accessible columns:
// its text box is a table with a row per line and the columns' cells, so
// that a list of records in a monospaced text reads as records, not as one
// long text.

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <map>
#include <utility>

#include "platform/toolkit/Control_p.h"
#include "platform/toolkit/Memo.h"
#include "platform/toolkit/Memo_p.h"

namespace mirto {

namespace {

// The memo whose text box textBox is.
const TMemo* MemoOf(const QWidget* textBox) {
  const QWidget* host = textBox->parentWidget();
  const auto* memo = dynamic_cast<const TMemo*>(ControlFromWidget(host));
  return memo != nullptr && NativeWidget(*memo) == host ? memo : nullptr;
}

// Where the cell of column stands in line: the cells are looked for one
// after the other; a cell that is not there stands for the whole line.
std::pair<int, int> CellSpan(const QString& line, const QStringList& cells, int column) {
  qsizetype from = 0;
  for (int c = 0; c < cells.size(); ++c) {
    const qsizetype at = cells.at(c).isEmpty() ? -1 : line.indexOf(cells.at(c), from);
    if (c == column) {
      if (at < 0) break;
      return {static_cast<int>(at), static_cast<int>(at + cells.at(c).size())};
    }
    if (at >= 0) from = at + cells.at(c).size();
  }
  return {0, static_cast<int>(line.size())};
}

class MemoTableInterface;

// A cell of the table, or the header of a column (row -1).
class CellInterface : public QAccessibleInterface, public QAccessibleTableCellInterface {
 public:
  CellInterface(MemoTableInterface& table, int row, int column)
      : table_(table), row_(row), column_(column) {}

  void* interface_cast(QAccessible::InterfaceType type) override {
    return type == QAccessible::TableCellInterface && row_ >= 0
               ? static_cast<QAccessibleTableCellInterface*>(this)
               : nullptr;
  }
  bool isValid() const override { return true; }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override;
  QAccessibleInterface* parent() const override;
  int childCount() const override { return 0; }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* focusChild() const override { return nullptr; }
  QAccessible::Role role() const override {
    return row_ < 0 ? QAccessible::ColumnHeader : QAccessible::Cell;
  }
  QString text(QAccessible::Text kind) const override;
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override;
  QAccessible::State state() const override;

  bool isSelected() const override { return false; }
  QList<QAccessibleInterface*> columnHeaderCells() const override;
  QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
  int columnIndex() const override { return column_; }
  int rowIndex() const override { return row_; }
  int columnExtent() const override { return 1; }
  int rowExtent() const override { return 1; }
  QAccessibleInterface* table() const override { return parent(); }

 private:
  MemoTableInterface& table_;
  int row_;
  int column_;
};

class MemoTableInterface : public QAccessibleWidget, public QAccessibleTableInterface {
 public:
  explicit MemoTableInterface(QPlainTextEdit* edit) : QAccessibleWidget(edit, QAccessible::Table) {}
  ~MemoTableInterface() override {
    for (const auto& [place, id] : cells_) QAccessible::deleteAccessibleInterface(id);
  }

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }

  // The cells row by row.
  int childCount() const override { return rowCount() * columnCount(); }
  QAccessibleInterface* child(int index) const override {
    const int columns = columnCount();
    if (index < 0 || index >= childCount()) return nullptr;
    return Cell(index / columns, index % columns);
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    const QAccessibleTableCellInterface* cell =
        child != nullptr ? const_cast<QAccessibleInterface*>(child)->tableCellInterface() : nullptr;
    if (cell == nullptr || cell->table() != this || cell->rowIndex() >= rowCount()) return -1;
    return cell->rowIndex() * columnCount() + cell->columnIndex();
  }

  QAccessibleInterface* caption() const override { return nullptr; }
  QAccessibleInterface* summary() const override { return nullptr; }
  QAccessibleInterface* cellAt(int row, int column) const override {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) return nullptr;
    return Cell(row, column);
  }
  int selectedCellCount() const override { return 0; }
  QList<QAccessibleInterface*> selectedCells() const override { return {}; }
  QString columnDescription(int column) const override {
    const TMemo* memo = Memo();
    return memo != nullptr ? memo->AccessibleColumns().value(column) : QString();
  }
  QString rowDescription(int) const override { return {}; }
  int selectedColumnCount() const override { return 0; }
  int selectedRowCount() const override { return 0; }
  int columnCount() const override {
    const TMemo* memo = Memo();
    return memo != nullptr ? static_cast<int>(memo->AccessibleColumns().size()) : 0;
  }
  int rowCount() const override {
    const TMemo* memo = Memo();
    return memo != nullptr && columnCount() > 0 ? memo->LineCount() : 0;
  }
  QList<int> selectedColumns() const override { return {}; }
  QList<int> selectedRows() const override { return {}; }
  bool isColumnSelected(int) const override { return false; }
  bool isRowSelected(int) const override { return false; }
  bool selectRow(int) override { return false; }
  bool selectColumn(int) override { return false; }
  bool unselectRow(int) override { return false; }
  bool unselectColumn(int) override { return false; }
  void modelChange(QAccessibleTableModelChangeEvent*) override {}

  // Cells are made when first asked for and live as long as the table; a
  // cell whose row is gone reads as invalid.
  QAccessibleInterface* Cell(int row, int column) const {
    QAccessible::Id& id = cells_[{row, column}];
    if (id == 0)
      id = QAccessible::registerAccessibleInterface(
          new CellInterface(const_cast<MemoTableInterface&>(*this), row, column));
    return QAccessible::accessibleInterface(id);
  }
  const TMemo* Memo() const { return MemoOf(widget()); }
  // The cell's text on the screen, in screen coordinates.
  QRect CellRect(int row, int column) const {
    const auto* edit = static_cast<const QPlainTextEdit*>(widget());
    const TMemo* memo = Memo();
    const QTextBlock block = edit->document()->findBlockByNumber(row);
    if (memo == nullptr || !block.isValid()) return {};
    const auto [start, end] = CellSpan(block.text(), memo->AccessibleRow(row), column);
    QTextCursor cursor(block);
    cursor.setPosition(block.position() + start);
    const QRect first = edit->cursorRect(cursor);
    cursor.setPosition(block.position() + end);
    const QRect area = first.united(edit->cursorRect(cursor));
    return QRect(edit->viewport()->mapToGlobal(area.topLeft()), area.size());
  }

 private:
  mutable std::map<std::pair<int, int>, QAccessible::Id> cells_;
};

QWindow* CellInterface::window() const { return table_.window(); }

QAccessibleInterface* CellInterface::parent() const {
  return const_cast<MemoTableInterface*>(&table_);
}

QString CellInterface::text(QAccessible::Text kind) const {
  const TMemo* memo = table_.Memo();
  if (kind != QAccessible::Name || memo == nullptr) return {};
  return row_ < 0 ? memo->AccessibleColumns().value(column_)
                  : memo->AccessibleRow(row_).value(column_);
}

QRect CellInterface::rect() const { return row_ < 0 ? QRect() : table_.CellRect(row_, column_); }

QAccessible::State CellInterface::state() const {
  QAccessible::State state;
  state.invisible = table_.state().invisible;
  state.invalid = row_ >= table_.rowCount();
  return state;
}

QList<QAccessibleInterface*> CellInterface::columnHeaderCells() const {
  return {table_.Cell(-1, column_)};
}

}  // namespace

QAccessibleInterface* MemoTableAccessible(const QString&, QObject* object) {
  auto* edit = qobject_cast<QPlainTextEdit*>(object);
  const TMemo* memo = edit != nullptr ? MemoOf(edit) : nullptr;
  if (memo == nullptr || memo->AccessibleColumns().isEmpty()) return nullptr;
  return new MemoTableInterface(edit);
}

}  // namespace mirto
