#include "io/file_system.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <map>
#include <string>

#include "io/errors.h"

namespace cfg {
namespace {

namespace fs = std::filesystem;

class ScratchDirectory {
 public:
  ScratchDirectory() {
    std::string pattern = (fs::temp_directory_path() / "file-system-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~ScratchDirectory() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

TEST(DiskFileSystem, ReadsWhatWasWrittenAndNothingForAMissingFile) {
  ScratchDirectory dir;
  DiskFileSystem files(dir.path());
  EXPECT_FALSE(files.exists("data.dat"));
  EXPECT_EQ(files.read("data.dat"), std::nullopt);
  EXPECT_FALSE(files.exists("data.dat")) << "reading must not create the file";
  files.write("data.dat", "1 2\n");
  EXPECT_TRUE(files.exists("data.dat"));
  EXPECT_EQ(files.read("data.dat"), "1 2\n");
}

TEST(DiskFileSystem, ReadsFilesOfEverySizeWhole) {
  ScratchDirectory dir;
  DiskFileSystem files(dir.path());
  const std::size_t sizes[] = {0, 1, 4095, 65535, 65536, 65537, 300001};
  for (const std::size_t size : sizes) {
    std::string content(size, 'x');
    for (std::size_t i = 0; i < size; ++i) content[i] = static_cast<char>('a' + i % 23);
    files.write("chima2.dat", content);
    const std::optional<std::string> text = files.read("chima2.dat");
    EXPECT_EQ(text, content) << size << " bytes";
    EXPECT_GE(text->capacity(), size + kReadRoom) << "no room for the line reader's padding";
  }
}

// A file whose size is not known beforehand (it says 0) is still read to its end.
TEST(DiskFileSystem, ReadsAFileThatReportsNoSize) {
  ScratchDirectory dir;
  fs::create_symlink("/proc/self/status", dir.path() / "status");
  DiskFileSystem files(dir.path());
  const std::optional<std::string> text = files.read("status");
  ASSERT_TRUE(text);
  EXPECT_EQ(text->rfind("Name:", 0), 0u);
  EXPECT_NE(text->find("\nPid:"), std::string::npos);
  EXPECT_EQ(text->back(), '\n');
}

TEST(ReplaceFile, ReplacesTheWholeFileAndLeavesNoTemporary) {
  ScratchDirectory dir;
  DiskFileSystem files(dir.path());
  files.write("type.dat", "old content that is longer\n");
  replace_file(files, "type.dat", "new\n");
  EXPECT_EQ(files.read("type.dat"), "new\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

// Files in memory whose rename fails, as a full or read-only disk would.
class FailingRename : public FileSystem {
 public:
  std::map<std::string, std::string> files;
  bool exists(const std::string& name) override { return files.count(name) != 0; }
  std::optional<std::string> content(const std::string& name) override {
    if (!exists(name)) return std::nullopt;
    return files[name];
  }
  void write(const std::string& name, std::string_view content) override { files[name] = std::string(content); }
  void rename(const std::string&, const std::string& to) override { throw FatalError(to + ": cannot replace the file"); }
  void remove(const std::string& name) noexcept override { files.erase(name); }
};

TEST(ReplaceFile, AFailureKeepsTheOldFileAndRemovesTheTemporary) {
  FailingRename files;
  files.files["alloy.dat"] = "old\n";
  EXPECT_THROW(replace_file(files, "alloy.dat", "new\n"), FatalError);
  EXPECT_EQ(files.files.size(), 1U);
  EXPECT_EQ(files.files["alloy.dat"], "old\n");
}

TEST(DiskFileSystem, AFailedWriteIsFatalAndNamesTheFile) {
  ScratchDirectory dir;
  DiskFileSystem files(dir.path() / "missing-directory");
  try {
    files.write("data.dat", "x");
    FAIL() << "no error";
  } catch (const FatalError& error) {
    EXPECT_EQ(std::string(error.what()).rfind("data.dat: ", 0), 0U) << error.what();
  }
}

}  // namespace
}  // namespace cfg
