#include "testing/board_generator.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

namespace vantrel {

namespace {

// splitmix64: the same numbers on every platform and library.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }

 private:
  std::uint64_t state_;
};

void Append(std::string& out, double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.4f", v);
  out += text;
}

// Keeps a coordinate away from the values the readers take for markers.
double Safe(double v) { return (v == 1.0 || v == 3.0) ? v + 0.0001 : v; }

std::string NetName(int index, int nets) {
  if (index == 0) return "GND";
  if (index == 1) return "+3V3";
  if (index == 2) return "+5V";
  return "N$" + std::to_string(index % nets);
}

void AppendPoint(std::string& out, double x, double y) {
  Append(out, x);
  out += ' ';
  Append(out, y);
  out += '\n';
}

// Writes one side's board file, section by section, from one stream of
// random numbers: the parts' places, then the pins' nets.
class SideWriter {
 public:
  SideWriter(const GeneratorOptions& options, bool bottom)
      : bottom_(bottom),
        pins_(std::max(1, options.pinsPerSide)),
        random_(options.seed * 2 + (bottom ? 1 : 0)),
        // A board that grows with its pins: about 8 x 5 inches per 1,000 pins' area.
        width_(8 * std::max(1.0, std::sqrt(pins_ / 1000.0)) + 0.1234),
        height_(5 * std::max(1.0, std::sqrt(pins_ / 1000.0)) + 0.1234),
        nets_(std::max(4, pins_ / 3)),
        nails_(std::max(3, pins_ / 10)) {
    out_.reserve(static_cast<std::size_t>(pins_) * 85);
  }

  std::string Write() {
    out_ += bottom_ ? "GENERATED board, bottom side\n" : "GENERATED board, top side\n";
    const double outline[][2] = {
        {0.05, 0.05}, {width_, 0.05}, {width_, height_}, {0.05, height_}, {0.05, 0.05}};
    for (const auto& p : outline) AppendPoint(out_, p[0], p[1]);
    out_ += "1 1 1 1\n";
    Parts();
    out_ += "2 2 2 2\n";
    for (const Pin& p : placed_) AppendPoint(out_, p.x, p.y);
    out_ += "3 3 3 3\n";
    PinRecords();
    out_ += "4 4 4 4\n";
    Nails();
    out_ += "5 5 5 5\n";
    for (int n = 0; n < nails_; ++n) {
      out_ += NetName(n < 3 ? n : 3 + n, nets_);
      out_ += "\n1\nT" + std::to_string(n + 1) + "\n\n";
    }
    return std::move(out_);
  }

 private:
  struct Pin {
    double x, y;
    std::string name;
  };

  // Parts of 4 pins in a row; their boxes are 0.3 x 0.1 inches.
  void Parts() {
    placed_.reserve(static_cast<std::size_t>(pins_));
    const char prefix = bottom_ ? 'B' : 'U';
    for (int part = 0; static_cast<int>(placed_.size()) < pins_; ++part) {
      const double x = Safe(0.2 + random_.Below(static_cast<int>((width_ - 0.6) * 1000)) / 1000.0);
      const double y = Safe(0.2 + random_.Below(static_cast<int>((height_ - 0.4) * 1000)) / 1000.0);
      const std::string name = prefix + std::to_string(part + 1);
      out_ += name + '\n';
      Append(out_, x);
      out_ += ' ';
      Append(out_, x + 0.3);
      out_ += ' ';
      AppendPoint(out_, y, y + 0.1);
      for (int p = 0; p < 4 && static_cast<int>(placed_.size()) < pins_; ++p) {
        placed_.push_back({Safe(x + 0.0375 + p * 0.075), Safe(y + 0.05), name + '.' + std::to_string(p + 1)});
      }
    }
  }

  // A few percent of the pins on each large net, the rest on small nets.
  void PinRecords() {
    for (const Pin& p : placed_) {
      const int draw = random_.Below(100);
      const int net = draw < 4 ? 0 : draw < 7 ? 1 : draw < 9 ? 2 : 3 + random_.Below(nets_);
      out_ += ' ' + p.name + '\n';
      AppendPoint(out_, p.x, p.y);
      out_ += NetName(net, nets_);
      out_ += "\nSMD 0603 GENERATED PART\n";
    }
  }

  void Nails() {
    for (int n = 0; n < nails_; ++n) {
      const Pin& at = placed_[static_cast<std::size_t>(n) % placed_.size()];
      out_ += 'T' + std::to_string(n + 1) + '\n';
      AppendPoint(out_, at.x, at.y);
      out_ += NetName(n < 3 ? n : 3 + n, nets_);
      out_ += "\nPROBE 75MIL\n";
    }
  }

  bool bottom_;
  int pins_;
  Random random_;
  double width_;
  double height_;
  int nets_;
  int nails_;
  std::vector<Pin> placed_;
  std::string out_;
};

}  // namespace

std::string GenerateBoardText(const GeneratorOptions& options, bool bottom) {
  return SideWriter(options, bottom).Write();
}

void WriteBoardPair(const std::string& folder, const std::string& brdName, const GeneratorOptions& options) {
  std::filesystem::create_directories(folder);
  std::ofstream(std::filesystem::path(folder) / brdName, std::ios::binary)
      << GenerateBoardText(options, false);
  std::ofstream(std::filesystem::path(folder) / "jet.CON", std::ios::binary)
      << GenerateBoardText(options, true);
}

}  // namespace vantrel
