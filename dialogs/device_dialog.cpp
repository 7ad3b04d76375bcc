#include "dialogs/device_dialog.h"

#include "dialogs/overview_window.h"
#include "search/device_search.h"
#include "search/error_handler.h"

namespace vantrel {

namespace {

const DialogLayout kLayout = {
    .objectName = "Frm_Parts",
    .title = "Device",
    .size = {281, 257},
    .position = std::nullopt,
    .panel = {16, 14, 241, 150},
    .fields = {{"Label1", "Part(1)", Qt::white, {24, 24}, "Edit1", {96, 24}},
               {"Label2", "Part(2)", Qt::red, {24, 64}, "Edit2", {96, 64}},
               {"Label3", "Part(3)", Qt::cyan, {24, 104}, "Edit3", {96, 104}}},  // aqua
    .okAt = {32, 184},
    .cancelName = "Button2",
    .cancelAt = {168, 184},
};

}  // namespace

TFrm_Parts::TFrm_Parts(Session& session, QWidget* parent) : SearchDialog(session, kLayout, parent) {}

SlotNames TFrm_Parts::Names() const { return {FieldText(1), FieldText(2), FieldText(3)}; }

void TFrm_Parts::okClick() {
  RunHandler(session_, [&] {
    const OverviewWindowCalls calls =
        overviewWindow_ ? overviewWindow_->SearchCalls() : OverviewWindowCalls();
    if (DeviceSearch(session_, Names(), calls)) hide();
  });
}

}  // namespace vantrel
