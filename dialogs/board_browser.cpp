#include "dialogs/board_browser.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QSplitter>
#include <QTabBar>
#include <QTableView>
#include <QVBoxLayout>

#include "board/board_error.h"
#include "dialogs/name_completer.h"
#include "dialogs/search_dialog.h"
#include "dialogs/uniform_table_view.h"
#include "search/session.h"
#include "search/status_line.h"

namespace vantrel {

namespace {

// The panel's first column fits the names among its first rows; further down
// it lists pins, whose names are in the second.
constexpr int kRowsMeasured = 256;

QString Number(std::int64_t n) { return QLocale(QLocale::English).toString(static_cast<qlonglong>(n)); }

QString Count(const NameCount& n) {
  return (n.estimated ? QStringLiteral("\u2248") : QString()) + Number(n.value);
}

QString SidesText(const PerSide<bool>& sides) {
  if (sides.top && sides.bottom) return QStringLiteral("both");
  return sides.top ? QStringLiteral("top") : sides.bottom ? QStringLiteral("bottom") : QString();
}

// What the panel's result is found from: when none of it changed, the panel
// stays as it is, so a pan or a zoom costs no scan.
std::string ResultKey(const Session& s) {
  const Highlight& h = s.highlight;
  if (!h.findings) return {};
  std::string key = s.document.BoardFile + '\n' + std::to_string(static_cast<int>(h.mode)) + '\n';
  const Findings& f = *h.findings;
  for (const std::string& name : f.names) key += name + '\n';
  for (const Side side : kSides) {
    for (const bool found : f.found[side]) key += found ? '1' : '0';
  }
  key += f.net + '\n';
  if (h.mode == HighlightMode::hmOpenShort) {
    for (const std::string& net : h.memory.openShort.NailNet) key += net + '\n';
  }
  return key;
}

}  // namespace

class BrowserRowsModel : public QAbstractTableModel {
 public:
  using QAbstractTableModel::QAbstractTableModel;

  void Show(BrowserList list) {
    beginResetModel();
    list_ = std::move(list);
    endResetModel();
  }
  const BrowserList& list() const { return list_; }

  int rowCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : static_cast<int>(list_.rows.size());
  }
  int columnCount(const QModelIndex&) const override { return 4; }
  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole) return {};
    const BrowserRow& row = list_.rows[static_cast<std::size_t>(index.row())];
    switch (index.column()) {
      case 0: return QString::fromLatin1(KindName(row.kind));
      case 1: return FromBytes(row.name);
      case 2: return SidesText(row.sides);
      default:
        return row.kind == ItemKind::Part || row.kind == ItemKind::Net ? QVariant(Number(row.count))
                                                                       : QVariant();
    }
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    static const char* const kTitles[] = {"Kind", "Name", "Sides", "Pins"};
    return QString::fromLatin1(kTitles[section]);
  }

 private:
  BrowserList list_;
};

class InfoModel : public QAbstractTableModel {
 public:
  using QAbstractTableModel::QAbstractTableModel;

  void Show(InfoTable table) {
    beginResetModel();
    table_ = std::move(table);
    endResetModel();
  }
  const InfoTable& table() const { return table_; }

  int rowCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : static_cast<int>(table_.size());
  }
  int columnCount(const QModelIndex&) const override { return 2; }
  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole) return {};
    return FromBytes(table_.Line(static_cast<std::size_t>(index.row())).cells[index.column()]);
  }

 private:
  InfoTable table_;
};

namespace {

// The find list: at most a thousand rows, with a header over its columns.
QTableView* MakeView(QAbstractItemModel* model, const char* name, QWidget* parent) {
  auto* view = new QTableView(parent);
  view->setObjectName(QString::fromLatin1(name));
  view->setModel(model);
  view->setShowGrid(false);
  view->setWordWrap(false);
  view->verticalHeader()->hide();
  view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 2);
  view->horizontalHeader()->setHighlightSections(false);
  view->setSelectionMode(QAbstractItemView::SingleSelection);
  view->setAlternatingRowColors(true);
  view->setSelectionBehavior(QAbstractItemView::SelectRows);
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  return view;
}

}  // namespace

BrowserDock::BrowserDock(Session& session, QWidget* parent)
    : QDockWidget(QStringLiteral("Browser"), parent), session_(session) {
  setObjectName(QStringLiteral("Browser"));
  auto* body = new QWidget(this);
  auto* layout = new QVBoxLayout(body);
  layout->setContentsMargins(4, 4, 4, 4);
  findBox_ = new QLineEdit(body);
  findBox_->setObjectName(QStringLiteral("FindBox"));
  findBox_->setPlaceholderText(QStringLiteral("Find a part, net, nail or pin (Ctrl+F)"));
  findBox_->setClearButtonEnabled(true);
  tabs_ = new QTabBar(body);
  tabs_->setObjectName(QStringLiteral("FindKinds"));
  for (const char* tab : {"All", "Parts", "Nets", "Nails", "Pins"}) tabs_->addTab(QString::fromLatin1(tab));
  tabs_->setExpanding(false);
  rows_ = new BrowserRowsModel(this);
  infoModel_ = new InfoModel(this);
  auto* split = new QSplitter(Qt::Vertical, body);
  auto* found = new QWidget(split);
  auto* foundLayout = new QVBoxLayout(found);
  foundLayout->setContentsMargins(0, 0, 0, 0);
  rowsView_ = MakeView(rows_, "FindList", found);
  QHeaderView* columns = rowsView_->horizontalHeader();
  columns->setSectionResizeMode(QHeaderView::ResizeToContents);
  columns->setSectionResizeMode(1, QHeaderView::Stretch);
  columns->setResizeContentsPrecision(0);  // the rows in sight
  summary_ = new QLabel(found);
  summary_->setObjectName(QStringLiteral("FindTotal"));
  summary_->setWordWrap(true);
  foundLayout->addWidget(rowsView_);
  foundLayout->addWidget(summary_);
  BuildInfoPanel(split);
  layout->addWidget(findBox_);
  layout->addWidget(tabs_);
  layout->addWidget(split, 1);
  setWidget(body);

  pause_.setSingleShot(true);
  pause_.setInterval(NameCompleter::kPauseMilliseconds);
  connect(&pause_, &QTimer::timeout, this, [this] { Find(); });
  connect(findBox_, &QLineEdit::textChanged, this, [this] { pause_.start(); });
  connect(tabs_, &QTabBar::currentChanged, this, [this] { Find(); });
  connect(rowsView_, &QTableView::doubleClicked, this,
          [this](const QModelIndex& i) { ActivateRow(i.row()); });
  connect(infoView_, &QAbstractItemView::doubleClicked, this,
          [this](const QModelIndex& i) { ActivateInfoLine(i.row()); });
  for (QWidget* watched : {static_cast<QWidget*>(findBox_), static_cast<QWidget*>(rowsView_),
                           static_cast<QWidget*>(infoView_)}) {
    watched->installEventFilter(this);
  }
  UpdateSummary();
}

// The info panel: the lines of the result shown, and a note under them.
void BrowserDock::BuildInfoPanel(QWidget* parent) {
  auto* panel = new QWidget(parent);
  auto* panelLayout = new QVBoxLayout(panel);
  panelLayout->setContentsMargins(0, 0, 0, 0);
  infoView_ = new UniformTableView(panel);
  infoView_->setObjectName(QStringLiteral("InfoPanel"));
  infoView_->setModel(infoModel_);
  infoView_->setAlternatingRowColors(true);
  infoView_->setToolTip(QStringLiteral("Double click a name to show it; Ctrl+C copies the panel"));
  infoNote_ = new QLabel(panel);
  infoNote_->setObjectName(QStringLiteral("InfoNote"));
  infoNote_->setWordWrap(true);
  panelLayout->addWidget(infoView_);
  panelLayout->addWidget(infoNote_);
}

BrowserDock::~BrowserDock() = default;

const BrowserList& BrowserDock::list() const { return rows_->list(); }

const InfoTable& BrowserDock::info() const { return infoModel_->table(); }

void BrowserDock::Find() {
  pause_.stop();
  text_ = ToBytes(findBox_->text());
  findError_.clear();
  const int tab = tabs_->currentIndex();
  const std::optional<ItemKind> only = tab > 0 ? std::optional(kItemKinds[tab - 1]) : std::nullopt;
  BrowserList list;
  try {
    if (session_.document.BoardOpen) list = FindOnBoard(session_, text_, only, kBrowserRows, !totals_);
  } catch (const BoardError& e) {
    findError_ = DescribeFileError(session_.document.ErrorOf(e));
  }
  if (list.totals) totals_ = list.totals;
  rows_->Show(std::move(list));
  UpdateSummary();
}

void BrowserDock::ShowResult(bool force) {
  if (!isVisible()) return;
  std::string key = ResultKey(session_);
  if (!force && key == shownResult_) return;
  shownResult_ = std::move(key);
  infoNote_->clear();
  infoModel_->Show(InfoTable());  // the lists shown go before the next are read
  InfoTable table;
  try {
    table = InfoTable(DescribeResult(session_));
  } catch (const BoardError& e) {
    infoNote_->setText(FromBytes("Cannot be read: " + DescribeFileError(session_.document.ErrorOf(e))));
  }
  if (table.size() == 0 && infoNote_->text().isEmpty()) {
    infoNote_->setText(QStringLiteral("Search, or click a pin, to see all of it here."));
  }
  infoModel_->Show(std::move(table));
  infoView_->fitFirstColumn(kRowsMeasured);
  infoView_->scrollToTop();
}

void BrowserDock::Refresh() {
  totals_.reset();
  if (!isVisible()) return;
  Find();
  ShowResult(true);
}

void BrowserDock::ActivateRow(int row) {
  const std::vector<BrowserRow>& rows = list().rows;
  if (row < 0 || static_cast<std::size_t>(row) >= rows.size() || !activate_) return;
  const BrowserRow chosen = rows[static_cast<std::size_t>(row)];
  activate_(chosen.kind, chosen.name);
}

void BrowserDock::ActivateInfoLine(int row) {
  if (row < 0 || static_cast<std::size_t>(row) >= info().size() || !activate_) return;
  const InfoLine line = info().Line(static_cast<std::size_t>(row));
  if (line.kind) activate_(*line.kind, line.name);
}

void BrowserDock::CopyInfo() const { QApplication::clipboard()->setText(FromBytes(info().Text())); }

void BrowserDock::showEvent(QShowEvent* event) {
  QDockWidget::showEvent(event);
  Refresh();
}

// Enter activates the current row; Enter in the find box the first row, and
// the down arrow goes from the box to the list. Ctrl+C in the panel copies it.
bool BrowserDock::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QDockWidget::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
  if (watched == findBox_ && enter) {
    if (pause_.isActive()) Find();
    ActivateRow(0);
    return true;
  }
  if (watched == findBox_ && key->key() == Qt::Key_Down && !list().rows.empty()) {
    rowsView_->setFocus();
    rowsView_->setCurrentIndex(rows_->index(0, 0));
    return true;
  }
  if (watched == infoView_ && key->matches(QKeySequence::Copy)) {
    CopyInfo();
    return true;
  }
  if (enter && (watched == rowsView_ || watched == infoView_)) {
    const int row = static_cast<QAbstractItemView*>(watched)->currentIndex().row();
    watched == rowsView_ ? ActivateRow(row) : ActivateInfoLine(row);
    return true;
  }
  return QDockWidget::eventFilter(watched, event);
}

void BrowserDock::UpdateSummary() {
  const BrowserList& l = list();
  QString text;
  if (!session_.document.BoardOpen) {
    text = QStringLiteral("No board is open.");
  } else if (!findError_.empty()) {
    text = FromBytes("Cannot be read: " + findError_);
  } else if (text_.empty() && tabs_->currentIndex() == 0 && totals_) {
    const BoardTotals& t = *totals_;
    text = QStringLiteral("Parts %1 \u00b7 Nets %2 \u00b7 Pins %3 \u00b7 Nails %4")
               .arg(Count(t.parts), Count(t.nets), Number(t.pins), Count(t.nails));
  } else if (static_cast<std::int64_t>(l.rows.size()) < l.total.value) {
    text = QStringLiteral("The first %1 of %2 names")
               .arg(Number(static_cast<std::int64_t>(l.rows.size())), Count(l.total));
  } else {
    text = l.total.value == 1 ? QStringLiteral("1 name") : QStringLiteral("%1 names").arg(Count(l.total));
  }
  summary_->setText(text);
}

}  // namespace vantrel
