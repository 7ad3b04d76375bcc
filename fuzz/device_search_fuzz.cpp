// The device search on an arbitrary board, view and three device names: the
// dialog's OK (both sides in the search form and the overview of device 1),
// then the redraw of the side shown and, turned over, of the other side.
#include <cstddef>
#include <cstdint>

#include "fuzz/search_fuzz_support.h"
#include "search/device_search.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vantrel;
  FuzzedDataProvider input(data, size);
  fuzz::SearchRun run(input);
  Session& s = run.session();
  run.Step([&] { DeviceSearch(s, run.texts().devices, OverviewWindowCalls()); });
  run.Step([&] { RedrawDevice(s, run.texts().devices); });
  s.view.shown = Other(s.view.shown);
  run.Step([&] { RedrawDevice(s, run.texts().devices); });
  return 0;
}
