// Tfrm_Net, the net dialog ("frm_Net"): one field for the net name; OK runs
// the net search (net_search.h) and hides the dialog. Enter in the field is
// consumed and clicks OK. Cancel does nothing; the window's close box hides
// the dialog. Created once at start, placed at (406, 246) on the screen.
#pragma once

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include "search/search_dialog.h"

namespace vantrel {

class Tfrm_Net : public SearchDialog {
  Q_OBJECT

 public:
  explicit Tfrm_Net(Session& session, QWidget* parent = nullptr);

  // Runs the search with the text of Edit1, then hides the dialog. With no
  // board file chosen nothing happens and the dialog stays open.
  void okClick();

  QPushButton* okButton() const override { return ok_; }
  QPushButton* cancelButton() const override { return Button2_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // True when the key was Enter: it clicked OK and goes no further.
  bool Edit1KeyPress(const QKeyEvent& key);

  QWidget* Panel1_ = nullptr;
  QLabel* Label2_ = nullptr;
  QLineEdit* Edit1_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* Button2_ = nullptr;
};

}  // namespace vantrel
