// Follows the board's two files while a board is open: each file and the
// folder it lies in are watched, so that a file written in place and one
// replaced by another under its name (as most tools save: write a new file,
// rename it over the old one) are both seen. Once a change has been followed
// by kSettleMilliseconds without another, `changed` is called once, on the
// thread of the event loop; a tool that writes a file in several steps thus
// causes one call after its last step. Changes of other files in the folders
// are told apart and ignored.
#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vantrel {

class FileFollower : public QObject {
  Q_OBJECT

 public:
  static constexpr int kSettleMilliseconds = 300;

  FileFollower(std::function<void()> changed, QObject* parent);

  // Follows `files` from now on, or nothing when empty; the same files as
  // before go on being followed as they were.
  void Follow(const std::vector<std::string>& files);
  const std::vector<std::string>& files() const { return files_; }

 private:
  // What tells one version of a file from another: a file replaced under
  // its name is another file, one written in place has another time or size.
  struct Stamp {
    bool exists = false;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedNs = 0;
    bool operator==(const Stamp&) const = default;
  };
  static Stamp StampOf(const std::string& file);

  void FileChanged();
  void FolderChanged();
  // Watches each file that exists and is not watched: a file replaced under
  // its name is no longer the file that was watched.
  void WatchFiles();

  std::function<void()> changed_;
  QFileSystemWatcher watcher_;
  QTimer settle_;
  std::vector<std::string> files_;
  std::vector<Stamp> stamps_;                 // of files_, as last seen
  std::vector<std::uint64_t> watchedInodes_;  // of files_, where each watch was set
};

}  // namespace vantrel
