#include "io/extended_attributes.h"

#include <sys/stat.h>
#include <sys/xattr.h>

#include <cerrno>
#include <cstring>

#include "io/file_system.h"

namespace cfg {

namespace {

// A list or value that grows between the call that sizes it and the call
// that reads it is asked for again.
template <class Call>
bool read_sized(std::string& buffer, Call call) {
  for (int tries = 0; tries < 4; ++tries) {
    const ssize_t size = call(nullptr, 0);
    if (size < 0) return false;
    buffer.resize(static_cast<std::size_t>(size));
    const ssize_t read = call(buffer.data(), buffer.size());
    if (read >= 0) {
      buffer.resize(static_cast<std::size_t>(read));
      return true;
    }
    if (errno != ERANGE) return false;
  }
  return false;
}

}  // namespace

std::vector<ExtendedAttribute> extended_attributes_of(const std::filesystem::path& path) {
  std::vector<ExtendedAttribute> attributes;
  std::string names;
  if (!read_sized(names, [&](char* list, std::size_t size) { return ::listxattr(path.c_str(), list, size); })) {
    return attributes;
  }
  // The names follow one another, each ended by a NUL.
  for (std::size_t start = 0; start < names.size();) {
    const std::size_t end = names.find('\0', start);
    ExtendedAttribute attribute{names.substr(start, end - start), ""};
    start = end == std::string::npos ? names.size() : end + 1;
    const auto get = [&](char* value, std::size_t size) { return ::getxattr(path.c_str(), attribute.name.c_str(), value, size); };
    if (!attribute.name.empty() && read_sized(attribute.value, get)) attributes.push_back(std::move(attribute));
  }
  return attributes;
}

// The ACL is not given to a replacement whose group could not be kept: its
// entry for the owning group would reach another group's members.
void DiskFileSystem::keep_extended_attributes(const std::string& replaced, int fd, const FileOwnership& ownership) {
  const std::vector<ExtendedAttribute> attributes = extended_attributes_of(path_of(replaced));
  if (attributes.empty()) return;
  struct stat now {};
  const bool group_kept = ::fstat(fd, &now) == 0 && now.st_gid == ownership.group;
  for (const ExtendedAttribute& attribute : attributes) {
    if (attribute.name == kAccessAcl && !group_kept) {
      note_lost_attribute(replaced, attribute.name, "the group could not be kept");
    } else if (set_attribute(fd, attribute.name, attribute.value) != 0) {
      note_lost_attribute(replaced, attribute.name, std::strerror(errno));
    }
  }
}

int DiskFileSystem::set_attribute(int fd, const std::string& name, const std::string& value) {
  return ::fsetxattr(fd, name.c_str(), value.data(), value.size(), 0);
}

void FileSystem::note_lost_attribute(const std::string& file, const std::string& attribute, const std::string& reason) {
  files_losing_attributes_.insert(file);
  lost_attributes_.insert(attribute + " (" + reason + ")");
}

std::optional<std::string> FileSystem::take_lost_attributes() {
  if (files_losing_attributes_.empty()) return std::nullopt;
  std::string line;
  for (const std::string& file : files_losing_attributes_) line += (line.empty() ? "" : ", ") + file;
  line += ": saved without ";
  bool first = true;
  for (const std::string& attribute : lost_attributes_) {
    line += (first ? "" : ", ") + attribute;
    first = false;
  }
  files_losing_attributes_.clear();
  lost_attributes_.clear();
  return line;
}

}  // namespace cfg
