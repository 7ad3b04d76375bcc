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

}  // namespace

std::string GenerateBoardText(const GeneratorOptions& options, bool bottom) {
  const int pins = std::max(1, options.pinsPerSide);
  Random random(options.seed * 2 + (bottom ? 1 : 0));
  // A board that grows with its pins: about 8 x 5 inches per 1,000 pins' area.
  const double grow = std::sqrt(pins / 1000.0);
  const double width = 8 * std::max(1.0, grow) + 0.1234;
  const double height = 5 * std::max(1.0, grow) + 0.1234;
  const int nets = std::max(4, pins / 3);

  std::string out;
  out.reserve(static_cast<std::size_t>(pins) * 85);
  out += bottom ? "GENERATED board, bottom side\n" : "GENERATED board, top side\n";
  const double outline[][2] = {{0.05, 0.05}, {width, 0.05}, {width, height}, {0.05, height}, {0.05, 0.05}};
  for (const auto& p : outline) {
    Append(out, p[0]);
    out += ' ';
    Append(out, p[1]);
    out += '\n';
  }
  out += "1 1 1 1\n";

  // Parts of 4 pins in a row; their boxes are 0.3 x 0.1 inches.
  struct Pin {
    double x, y;
    std::string name;
  };
  std::vector<Pin> placed;
  placed.reserve(static_cast<std::size_t>(pins));
  const char prefix = bottom ? 'B' : 'U';
  for (int part = 0; static_cast<int>(placed.size()) < pins; ++part) {
    const double x = Safe(0.2 + random.Below(static_cast<int>((width - 0.6) * 1000)) / 1000.0);
    const double y = Safe(0.2 + random.Below(static_cast<int>((height - 0.4) * 1000)) / 1000.0);
    std::string name(1, prefix);
    name += std::to_string(part + 1);
    out += name + '\n';
    Append(out, x);
    out += ' ';
    Append(out, x + 0.3);
    out += ' ';
    Append(out, y);
    out += ' ';
    Append(out, y + 0.1);
    out += '\n';
    for (int p = 0; p < 4 && static_cast<int>(placed.size()) < pins; ++p) {
      std::string pin = name;
      pin += '.';
      pin += std::to_string(p + 1);
      placed.push_back({Safe(x + 0.0375 + p * 0.075), Safe(y + 0.05), pin});
    }
  }
  out += "2 2 2 2\n";
  for (const Pin& p : placed) {
    Append(out, p.x);
    out += ' ';
    Append(out, p.y);
    out += '\n';
  }
  out += "3 3 3 3\n";
  for (const Pin& p : placed) {
    // A few percent of the pins on each large net, the rest on small nets.
    const int draw = random.Below(100);
    const int net = draw < 4 ? 0 : draw < 7 ? 1 : draw < 9 ? 2 : 3 + random.Below(nets);
    out += ' ';
    out += p.name;
    out += '\n';
    Append(out, p.x);
    out += ' ';
    Append(out, p.y);
    out += '\n';
    out += NetName(net, nets);
    out += "\nSMD 0603 GENERATED PART\n";
  }
  out += "4 4 4 4\n";
  const int nails = std::max(3, pins / 10);
  for (int n = 0; n < nails; ++n) {
    const Pin& at = placed[static_cast<std::size_t>(n) % placed.size()];
    out += 'T';
    out += std::to_string(n + 1);
    out += '\n';
    Append(out, at.x);
    out += ' ';
    Append(out, at.y);
    out += '\n';
    out += NetName(n < 3 ? n : 3 + n, nets);
    out += "\nPROBE 75MIL\n";
  }
  out += "5 5 5 5\n";
  for (int n = 0; n < nails; ++n) {
    out += NetName(n < 3 ? n : 3 + n, nets);
    out += "\n1\nT";
    out += std::to_string(n + 1);
    out += "\n\n";
  }
  return out;
}

void WriteBoardPair(const std::string& folder, const std::string& brdName, const GeneratorOptions& options) {
  std::filesystem::create_directories(folder);
  std::ofstream(std::filesystem::path(folder) / brdName, std::ios::binary)
      << GenerateBoardText(options, false);
  std::ofstream(std::filesystem::path(folder) / "jet.CON", std::ios::binary)
      << GenerateBoardText(options, true);
}

}  // namespace vantrel
