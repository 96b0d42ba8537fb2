#include "cli/last_save_files.h"

#include "io/errors.h"

namespace cfg {

std::string LastSaveFiles::name_read(const std::string& name) {
  const FileStatus found = files_.status(name);
  const std::string backup = (found.exists ? found.target : name) + "~";
  if (!files_.exists(backup)) return name;
  read_a_backup_ = true;
  return backup;
}

void LastSaveFiles::refuse(const std::string& name) {
  throw FatalError(name + ": the backups of the last save are read, never written");
}

}  // namespace cfg
