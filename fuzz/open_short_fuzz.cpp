// The open/short search on an arbitrary board, view and three nail names: the
// dialog's OK (the layer passes and the four passes in their dialog form),
// then the redraw with the names the fields still hold.
#include <cstddef>
#include <cstdint>

#include "fuzz/search_fuzz_support.h"
#include "search/open_short_search.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vantrel;
  FuzzedDataProvider input(data, size);
  fuzz::SearchRun run(input);
  Session& s = run.session();
  run.Step([&] { OpenShortSearch(s, run.texts().nails); });
  run.Step([&] { RedrawOpenShort(s, run.texts().nails); });
  return 0;
}
