#include "dialogs/nail_dialog.h"

#include "search/error_handler.h"
#include "search/open_short_search.h"

namespace vantrel {

namespace {

const DialogLayout kLayout = {
    .objectName = "Frm_Nail",
    .title = "Open/Short",
    .size = {281, 257},
    .position = std::nullopt,
    .panel = {16, 14, 241, 150},
    .fields = {{"Label1", "Pin(1)", Qt::white, {24, 24}, "Edit1", {96, 24}},
               {"Label2", "Pin(2)", Qt::red, {24, 64}, "Edit2", {96, 64}},
               {"Label3", "Pin(3)", Qt::yellow, {24, 104}, "Edit3", {96, 104}}},
    .okAt = {32, 184},
    .cancelName = "Button1",
    .cancelAt = {160, 184},
};

}  // namespace

TFrm_Nail::TFrm_Nail(Session& session, QWidget* parent) : SearchDialog(session, kLayout, parent) {}

SlotNames TFrm_Nail::Names() const { return {FieldText(1), FieldText(2), FieldText(3)}; }

void TFrm_Nail::okClick() {
  RunHandler(session_, [&] {
    if (OpenShortSearch(session_, Names())) hide();
  });
}

}  // namespace vantrel
