#pragma once

#include <sys/types.h>

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace cfg {

// The program's only door to the disk. Names are plain file names in the
// working directory of the configuration. Every failure throws FatalError
// naming the file.
//
// A text read keeps at least kReadRoom characters of capacity past its end,
// so that the line reader can add its padding without moving the text.
inline constexpr std::size_t kReadRoom = 32;

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  virtual bool exists(const std::string& name) = 0;
  // The whole content, or nothing when the file does not exist.
  virtual std::optional<std::string> read(const std::string& name) = 0;
  // Creates or truncates the file, writes the content and syncs it to disk.
  virtual void write(const std::string& name, std::string_view content) = 0;
  virtual void rename(const std::string& from, const std::string& to) = 0;
  // Best effort, for cleaning up after a failure.
  virtual void remove(const std::string& name) noexcept = 0;
};

// Replaces a file as a whole: the content goes to a temporary file beside it,
// which is synced and then renamed over the old one, so the file holds either
// its old or its new content, never a part.
void replace_file(FileSystem& files, const std::string& name, std::string_view content);

// The files of one directory on the real disk.
class DiskFileSystem : public FileSystem {
 public:
  explicit DiskFileSystem(std::filesystem::path directory) : directory_(std::move(directory)) {}

  bool exists(const std::string& name) override;
  std::optional<std::string> read(const std::string& name) override;
  void write(const std::string& name, std::string_view content) override;
  void rename(const std::string& from, const std::string& to) override;
  void remove(const std::string& name) noexcept override;

 protected:
  // The system calls under write and rename, one per step, each answering as
  // the call does (-1 and errno on failure), so that a test can make any one
  // step fail. close_written is the close that ends a successful write; it
  // must release the descriptor even when it reports a failure.
  virtual int open_for_writing(const std::filesystem::path& path);
  virtual ssize_t write_some(int fd, const char* data, std::size_t size);
  virtual int sync_file(int fd);
  virtual int close_written(int fd);
  virtual int rename_path(const std::filesystem::path& from, const std::filesystem::path& to);
  virtual void sync_directory();

 private:
  std::filesystem::path path_of(const std::string& name) const { return directory_ / name; }
  std::filesystem::path directory_;
};

}  // namespace cfg
