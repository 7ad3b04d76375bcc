// Tfrm_Net, the net dialog ("frm_Net"): one field for the net name; OK runs
// the net search (net_search.h) and hides the dialog. Enter in the field is
// consumed and clicks OK. Cancel and the window's close box hide the dialog.
// It stands at (406, 246) on the screen.
#pragma once

#include "dialogs/search_dialog.h"

namespace vantrel {

class Tfrm_Net : public SearchDialog {
 public:
  Tfrm_Net(Session& session, const ErrorHandler& handler, QWidget* parent = nullptr);
  bool Search() override;
};

}  // namespace vantrel
