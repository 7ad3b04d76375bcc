// The net search on an arbitrary board, view and net name: the dialog's OK,
// then the redraw with the name the field still holds.
#include <cstddef>
#include <cstdint>

#include "fuzz/search_fuzz_support.h"
#include "search/net_search.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vantrel;
  FuzzedDataProvider input(data, size);
  fuzz::SearchRun run(input);
  Session& s = run.session();
  run.Step([&] { NetSearch(s, run.texts().net); });
  run.Step([&] { RedrawNet(s, run.texts().net); });
  return 0;
}
