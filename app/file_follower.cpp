#include "app/file_follower.h"

#include <sys/stat.h>

#include <QString>
#include <QStringList>

#include <algorithm>
#include <filesystem>

namespace vantrel {

FileFollower::FileFollower(std::function<void()> changed, QObject* parent)
    : QObject(parent), changed_(std::move(changed)) {
  settle_.setSingleShot(true);
  settle_.setInterval(kSettleMilliseconds);
  connect(&watcher_, &QFileSystemWatcher::fileChanged, this, [this] { FileChanged(); });
  connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, [this] { FolderChanged(); });
  connect(&settle_, &QTimer::timeout, this, [this] {
    WatchFiles();
    changed_();
  });
}

FileFollower::Stamp FileFollower::StampOf(const std::string& file) {
  struct stat info {};
  if (::stat(file.c_str(), &info) != 0) return {};
  return {
      .exists = true,
      .device = static_cast<std::uint64_t>(info.st_dev),
      .inode = static_cast<std::uint64_t>(info.st_ino),
      .size = static_cast<std::int64_t>(info.st_size),
      .modifiedNs = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec};
}

void FileFollower::Follow(const std::vector<std::string>& files) {
  if (files == files_) return;
  settle_.stop();
  for (const QStringList& watched : {watcher_.files(), watcher_.directories()}) {
    if (!watched.isEmpty()) watcher_.removePaths(watched);
  }
  files_ = files;
  stamps_.clear();
  watchedInodes_.assign(files_.size(), 0);
  QStringList folders;
  for (const std::string& file : files_) {
    stamps_.push_back(StampOf(file));
    const QString folder = QString::fromStdString(std::filesystem::path(file).parent_path().string());
    if (!folder.isEmpty() && !folders.contains(folder) &&
        std::filesystem::is_directory(folder.toStdString())) {
      folders << folder;
    }
  }
  if (!folders.isEmpty()) watcher_.addPaths(folders);
  WatchFiles();
}

void FileFollower::WatchFiles() {
  const QStringList watched = watcher_.files();
  for (std::size_t i = 0; i < files_.size(); ++i) {
    const QString file = QString::fromStdString(files_[i]);
    const Stamp now = StampOf(files_[i]);
    if (!now.exists) continue;
    // A watch follows the file it was set on, which a file renamed over it
    // is not: it is set anew.
    if (watched.contains(file) && now.inode != watchedInodes_[i]) watcher_.removePath(file);
    if (!watcher_.files().contains(file)) watcher_.addPath(file);
    watchedInodes_[i] = now.inode;
  }
}

void FileFollower::FileChanged() {
  for (std::size_t i = 0; i < files_.size(); ++i) stamps_[i] = StampOf(files_[i]);
  WatchFiles();
  settle_.start();
}

// A folder changes with every file made, renamed or removed in it: only a
// change of the board's files counts.
void FileFollower::FolderChanged() {
  bool changed = false;
  for (std::size_t i = 0; i < files_.size(); ++i) {
    const Stamp now = StampOf(files_[i]);
    if (now == stamps_[i]) continue;
    stamps_[i] = now;
    changed = true;
  }
  if (!changed) return;
  WatchFiles();
  settle_.start();
}

}  // namespace vantrel
