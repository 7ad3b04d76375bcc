#include "support/test_support.h"

#include <unistd.h>

#include <QJsonDocument>

#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#include "board/board_error.h"
#include "testing/board_generator.h"

namespace vantrel::test {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "vantrel-test-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary folder");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string TempDir::Write(std::string_view name, std::string_view content) const {
  const std::filesystem::path file = path_ / name;
  std::filesystem::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
  return file.string();
}

std::string ReadFileBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string WriteGeneratedBoard(const TempDir& dir, int pins) {
  GeneratorOptions options;
  options.pinsPerSide = pins;
  WriteBoardPair(dir.path().string(), "g.brd", options);
  return (dir.path() / "g.brd").string();
}

std::filesystem::path SharedBoardDir(std::string_view name) {
  return std::filesystem::path(VANTREL_SHARED_BOARDS) / name;
}

std::string SharedBoardFile(std::string_view name) {
  for (const auto& entry : std::filesystem::directory_iterator(SharedBoardDir(name))) {
    if (entry.path().extension() == ".brd") return entry.path().string();
  }
  throw std::runtime_error("no .brd file in " + std::string(name));
}

std::filesystem::path ExamplesDir() { return VANTREL_EXAMPLES_DIR; }

QJsonDocument ReadState(const std::filesystem::path& dir) {
  const std::string json = ReadFileBytes(dir / "state.json");
  return QJsonDocument::fromJson(QByteArray(json.data(), static_cast<qsizetype>(json.size())));
}

std::string ErrorOf(const std::function<void()>& step) {
  try {
    step();
  } catch (const BoardError& e) {
    return e.what();
  }
  return "";
}

}  // namespace vantrel::test
