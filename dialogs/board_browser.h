// The board browser: a dock beside the pictures ("Browser") with one find box
// over the board's names that contain its text, and the info panel of the
// result the pictures show.
//
// The find box ("FindBox") runs the find (search/board_browser.h) once typing
// pauses, as the dialogs' completion does; the tabs above the list keep it to
// one kind. The list ("FindList") shows kind, name, sides and count of each
// row, and under it the total or, with an empty box, the board's totals. The
// info panel ("InfoPanel") shows search/result_info.h's lines; Ctrl+C there
// copies them as tab-separated text. A double click or Enter on a row of
// either activates it: the window runs the search that shows it.
//
// A board error met by the find or the info is shown in the line under the
// list or the panel, not in a message box: the box is typed into, and the
// open has reported the damage already. The dock keeps no board data but the
// rows it shows.
#pragma once

#include <QDockWidget>
#include <QTimer>

#include <functional>
#include <optional>
#include <string>

#include "search/board_browser.h"
#include "search/result_info.h"

class QLabel;
class QLineEdit;
class QTabBar;
class QTableView;

namespace vantrel {

struct Session;
class BrowserRowsModel;
class InfoModel;
class UniformTableView;

class BrowserDock : public QDockWidget {
  Q_OBJECT

 public:
  // What activating a row asks for: the search that shows this name.
  using Activate = std::function<void(ItemKind kind, const std::string& name)>;

  explicit BrowserDock(Session& session, QWidget* parent = nullptr);
  ~BrowserDock() override;

  void setActivate(Activate activate) { activate_ = std::move(activate); }

  QLineEdit* findBox() const { return findBox_; }
  QTableView* rowsView() const { return rowsView_; }
  UniformTableView* infoView() const { return infoView_; }
  QTabBar* kindTabs() const { return tabs_; }
  // What the list shows: the rows of the last find, and its text.
  const BrowserList& list() const;
  const std::string& text() const { return text_; }
  // The board's totals, counted by the first find on it.
  const std::optional<BoardTotals>& totals() const { return totals_; }
  const InfoTable& info() const;

  // Finds the box's text now, without waiting for the pause.
  void Find();
  // The info panel for the session's result, scanned afresh when the result
  // differs from the one shown, or always when `force`.
  void ShowResult(bool force = false);
  // The rows and the panel read again: the board's files changed.
  void Refresh();
  // As a double click on a row of the list or of the panel.
  void ActivateRow(int row);
  void ActivateInfoLine(int row);
  // Ctrl+C in the panel.
  void CopyInfo() const;

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildInfoPanel(QWidget* parent);
  void UpdateSummary();

  Session& session_;
  Activate activate_;
  QLineEdit* findBox_ = nullptr;
  QTabBar* tabs_ = nullptr;
  QTableView* rowsView_ = nullptr;
  QLabel* summary_ = nullptr;
  UniformTableView* infoView_ = nullptr;
  QLabel* infoNote_ = nullptr;
  BrowserRowsModel* rows_ = nullptr;
  InfoModel* infoModel_ = nullptr;
  QTimer pause_;
  std::string text_;
  std::string findError_;
  std::optional<BoardTotals> totals_;
  std::string shownResult_;  // what the panel's result was found from
};

}  // namespace vantrel
