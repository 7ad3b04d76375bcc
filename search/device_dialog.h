// The device dialog TFrm_Parts ("Device"): three name fields, one per slot
// (Edit1 white "Part(1)", Edit2 red "Part(2)", Edit3 aqua "Part(3)"), OK and
// Cancel. It is created once and only shown and hidden; the fields keep their
// text while it is hidden, and the redraw of the device search reads them from
// here each time.
//
// Enter in a field clicks OK. Cancel and the window's close box hide the
// dialog and change nothing else.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include "search/search_dialog.h"

namespace vantrel {

class TFrm_Parts : public SearchDialog {
  Q_OBJECT

 public:
  explicit TFrm_Parts(Session& session, QWidget* parent = nullptr);

  // The search: empties the header, runs MarkDevices in its search form for
  // the top side and then the bottom side, draws the overview of device 1 for
  // the side now shown, sets hmDevice and hides the dialog. An error stops it
  // where it arose, with the mode unchanged and the dialog still shown. With
  // no board chosen it does nothing.
  void okClick();
  void Button2Click();

  QPushButton* okButton() const override { return ok; }
  QPushButton* cancelButton() const override { return Button2; }

  QWidget* Panel1 = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  QLineEdit* Edit1 = nullptr;
  QLineEdit* Edit2 = nullptr;
  QLineEdit* Edit3 = nullptr;
  QPushButton* ok = nullptr;
  QPushButton* Button2 = nullptr;  // "Cancel"
};

}  // namespace vantrel
