#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "io/file_system.h"
#include "io/output_writer.h"

namespace cfg::bench {

// An output writer that counts what is written to it and keeps nothing, so
// that the report's cost is measured without the cost of a terminal. It
// buffers as the program's standard output does.
class DiscardWriter : public OutputWriter {
 public:
  DiscardWriter() : OutputWriter(DescriptorWriter::kBufferSize) {}
  std::int64_t bytes() {
    flush();
    return bytes_;
  }

 protected:
  void deliver(std::string_view text) override { bytes_ += static_cast<std::int64_t>(text.size()); }

 private:
  std::int64_t bytes_ = 0;
};

// Files in memory, costing what a disk's page cache would: a read and a write
// copy the content once, a rename moves it, and nothing is synced.
class MemoryDisk : public FileSystem {
 public:
  std::map<std::string, std::string, std::less<>> files;

  bool exists(const std::string& name) override { return files.find(name) != files.end(); }
  std::optional<std::string> content(const std::string& name) override {
    const auto found = files.find(name);
    if (found == files.end()) return std::nullopt;
    std::string content;
    content.reserve(found->second.size() + kReadRoom);
    content = found->second;
    return content;
  }
  void write(const std::string& name, std::string_view content) override { files[name].assign(content); }
  void rename(const std::string& from, const std::string& to) override {
    const auto found = files.find(from);
    if (found == files.end()) return;
    files[to] = std::move(found->second);
    files.erase(found);
  }
  void remove(const std::string& name) noexcept override {
    const auto found = files.find(name);
    if (found != files.end()) files.erase(found);
  }
};

// The example configuration (every .dat file of examples/), in memory.
MemoryDisk example_files();

// The example configuration grown to `sets` residue sets in protein2.dat and
// as many neutral-bond sets in chima2.dat, under the given potential type.
MemoryDisk large_files(std::int32_t potential_type, std::int32_t sets);

// The generated files themselves, as sessions.sh writes them too.
std::string residue_sets_text(std::int32_t sets);
std::string neutral_bond_sets_text(std::int32_t sets);

}  // namespace cfg::bench
