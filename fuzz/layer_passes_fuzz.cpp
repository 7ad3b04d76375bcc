// Runs the layer passes, framed, filled and for the overview, over arbitrary bytes as a board file,
// with a view taken from the input, on a canvas that only checks its figures.
// A pass may stop with an error, never with a crash, a hang or an overflow.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "board/board_error.h"
#include "render/layer_passes.h"

namespace {

class CountingCanvas : public vantrel::Canvas {
 public:
  int width() const override { return 784; }
  int height() const override { return 490; }
  void fillRect(std::int64_t, std::int64_t, std::int64_t, std::int64_t) override { ++figures; }
  void rectangle(std::int64_t, std::int64_t, std::int64_t, std::int64_t) override { ++figures; }
  void ellipse(std::int64_t, std::int64_t, std::int64_t, std::int64_t) override { ++figures; }
  void textOut(std::int64_t, std::int64_t, std::string_view) override { ++figures; }
  std::size_t figures = 0;

 protected:
  void drawLine(std::int64_t, std::int64_t, std::int64_t, std::int64_t) override { ++figures; }
};

template <typename T>
T Take(const std::uint8_t*& data, std::size_t& size) {
  T value{};
  if (size >= sizeof value) {
    std::memcpy(&value, data, sizeof value);
    data += sizeof value;
    size -= sizeof value;
  }
  return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vantrel;
  ViewState view;
  view.Scale = Take<std::int32_t>(data, size);
  view.TopOriginX = view.BottomOriginX = Take<std::int32_t>(data, size);
  view.TopOriginY = Take<std::int32_t>(data, size);
  view.BottomOriginY = Take<std::int32_t>(data, size);
  view.MarkMargin = Take<std::int8_t>(data, size);
  view.MarkRadius = Take<std::int8_t>(data, size);

  const int fd = memfd_create("board", 0);
  for (std::size_t written = 0; written < size;) {
    const ssize_t n = write(fd, data + written, size - written);
    if (n <= 0) break;
    written += static_cast<std::size_t>(n);
  }
  const std::string path = "/proc/self/fd/" + std::to_string(fd);

  CountingCanvas image, header;
  for (Side side : {Side::Top, Side::Bottom}) {
    for (const PassView& pass :
         {SidePassView(view, side, BoxStyle::Framed), SidePassView(view, side, BoxStyle::Filled)}) {
      try {
        OutlinePass(path, pass, image, &header);
      } catch (const BoardError&) {
      }
      try {
        PartBoxPass(path, pass, image);
      } catch (const BoardError&) {
      }
      try {
        PinPass(path, pass, image);
      } catch (const BoardError&) {
      }
    }
    try {
      const PassView overview = OverviewPassView(view, side, view.TopOriginX, view.TopOriginY);
      PinPass(path, overview, image);
    } catch (const BoardError&) {
    }
  }
  close(fd);
  return 0;
}
