// A save keeps the ACLs and extended attributes of the files it replaces, and
// says once where it could not.

#include <gtest/gtest.h>
#include <sys/xattr.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "io/file_system.h"
#include "support/session_harness.h"

namespace cfg {
namespace {

namespace fs = std::filesystem;
using testing::ScratchConfig;

std::string attribute(const fs::path& file, const char* name) {
  char value[4096];
  const ssize_t size = ::getxattr(file.c_str(), name, value, sizeof value);
  return size < 0 ? "(none)" : std::string(value, static_cast<std::size_t>(size));
}

bool tag(const fs::path& file, const std::string& value) {
  return ::setxattr(file.c_str(), "user.origin", value.data(), value.size(), 0) == 0;
}

// With an ACL that lets one more user write, the owning group must keep
// only read: without the ACL the mask's rw became the group's.
TEST(KeptAttributes, ASaveKeepsTheACLAndUserAttributes) {
  ScratchConfig scratch;
  const fs::path data = scratch.dir() / "data.dat";
  if (!tag(data, "run 7")) GTEST_SKIP() << "no user.* attributes here: " << std::strerror(errno);
  fs::permissions(data, fs::perms(0640));
  const std::string grant = "setfacl -m u:nobody:rw '" + data.string() + "' 2>/dev/null";
  if (std::system(grant.c_str()) != 0) GTEST_SKIP() << "setfacl is missing or ACLs are not supported here";
  const std::string acl = attribute(data, "system.posix_acl_access");

  const testing::SessionResult result = scratch.run("9\n\n");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(attribute(data, "user.origin"), "run 7");
  EXPECT_EQ(attribute(data, "system.posix_acl_access"), acl);
  EXPECT_EQ(fs::status(data).permissions(), fs::perms(0660)) << "the mask shows as the group's bits";
}

TEST(KeptAttributes, AttributesThatCannotBeKeptAreReportedOncePerSave) {
  ScratchConfig scratch;
  for (const char* name : {"data.dat", "atom_num.dat"}) {
    if (!tag(scratch.dir() / name, "x")) GTEST_SKIP() << "no user.* attributes here: " << std::strerror(errno);
  }
  struct Refusing : DiskFileSystem {
    using DiskFileSystem::DiskFileSystem;
    int set_attribute(int, const std::string&, const std::string&) override {
      errno = ENOTSUP;
      return -1;
    }
  } files(scratch.dir());
  const testing::SessionResult result = scratch.run("9\n\n", files);
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err, "config: atom_num.dat, data.dat: saved without user.origin (Operation not supported)\n");
}

}  // namespace
}  // namespace cfg
