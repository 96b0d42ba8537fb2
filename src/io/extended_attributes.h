#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace cfg {

// One extended attribute of a file. A file's POSIX ACL is one of them:
// system.posix_acl_access.
struct ExtendedAttribute {
  std::string name;
  std::string value;
};

inline constexpr const char* kAccessAcl = "system.posix_acl_access";

// The extended attributes of the file at `path` (its links followed), as far
// as they can be read: none where the file system keeps none.
std::vector<ExtendedAttribute> extended_attributes_of(const std::filesystem::path& path);

}  // namespace cfg
