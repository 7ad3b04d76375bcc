#include "dialogs/device_dialog.h"

#include "dialogs/overview_window.h"
#include "search/device_search.h"

namespace vantrel {

TFrm_Parts::TFrm_Parts(Session& session, const ErrorHandler& handler, QWidget* parent)
    : SearchDialog(session, handler,
                   DialogLayout::ThreeSlots(SearchKind::Device, "Frm_Parts", "Device", "Part",
                                            {Qt::white, Qt::red, Qt::cyan}, "Button2", 168),
                   parent) {}

bool TFrm_Parts::Search() {
  return DeviceSearch(session_, SlotTexts(),
                      overviewWindow_ ? overviewWindow_->SearchCalls() : OverviewWindowCalls());
}

}  // namespace vantrel
