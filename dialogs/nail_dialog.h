// TFrm_Nail, the open/short dialog ("Open/Short"): three name fields, one per
// slot (Edit1 white "Pin(1)", Edit2 red "Pin(2)", Edit3 yellow "Pin(3)"), OK
// (open_short_search.h) and Cancel. Enter in a field clicks OK. Cancel and
// the window's close box hide the dialog and change nothing else.
#pragma once

#include "dialogs/search_dialog.h"
#include "search/session.h"

namespace vantrel {

class TFrm_Nail : public SearchDialog {
  Q_OBJECT

 public:
  explicit TFrm_Nail(Session& session, QWidget* parent = nullptr);
  void okClick() override;
  // The texts of Edit1 to Edit3.
  SlotNames Names() const;
};

}  // namespace vantrel
