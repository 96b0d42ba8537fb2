// The reader of a save's record over arbitrary bytes, as another user of a
// shared directory could write them: half the inputs get a valid checksum, so
// that the reading of the lines is reached. A record is read or refused
// (RecordRefused); one that is read writes back as the same text, and the
// check of its names against the example configuration refuses it or passes
// it, never anything else.

#include <cstdint>
#include <optional>
#include <string>

#include "driver/save_journal.h"
#include "fuzz/fuzz_support.h"
#include "support/memory_file_system.h"

namespace cfg::fuzz {
namespace {

std::string with_checksum(const std::string& body) {
  const ContentDigest digest = digest_of(body);
  char hash[17];
  std::snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(digest.hash));
  return body + "end " + std::to_string(digest.size) + " " + hash + "\n";
}

}  // namespace
}  // namespace cfg::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace cfg;
  if (size == 0) return 0;
  const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::string text = data[0] % 2 == 1 ? fuzz::with_checksum("config-save 1\n" + bytes) : bytes;
  fuzz::context() = "record";
  std::optional<SaveRecord> record;
  try {
    record = parse_save_record(text);
  } catch (const RecordRefused&) {
    return 0;
  }
  if (!record) return 0;
  fuzz::require(parse_save_record(save_record_text(*record)).has_value(), "a record read writes back readable");
  fuzz::require(save_record_text(*parse_save_record(save_record_text(*record))) == save_record_text(*record),
                "a record read writes back as the same text");
  testing::MemoryFileSystem files;
  for (const auto& [name, content] : fuzz::example_files()) files.files[name] = content;
  try {
    check_record_names(files, *record);
  } catch (const RecordRefused&) {
  }
  return 0;
}
