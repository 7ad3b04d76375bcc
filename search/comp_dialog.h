// TFrm_Comp, the "Component Pin" dialog: one field for the pin name, OK runs
// the component pin search (comp_pin_search.h) and hides the dialog, Cancel
// only hides it. Enter in the field clicks OK; the key itself goes on as
// usual. Created once at start and only shown and hidden after that.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include "search/search_dialog.h"

namespace vantrel {

class TFrm_Comp : public SearchDialog {
  Q_OBJECT

 public:
  explicit TFrm_Comp(Session& session, QWidget* parent = nullptr);

  // Runs the search with the text of Edit1, then hides the dialog. With no
  // board file chosen nothing happens and the dialog stays open.
  void okClick();
  void Button2Click();

  QPushButton* okButton() const override { return ok_; }
  QPushButton* cancelButton() const override { return Button2_; }

 private:
  void Edit1KeyPress();

  QWidget* Panel1_ = nullptr;
  QLabel* Label2_ = nullptr;
  QLineEdit* Edit1_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* Button2_ = nullptr;
};

}  // namespace vantrel
