// TFrm_Nail, the open/short dialog ("Open/Short"): three name fields, one per
// slot (Edit1 white "Pin(1)", Edit2 red "Pin(2)", Edit3 yellow "Pin(3)"); OK
// runs the open/short search (open_short_search.h). Enter in a field clicks
// OK. Cancel and the window's close box hide the dialog.
#pragma once

#include "dialogs/search_dialog.h"

namespace vantrel {

class TFrm_Nail : public SearchDialog {
 public:
  TFrm_Nail(Session& session, const ErrorHandler& handler, QWidget* parent = nullptr);
  bool Search() override;
};

}  // namespace vantrel
