// What the fuzz targets of the searches share: one input becomes a session
// with the board file and its "jet.CON" in memory, a view, the side shown and
// the texts of the search dialogs' fields; every step of a target then runs
// through the program's error handler, as the main window's handlers do.
//
// Input layout, read with FuzzedDataProvider (numbers from the end, texts
// from the front): first the target's own choices, then the view, the side
// shown and the three field texts, and what is left is the board file. When
// the board file holds a line "%%jet.CON", the bytes after that line are
// "jet.CON"; otherwise "jet.CON" is a copy of the board file, so that a real
// board used as a seed draws on both sides. A field text is either free bytes
// or a line of the files (without a leading blank, so that a pin record's
// name line makes a component pin name), which lets the fuzzer reach the
// paths where a search finds what it looks for.
//
// A step may end in one of the four messages of a bad board (numbers, division
// by zero, floating point range, end of file); any other message, a crash, a
// hang or undefined behaviour is a fault: the target aborts with the message.
// The files are in memory, so a message about opening or reading them would
// mean a leak of file descriptors or a wrong name.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "search/session.h"

namespace vantrel::fuzz {

// A file in memory, readable by name while the object lives.
class MemoryFile {
 public:
  explicit MemoryFile(const std::string& bytes);
  ~MemoryFile();
  MemoryFile(const MemoryFile&) = delete;
  MemoryFile& operator=(const MemoryFile&) = delete;

  const std::string& path() const { return path_; }

 private:
  int fd_ = -1;
  std::string path_;
};

// One run of a target: a fresh session on the files of the input and the
// texts of the search dialogs' fields. The session is created once, after a
// QGuiApplication on the offscreen platform; no window is involved.
class SearchRun {
 public:
  explicit SearchRun(FuzzedDataProvider& input);
  ~SearchRun();

  Session& session();
  const SearchTexts& texts() const { return texts_; }
  // Runs one handler step through the error handler.
  void Step(const std::function<void()>& step);

 private:
  std::optional<MemoryFile> board_;
  std::optional<MemoryFile> companion_;
  SearchTexts texts_;
};

// A pointer coordinate in design pixels: mostly on or near the side pictures,
// sometimes anywhere in 32 bits.
std::int32_t TakePointerCoordinate(FuzzedDataProvider& input);

}  // namespace vantrel::fuzz
