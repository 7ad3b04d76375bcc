#include "dialogs/nail_dialog.h"

#include "search/open_short_search.h"

namespace vantrel {

TFrm_Nail::TFrm_Nail(Session& session, const ErrorHandler& handler, QWidget* parent)
    : SearchDialog(session, handler,
                   DialogLayout::ThreeSlots(SearchKind::OpenShort, "Frm_Nail", "Open/Short", "Pin",
                                            {Qt::white, Qt::red, Qt::yellow}, "Button1", 160),
                   parent) {}

bool TFrm_Nail::Search() { return OpenShortSearch(session_, SlotTexts()); }

}  // namespace vantrel
