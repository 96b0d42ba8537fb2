// A whole session over arbitrary keyboard bytes, on the example configuration
// held in memory. Whatever is typed, the program ends by one of its own ways
// with a status that says which, and the files are either untouched or hold a
// complete configuration that loads again and reads back as it was saved.

#include <cstdint>
#include <string>

#include "driver/run_config.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace cfg;
  using namespace cfg::fuzz;
  const Files& examples = example_files();
  testing::MemoryFileSystem disk;
  disk.files = examples;
  TextLines keyboard("keyboard", std::string(reinterpret_cast<const char*>(data), size));
  StringWriter out;
  StringWriter err;
  const int status = run_config(keyboard, out, err, disk);
  const std::string& output = out.text();
  const std::string& errors = err.text();

  switch (status) {
    case 0: break;
    case 1: require(output.find("ERROR!!") != std::string::npos, "status 1 comes with the report's ERROR!!"); break;
    case 2: {
      // The files are sound and the disk in memory cannot fail: only the
      // keyboard can end the session this way. The report is the last line
      // of standard error (after the prompt of a pause it ended, if any); it
      // may quote what was typed, "config: " included.
      require(errors.ends_with("\n"), "a fatal error ends its line");
      const std::size_t last_line = errors.rfind('\n', errors.size() - 2) + 1;  // 0 when there is one line
      const std::size_t report = errors.find("config: ");
      require(report != std::string::npos && report >= last_line, "a fatal error is reported on the last line");
      require(errors.compare(report, 16, "config: keyboard") == 0, "a fatal error names the keyboard");
      break;
    }
    default: require(false, "the status is 0, 1 or 2");
  }

  const bool saved = output.find(" config. dat has been saved !\n") != std::string::npos;
  require(!saved || status == 0, "a save ends with status 0");
  if (!saved) {
    require(disk.files == examples, "no file changes without a save");
    return 0;
  }
  QuietSession again(disk.files);
  std::string error;
  if (!starts_up(again, &error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    require(false, "a saved configuration loads again");
  }
  require_reloads_as_saved(disk.files);
  return 0;
}
