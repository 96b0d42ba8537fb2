// Saves from several processes at once in one directory: the locks make each
// read-change-write whole, so that no process loses another's change.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "config/config_files.h"
#include "config/config_record.h"
#include "driver/saving.h"
#include "io/file_system.h"
#include "support/session_harness.h"

namespace cfg {
namespace {

// Twenty values of data.dat, one for each process to change.
constexpr double ConfigRecord::*kFields[] = {
    &ConfigRecord::box_width,      &ConfigRecord::sort_accuracy,   &ConfigRecord::func_bc,
    &ConfigRecord::func_fit,       &ConfigRecord::simplex_tol,     &ConfigRecord::cg_tol,
    &ConfigRecord::ga_inversion,   &ConfigRecord::ga_arithmetic,   &ConfigRecord::ga_geometric,
    &ConfigRecord::ga_crossing,    &ConfigRecord::ga_two_point,    &ConfigRecord::ga_mutation_3n,
    &ConfigRecord::ga_moment_op1,  &ConfigRecord::ga_moment_op2,   &ConfigRecord::ga_dih_move_op1,
    &ConfigRecord::grad_dx,        &ConfigRecord::dfunc_bc,        &ConfigRecord::gga_euler_factor,
    &ConfigRecord::pga_euler_factor, &ConfigRecord::dguess,
};

// What one command that changes one value does: lock, read, change, save.
int change_one_value(const std::filesystem::path& dir, double ConfigRecord::*field, double value) {
  try {
    DiskFileSystem disk(dir);
    SaveLocks locks(disk);
    ConfigRecord config;
    load_data_file(disk, config);
    config.*field = value;
    save_files(disk, locks, {{"data.dat", data_file_text(config)}});
    return 0;
  } catch (...) {
    return 1;
  }
}

TEST(ConcurrentSaves, TwentyProcessesChangingOneValueEachLoseNone) {
  testing::ScratchConfig scratch;
  int start[2];
  ASSERT_EQ(::pipe(start), 0);
  std::vector<pid_t> children;
  for (std::size_t i = 0; i < std::size(kFields); ++i) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      // All wait at the start line until the parent closes the pipe.
      ::close(start[1]);
      char ignored;
      while (::read(start[0], &ignored, 1) > 0) {
      }
      ::_exit(change_one_value(scratch.dir(), kFields[i], 1000.0 + static_cast<double>(i)));
    }
    children.push_back(child);
  }
  ::close(start[0]);
  ::close(start[1]);
  for (const pid_t child : children) {
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a process failed to save";
  }
  DiskFileSystem disk(scratch.dir());
  ConfigRecord config;
  load_data_file(disk, config);
  for (std::size_t i = 0; i < std::size(kFields); ++i) EXPECT_EQ(config.*kFields[i], 1000.0 + static_cast<double>(i)) << i;
}

}  // namespace
}  // namespace cfg
