#include "bench/viewer.h"

#include <memory>

#include "board/view_state.h"

namespace vantrel::bench {

namespace {

std::unique_ptr<Viewer> theViewer;

std::string Field(const char* dialog, std::size_t n, const std::string& text) {
  return std::string("field ") + dialog + " " + std::to_string(n) + " " + text + "\n";
}

}  // namespace

ViewerScope::ViewerScope(const UnitCosts& costs, SidesMode sides) {
  theViewer = std::make_unique<Viewer>(costs, sides);
}

ViewerScope::~ViewerScope() { theViewer.reset(); }

Viewer& TheViewer() { return *theViewer; }

std::string EnterMode(const std::string& mode, const BenchBoard& board) {
  const Queries& q = board.queries;
  std::string script;
  if (mode == "openShort") {
    script += "menu open/short\n";
    for (std::size_t i = 0; i < q.nails.size(); ++i) script += Field("nail", i + 1, q.nails[i]);
    script += "ok nail\n";
  } else if (mode == "net") {
    script += "menu nets\n" + Field("net", 1, q.net) + "ok net\n";
  } else if (mode == "compPin") {
    script += "menu comppin\n" + Field("comp", 1, q.compPin) + "ok comp\n";
  } else if (mode == "device") {
    script += "menu device\n";
    for (std::size_t i = 0; i < q.devices.size(); ++i) script += Field("device", i + 1, q.devices[i]);
    script += "ok device\n";
  } else if (mode == "point") {
    Viewer& v = TheViewer();
    v.runner.Run("key +++");
    const PixelPoint p = SideMapping::Of(v.app.session.view, Side::Top).Map(q.pin.x, q.pin.y);
    v.runner.Run("key /");
    script += "key +++\npress " + std::to_string(p.x) + " " + std::to_string(p.y) + "\n";
  }
  return script;
}

}  // namespace vantrel::bench
