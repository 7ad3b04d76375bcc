// The pictures and header texts of every highlight mode, on the largest real
// board and on a generated one, pinned by hashes taken from the plain drawing
// code. Any speed-up of the reader, the passes or the canvas must leave every
// pixel and every text as it was.
//
// To see the hashes of a changed picture, run with VANTREL_PRINT_HASHES=1.
#include <gtest/gtest.h>

#include <QImage>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "app/batch_runner.h"
#include "dialogs/overview_window.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

std::uint64_t Fnv1a(const void* data, std::size_t size, std::uint64_t hash = 14695981039346656037ull) {
  const auto* bytes = static_cast<const unsigned char*>(data);
  for (std::size_t i = 0; i < size; ++i) hash = (hash ^ bytes[i]) * 1099511628211ull;
  return hash;
}

std::uint64_t HashOf(const QImage& image) {
  std::uint64_t hash = Fnv1a(nullptr, 0);
  const auto rowBytes = static_cast<std::size_t>(image.width()) * 4;
  for (int y = 0; y < image.height(); ++y) hash = Fnv1a(image.constScanLine(y), rowBytes, hash);
  return hash;
}

// One hash over the top, bottom and header pictures, the three header texts
// and the two pictures of the overview window.
std::string PicturesHash(const Application& app) {
  const Session& s = app.session;
  std::uint64_t parts[] = {HashOf(s.pictures.sides.top.image()),
                           HashOf(s.pictures.sides.bottom.image()),
                           HashOf(s.pictures.strip.image()),
                           Fnv1a(s.pictures.header[0].data(), s.pictures.header[0].size()),
                           Fnv1a(s.pictures.header[1].data(), s.pictures.header[1].size()),
                           Fnv1a(s.pictures.header[2].data(), s.pictures.header[2].size()),
                           HashOf(app.overview->TopImage().image()),
                           HashOf(app.overview->BottomImage().image())};
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(Fnv1a(parts, sizeof parts)));
  return text;
}

struct Scene {
  const char* name;
  std::string script;  // after the open
  std::string expected;
};

void CheckScenes(const std::string& board, const std::vector<Scene>& scenes) {
  const bool print = std::getenv("VANTREL_PRINT_HASHES") != nullptr;
  for (const Scene& scene : scenes) {
    SCOPED_TRACE(scene.name);
    Application app(1.0);
    BatchRunner runner(app);
    runner.Run("open " + board + "\n" + scene.script);
    const std::string hash = PicturesHash(app);
    if (print)
      std::printf("%s %s mode %d\n", scene.name, hash.c_str(), static_cast<int>(app.session.highlight.mode));
    EXPECT_EQ(hash, scene.expected);
  }
}

// Each search is followed by a zoom and pans, so that the redraw of its mode
// draws figures cut by the edges of the pictures and figures wholly outside.
const char* kZoomAndPan = "key +++6628\n";

TEST(ReferencePictures, LargestRealBoardInEveryMode) {
  const std::string board = test::SharedBoardFile("teres-main");
  const char* nails = "field nail 1 T2\nfield nail 2 T6\nfield nail 3 T9\n";
  const char* devices = "field device 1 U1\nfield device 2 ANT1\nfield device 3 U5\n";
  CheckScenes(
      board,
      {
          {"open", "", "81ff40c2d8cd6ae3"},
          {"zoomed", "key ++46\nkey 0\n", "89c3a524174d4348"},
          {"openShort", "menu open/short\n" + std::string(nails) + "ok nail\n" + kZoomAndPan,
           "d77f4530453f9096"},
          {"net", "menu nets\nfield net 1 GND\nok net\n" + std::string(kZoomAndPan), "e89bc3f1edf1336d"},
          {"compPin", "menu comppin\nfield comp 1 U1.AB18\nok comp\n" + std::string(kZoomAndPan),
           "fed63f8ff4514e85"},
          {"device", "menu device\n" + std::string(devices) + "ok device\n" + kZoomAndPan,
           "9c021a2ed17066a2"},
          {"point", "press 588 353\nkey +++6", "57bbcc327f744475"},
      });
}

TEST(ReferencePictures, GeneratedBoardInEveryMode) {
  test::TempDir dir;
  const std::string board = test::WriteGeneratedBoard(dir, 3000);
  const char* nails = "field nail 1 T1\nfield nail 2 T2\nfield nail 3 T3\n";
  const char* devices = "field device 1 U1\nfield device 2 U2\nfield device 3 U3\n";
  CheckScenes(board, {
                         {"open", "", "074401dbe2b9f57f"},
                         {"zoomed", "key ++46\nkey 0\n", "c149c9752fb7b60f"},
                         {"openShort", "menu open/short\n" + std::string(nails) + "ok nail\n" + kZoomAndPan,
                          "fdcbf767f4caf216"},
                         {"net", "menu nets\nfield net 1 GND\nok net\n" + std::string(kZoomAndPan),
                          "6a57cf9c73e325fa"},
                         {"compPin", "menu comppin\nfield comp 1 U1.1\nok comp\n" + std::string(kZoomAndPan),
                          "293e937078c02f18"},
                         {"device", "menu device\n" + std::string(devices) + "ok device\n" + kZoomAndPan,
                          "630f111698deadf2"},
                         {"point", "press 546 155\nkey +++6", "a36096d6c907db89"},
                     });
}

}  // namespace
}  // namespace vantrel
