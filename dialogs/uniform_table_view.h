// A table of rows of one height that keeps nothing per row: Qt's table view
// keeps a section per row in its row header, and a list view a position per
// row, which for a net of a hundred thousand pins is megabytes the rows do
// not need. Rows are selected whole; the first column is as wide as it is
// set, the last takes the rest; there is no header.
#pragma once

#include <QAbstractItemView>

namespace vantrel {

class UniformTableView : public QAbstractItemView {
  Q_OBJECT

 public:
  explicit UniformTableView(QWidget* parent = nullptr);

  int rowHeight() const { return rowHeight_; }
  void setFirstColumnWidth(int width);
  // The first column as wide as the widest text in it among the first
  // `rows` rows.
  void fitFirstColumn(int rows);

  QRect visualRect(const QModelIndex& index) const override;
  void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
  QModelIndex indexAt(const QPoint& point) const override;
  void reset() override;

 protected:
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
  int horizontalOffset() const override { return 0; }
  int verticalOffset() const override;
  bool isIndexHidden(const QModelIndex&) const override { return false; }
  void setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags flags) override;
  QRegion visualRegionForSelection(const QItemSelection& selection) const override;
  void updateGeometries() override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  int rowCount() const;
  int columnCount() const;
  int rowAt(int y) const;  // in the viewport; may be past the last row
  int columnLeft(int column) const;
  int columnWidth(int column) const;

  int rowHeight_ = 0;
  int firstColumnWidth_ = 0;
};

}  // namespace vantrel
