// The open/short dialog TFrm_Nail ("Open/Short"): three name fields, one per
// slot (Edit1 white, Edit2 red, Edit3 yellow), OK and Cancel. It is created once
// and only shown and hidden; the fields keep their text while it is hidden, and
// the redraw of the open/short search reads them from here each time.
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

class TFrm_Nail : public SearchDialog {
  Q_OBJECT

 public:
  explicit TFrm_Nail(Session& session, QWidget* parent = nullptr);

  // The search: empties the header, draws the layers in their dialog variant,
  // runs the four open/short passes in their dialog form, sets hmOpenShort and
  // hides the dialog. An error stops it where it arose, with the mode
  // unchanged and the dialog still shown. With no board chosen it does nothing.
  void okClick();
  void Button1Click();

  QPushButton* okButton() const override { return ok; }
  QPushButton* cancelButton() const override { return Button1; }

  QWidget* Panel1 = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  QLineEdit* Edit1 = nullptr;
  QLineEdit* Edit2 = nullptr;
  QLineEdit* Edit3 = nullptr;
  QPushButton* ok = nullptr;
  QPushButton* Button1 = nullptr;  // "Cancel"
};

}  // namespace vantrel
