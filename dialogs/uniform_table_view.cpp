#include "dialogs/uniform_table_view.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionViewItem>

#include <algorithm>

namespace vantrel {

UniformTableView::UniformTableView(QWidget* parent) : QAbstractItemView(parent) {
  rowHeight_ = fontMetrics().height() + 2;
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setSelectionBehavior(SelectRows);
  setSelectionMode(SingleSelection);
  setEditTriggers(NoEditTriggers);
  setVerticalScrollMode(ScrollPerPixel);
}

void UniformTableView::setFirstColumnWidth(int width) {
  firstColumnWidth_ = std::max(width, 0);
  viewport()->update();
}

void UniformTableView::fitFirstColumn(int rows) {
  int widest = 0;
  if (model()) {
    const QFontMetrics metrics = fontMetrics();
    for (int row = 0; row < std::min(rows, rowCount()); ++row) {
      const QString text = model()->index(row, 0, rootIndex()).data().toString();
      widest = std::max(widest, metrics.horizontalAdvance(text));
    }
  }
  // The item's own margins, as the style pads a cell's text.
  setFirstColumnWidth(widest + 2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 8);
}

int UniformTableView::rowCount() const { return model() ? model()->rowCount(rootIndex()) : 0; }

int UniformTableView::columnCount() const { return model() ? model()->columnCount(rootIndex()) : 0; }

int UniformTableView::rowAt(int y) const { return (y + verticalOffset()) / rowHeight_; }

int UniformTableView::columnLeft(int column) const { return column == 0 ? 0 : firstColumnWidth_; }

int UniformTableView::columnWidth(int column) const {
  if (columnCount() <= 1) return viewport()->width();
  return column == 0 ? firstColumnWidth_ : std::max(viewport()->width() - firstColumnWidth_, 0);
}

int UniformTableView::verticalOffset() const { return verticalScrollBar()->value(); }

QRect UniformTableView::visualRect(const QModelIndex& index) const {
  if (!index.isValid() || index.parent() != rootIndex() || index.column() > 1) return {};
  return {columnLeft(index.column()), index.row() * rowHeight_ - verticalOffset(),
          columnWidth(index.column()), rowHeight_};
}

void UniformTableView::scrollTo(const QModelIndex& index, ScrollHint hint) {
  if (!index.isValid()) return;
  const int top = index.row() * rowHeight_;
  const int height = viewport()->height();
  QScrollBar* bar = verticalScrollBar();
  switch (hint) {
    case PositionAtTop: bar->setValue(top); break;
    case PositionAtBottom: bar->setValue(top + rowHeight_ - height); break;
    case PositionAtCenter: bar->setValue(top - (height - rowHeight_) / 2); break;
    case EnsureVisible:
      if (top < bar->value()) {
        bar->setValue(top);
      } else if (top + rowHeight_ > bar->value() + height) {
        bar->setValue(top + rowHeight_ - height);
      }
      break;
  }
}

QModelIndex UniformTableView::indexAt(const QPoint& point) const {
  const int row = rowAt(point.y());
  if (point.y() < 0 || row >= rowCount()) return {};
  const int column = columnCount() > 1 && point.x() >= firstColumnWidth_ ? 1 : 0;
  return model()->index(row, column, rootIndex());
}

// The rows are known at once: the scroll bar need not wait for a layout.
void UniformTableView::reset() {
  QAbstractItemView::reset();
  updateGeometries();
}

QModelIndex UniformTableView::moveCursor(CursorAction action, Qt::KeyboardModifiers) {
  const int rows = rowCount();
  if (rows == 0) return {};
  const int page = std::max(viewport()->height() / rowHeight_ - 1, 1);
  int row = currentIndex().isValid() ? currentIndex().row() : -1;
  switch (action) {
    case MoveUp:
    case MovePrevious: row = std::max(row - 1, 0); break;
    case MoveDown:
    case MoveNext: row = row + 1; break;
    case MovePageUp: row = std::max(row - page, 0); break;
    case MovePageDown: row = std::max(row, 0) + page; break;
    case MoveHome: row = 0; break;
    case MoveEnd: row = rows - 1; break;
    default: row = std::max(row, 0); break;
  }
  return model()->index(std::min(row, rows - 1), 0, rootIndex());
}

void UniformTableView::setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags flags) {
  const int rows = rowCount();
  if (rows == 0) return;
  const int first = std::clamp(rowAt(std::min(rect.top(), rect.bottom())), 0, rows - 1);
  const int last = std::clamp(rowAt(std::max(rect.top(), rect.bottom())), 0, rows - 1);
  const QItemSelection chosen(model()->index(first, 0, rootIndex()),
                              model()->index(last, std::max(columnCount() - 1, 0), rootIndex()));
  selectionModel()->select(chosen, flags);
}

QRegion UniformTableView::visualRegionForSelection(const QItemSelection& selection) const {
  QRegion region;
  for (const QItemSelectionRange& range : selection) {
    region += QRect(0, range.top() * rowHeight_ - verticalOffset(), viewport()->width(),
                    (range.bottom() - range.top() + 1) * rowHeight_);
  }
  return region;
}

void UniformTableView::updateGeometries() {
  QScrollBar* bar = verticalScrollBar();
  const int height = viewport()->height();
  bar->setRange(0, std::max(rowCount() * rowHeight_ - height, 0));
  bar->setPageStep(height);
  bar->setSingleStep(rowHeight_);
  QAbstractItemView::updateGeometries();
}

void UniformTableView::resizeEvent(QResizeEvent* event) {
  QAbstractItemView::resizeEvent(event);
  updateGeometries();
}

// Only the rows in sight are asked of the model.
void UniformTableView::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  const int rows = rowCount();
  const int columns = std::min(columnCount(), 2);
  const QRect area = event->rect();
  const int first = std::max(rowAt(area.top()), 0);
  const int last = std::min(rowAt(area.bottom()), rows - 1);
  QStyleOptionViewItem option;
  initViewItemOption(&option);
  const QModelIndex current = currentIndex();
  for (int row = first; row <= last; ++row) {
    for (int column = 0; column < columns; ++column) {
      const QModelIndex index = model()->index(row, column, rootIndex());
      QStyleOptionViewItem cell = option;
      cell.rect = visualRect(index);
      cell.features.setFlag(QStyleOptionViewItem::Alternate, alternatingRowColors() && row % 2 == 1);
      cell.state.setFlag(QStyle::State_Selected, selectionModel()->isSelected(index));
      cell.state.setFlag(QStyle::State_HasFocus, hasFocus() && current.row() == row && column == 0);
      style()->drawPrimitive(QStyle::PE_PanelItemViewRow, &cell, &painter, this);
      itemDelegateForIndex(index)->paint(&painter, cell, index);
    }
  }
}

}  // namespace vantrel
