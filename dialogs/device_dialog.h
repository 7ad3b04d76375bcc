// TFrm_Parts, the device dialog ("Device"): three name fields, one per slot
// (Edit1 white "Part(1)", Edit2 red "Part(2)", Edit3 aqua "Part(3)"), OK
// (device_search.h, which also draws the overview window of device 1) and
// Cancel. Enter in a field clicks OK. Cancel and the window's close box hide
// the dialog and change nothing else.
#pragma once

#include "dialogs/search_dialog.h"
#include "search/session.h"

namespace vantrel {

class TForm8;

class TFrm_Parts : public SearchDialog {
  Q_OBJECT

 public:
  explicit TFrm_Parts(Session& session, QWidget* parent = nullptr);
  // The overview window that OK draws; it is created after this dialog.
  void setOverviewWindow(TForm8* window) { overviewWindow_ = window; }
  void okClick() override;
  // The texts of Edit1 to Edit3.
  SlotNames Names() const;

 private:
  TForm8* overviewWindow_ = nullptr;
};

}  // namespace vantrel
