// The configuration loader over arbitrary bytes: the input stands in for one
// of the sixteen files, the others being the example configuration.
// Loading either succeeds or fails with FatalError naming the file. What
// loads is saved (to memory), and what is saved must load again and save the
// same bytes, by start-up and by option 8's reload alike.

#include <cstdint>
#include <string>

#include "config/materials_library.h"
#include "driver/saving.h"
#include "fuzz/fuzz_support.h"
#include "report/summary_report.h"

namespace cfg::fuzz {
namespace {

const char* const kFileNames[16] = {"atom_num.dat", "data.dat",       "type.dat",       "alloy.dat",
                                  "parameter1.dat", "parameter2.dat", "parameter3.dat", "protein1.dat",
                                  "protein2.dat",   "eam_aa.dat",     "eam_bb.dat",     "eam_ab.dat",
                                  "chima1.dat",     "chima2.dat",     "qscff.dat",      "enrgpmt.dat"};

// The report shows any loaded configuration, and stops the program only when
// the temperature range's use is neither 1 nor 2.
void report(const Session& loaded, ReportVariant variant) {
  try {
    print_summary_report(loaded, variant);
  } catch (const ProgramStop& stop) {
    require(stop.status == 1, "the report stops with status 1");
    require(loaded.config.temp_range_use != 1 && loaded.config.temp_range_use != 2,
            "the report stops only for a temperature range of no known use");
  }
}

// The library's listing and its look-ups, each with a keyboard that answers
// every pause they may make with go: eleven for the listing, one for a look-up.
void read_library(const Files& files) {
  const std::string go = "go\n";
  const auto run = [&](std::size_t pauses, auto&& operation) {
    std::string typed;
    for (std::size_t i = 0; i < pauses; ++i) typed += go;
    QuietSession quiet(files, typed);
    try {
      operation(*quiet.session);
    } catch (const FatalError& error) {
      require(std::string_view(error.what()).starts_with(kMaterialsLibraryFile),
              "a library that cannot be read is named, and pauses no more than it should");
    }
  };
  run(11, [](Session& session) { list_materials_library(session.files, session.term, session.model.mb_aa); });
  for (const char* a_name : {"Ag", "Na", "end", "Zz"}) {
    run(1, [&](Session& session) {
      look_up_materials(session.files, session.term, session.model, 1, FixedText<4>(a_name), FixedText<2>());
    });
    run(1, [&](Session& session) {
      look_up_materials(session.files, session.term, session.model, 2, FixedText<4>(a_name), FixedText<2>("Cu"));
    });
  }
}

void load_as(const std::string& name, const std::string& text) {
  Files files = example_files();
  files[name] = text;
  QuietSession first(files);
  std::string error;
  if (!starts_up(first, &error)) {
    require(error.starts_with(name), "a load that fails names the file it failed on");
    return;
  }
  Session& loaded = *first.session;
  require(loaded.config.recover == 0, "recover is off after start-up");
  require(loaded.model.residue_set_count >= 0 && loaded.model.residue_set_count <= kSetCapacity,
          "the residue sets fit the model");
  require(loaded.model.ch_count >= 0 && loaded.model.ch_count <= kSetCapacity, "the neutral-bond sets fit the model");

  report(loaded, ReportVariant::before_save);
  if (name == kMaterialsLibraryFile) read_library(files);

  save_configuration(loaded);
  const Files saved = first.disk.files;

  QuietSession second(saved);
  if (!starts_up(second, &error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    require(false, "a saved configuration loads again");
  }
  save_configuration(*second.session);
  require(without_backups(second.disk.files) == without_backups(saved), "a second save writes the same bytes");

  require_reloads_as_saved(saved);
  report(*second.session, ReportVariant::after_reload);
}

}  // namespace
}  // namespace cfg::fuzz

// The low four bits of the first byte choose the file, in the order of
// kFileNames ('0' to '9', then ':' to '?' in a readable seed); the rest of the
// input is its content. Mutating that byte moves the same content to another
// file, so every file is tried with what was found for the others.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const char* name = cfg::fuzz::kFileNames[data[0] & 0x0F];
  const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
  cfg::fuzz::context() = std::string("the input as ") + name;
  try {
    cfg::fuzz::load_as(name, text);
  } catch (const cfg::FatalError& error) {
    std::fprintf(stderr, "%s\n", error.what());
    cfg::fuzz::require(false, "a configuration that loaded saves to memory without an error");
  }
  return 0;
}
