#include "dialogs/comp_dialog.h"

#include "search/comp_pin_search.h"

namespace vantrel {

TFrm_Comp::TFrm_Comp(Session& session, const ErrorHandler& handler, QWidget* parent)
    : SearchDialog(session, handler,
                   {.kind = SearchKind::CompPin,
                    .objectName = "Frm_Comp",
                    .title = "Component Pin",
                    .size = {281, 257},
                    .position = std::nullopt,
                    .panel = {16, 24, 241, 121},
                    .fields = {{"Label2", "Pin:", Qt::red, {40, 48}, "Edit1", {88, 48}}},
                    .okAt = {32, 176},
                    .cancelName = "Button2",
                    .cancelAt = {168, 176}},
                   parent) {}

bool TFrm_Comp::Search() { return CompPinSearch(session_, FieldText(1)); }

}  // namespace vantrel
