#include "search/go_to.h"

namespace vantrel {

bool GoToResult(Session&, const SearchTexts&) { return false; }

bool FitBoard(Session&) { return false; }

}  // namespace vantrel
