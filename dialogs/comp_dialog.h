// TFrm_Comp, the "Component Pin" dialog: one field for the pin name; OK runs
// the component pin search (comp_pin_search.h) and hides the dialog, Cancel
// only hides it. Enter in the field clicks OK; the key itself goes on as usual.
#pragma once

#include "dialogs/search_dialog.h"

namespace vantrel {

class TFrm_Comp : public SearchDialog {
 public:
  TFrm_Comp(Session& session, const ErrorHandler& handler, QWidget* parent = nullptr);
  bool Search() override;
};

}  // namespace vantrel
