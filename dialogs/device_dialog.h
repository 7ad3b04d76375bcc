// TFrm_Parts, the device dialog ("Device"): three name fields, one per slot
// (Edit1 white "Part(1)", Edit2 red "Part(2)", Edit3 aqua "Part(3)"); OK runs
// the device search (device_search.h), which also draws the overview window
// of device 1. Enter in a field clicks OK. Cancel and the window's close box
// hide the dialog.
#pragma once

#include "dialogs/search_dialog.h"

namespace vantrel {

class TForm8;

class TFrm_Parts : public SearchDialog {
 public:
  TFrm_Parts(Session& session, const ErrorHandler& handler, QWidget* parent = nullptr);
  // The overview window that OK draws; it is created after this dialog.
  void setOverviewWindow(TForm8* window) { overviewWindow_ = window; }
  bool Search() override;

 private:
  TForm8* overviewWindow_ = nullptr;
};

}  // namespace vantrel
