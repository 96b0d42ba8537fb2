// The command line's changes over arbitrary operands, on the example
// configuration held in memory. The first byte picks the command: set (its
// pairs, one a line), apply (the rest is its JSON), diff against that JSON,
// keys (its patterns, one a line), and the dry runs of set and apply. Whatever
// is given, the status is one the command may give; a refusal (status 2), a
// dry run, diff and keys leave every file as it was; and what set and apply
// take is saved whole, loading again as it was saved.

#include <cstdint>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "fuzz/fuzz_support.h"

namespace {

std::vector<std::string> lines_of(std::string_view text) {
  std::vector<std::string> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    lines.emplace_back(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
  }
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace cfg;
  using namespace cfg::fuzz;
  if (size == 0) return 0;
  const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  enum Pick { set, apply, diff, keys, set_dry_run, apply_dry_run, picks };
  const auto pick = static_cast<Pick>(data[0] % picks);

  Command command;
  Files given = example_files();
  given["given.json"] = std::string(rest);
  switch (pick) {
    case set: command = {"set", "", lines_of(rest)}; break;
    case set_dry_run: command = {"set", "--dry-run", lines_of(rest)}; break;
    case apply: command = {"apply", "", {"given.json"}}; break;
    case apply_dry_run: command = {"apply", "--dry-run", {"given.json"}}; break;
    case diff: command = {"diff", "", {"given.json"}}; break;
    case keys: command = {"keys", "", lines_of(rest)}; break;
    case picks: return 0;
  }
  if ((pick == set || pick == set_dry_run) && command.operands.empty()) return 0;
  context() = command.name + " " + command.option;

  testing::MemoryFileSystem disk;
  disk.files = given;
  StringWriter out;
  StringWriter err;
  const int status = run_command(command, disk, out, err);

  const bool differs_or_none = pick == diff || pick == keys;
  require(status == 0 || status == 2 || (status == 1 && differs_or_none), "the status is one the command gives");
  require(status != 2 || err.text().starts_with("config: "), "an error is reported");
  const bool may_write = (pick == set || pick == apply) && status == 0;
  if (!may_write) {
    require(disk.files == given, "a refusal, a dry run, diff and keys touch no file");
    return 0;
  }
  Files saved = without_backups(disk.files);
  saved.erase("given.json");
  QuietSession again(saved);
  std::string error;
  if (!starts_up(again, &error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    require(false, "a changed configuration loads again");
  }
  require_reloads_as_saved(saved, &example_files());
  return 0;
}
