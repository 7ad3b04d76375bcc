#include "dialogs/net_dialog.h"

#include "search/net_search.h"

namespace vantrel {

Tfrm_Net::Tfrm_Net(Session& session, const ErrorHandler& handler, QWidget* parent)
    : SearchDialog(session, handler,
                   {.kind = SearchKind::Net,
                    .objectName = "frm_Net",
                    .title = "frm_Net",
                    .size = {273, 251},
                    .position = QPoint(406, 246),
                    .panel = {24, 32, 225, 121},
                    .fields = {{"Label2", "Net:", Qt::red, {32, 48}, "Edit1", {80, 48}}},
                    .okAt = {32, 176},
                    .cancelName = "Button2",
                    .cancelAt = {168, 176},
                    .enterIsConsumed = true},
                   parent) {}

bool Tfrm_Net::Search() { return NetSearch(session_, FieldText(1)); }

}  // namespace vantrel
