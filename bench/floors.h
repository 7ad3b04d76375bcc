// The floors a timed operation is compared with, and the unit costs that make
// the floor "with work".
//
// The floor of an operation reads the same number of bytes from the page cache
// in as many scans as the operation made, splitting them into lines with
// memchr, and writes every pixel of the program's pictures once. It converts no
// number and draws no text, and a redraw does both for every record it reads
// and every pin it marks: the floor "with work" adds, for each number read, an
// exact conversion by std::from_chars, and for each text drawn, a
// QPainter::drawText of a pin name, both measured once per run.
#pragma once

#include <QImage>

#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

#include "board/board_scan.h"

namespace vantrel::bench {

using Clock = std::chrono::steady_clock;

inline double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// The scans of an operation one after the other, then the pictures written
// once. `top` and `bottom` are the two files of the board; scan i reads the
// top file when i is even and the bottom file when odd. Returns the number of
// lines, so that nothing is optimised away.
std::size_t Floor(const std::string& top, const std::string& bottom, const ScanTotals& work,
                  const std::vector<QImage*>& pictures);

// The same with the top file's scans on one thread and the bottom file's on
// another, as the sides of an operation run apart: what two cores allow.
std::size_t FloorApart(const std::string& top, const std::string& bottom, const ScanTotals& work,
                       const std::vector<QImage*>& pictures);

// Reads both files once, whole, splitting them into lines with memchr: the
// least any redraw can cost that looks at every line of both files.
std::size_t FloorOnce(const std::string& top, const std::string& bottom);

// What a number and a text cost at the least, in seconds.
struct UnitCosts {
  double number = 0;
  double text = 0;
};

// Numbers shaped as the boards' ("12.3456", "-0.5"), converted from memory;
// pin names ("U123.4") drawn at 16 pixels in the labels' face. Needs the
// QApplication and the font substitutions.
UnitCosts MeasureUnitCosts();

}  // namespace vantrel::bench
