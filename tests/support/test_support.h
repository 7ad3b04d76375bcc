// Helpers shared by the tests: scratch folders with board files written from
// strings, where the fixtures and the real boards live, and the text of the
// board error a step raises.
#pragma once

#include <QJsonDocument>

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

// 1 in a build with AddressSanitizer (the VANTREL_SANITIZE option), else 0.
#if defined(__SANITIZE_ADDRESS__)
#define VANTREL_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VANTREL_UNDER_ASAN 1
#endif
#endif
#ifndef VANTREL_UNDER_ASAN
#define VANTREL_UNDER_ASAN 0
#endif

namespace vantrel::test {

// A fresh folder under the system's temporary folder, removed with the object.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // Writes `content` byte for byte to `name` in the folder; returns the full path.
  std::string Write(std::string_view name, std::string_view content) const;

 private:
  std::filesystem::path path_;
};

std::string ReadFileBytes(const std::filesystem::path& file);

// A generated board of `pins` pins per side (testing/board_generator.h) written
// into `dir` as g.brd and jet.CON; returns the path of g.brd.
std::string WriteGeneratedBoard(const TempDir& dir, int pins);

// A real board folder under ../shared/boards (e.g. "teres-main").
std::filesystem::path SharedBoardDir(std::string_view name);
// The .brd file in that folder.
std::string SharedBoardFile(std::string_view name);
std::filesystem::path ExamplesDir();

// The state.json that the batch runner's `dump` wrote into `dir`.
QJsonDocument ReadState(const std::filesystem::path& dir);

// The message of the BoardError that `step` raises; "" when it raises none.
std::string ErrorOf(const std::function<void()>& step);

}  // namespace vantrel::test
