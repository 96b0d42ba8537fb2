#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <string_view>
#include <vector>
#include <unistd.h>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "cli/command_line.h"
#include "driver/run_config.h"
#include "io/file_system.h"
#include "io/line_source.h"
#include "io/output_writer.h"
#include "io/readline_lines.h"

// Everything the program prints goes through OutputWriters straight to the
// file descriptors: no iostreams, whose set-up would cost more than a short
// run's own work.

namespace {

// The interactive program's status: a session whose screens could not be
// written (a full disk, a closed pipe) has not done what it was run for, even
// where the files were saved.
int interactive_status(int status, cfg::DescriptorWriter& out, cfg::OutputWriter& err) {
  out.flush();
  if (!out.failed()) return status;
  err << "config: standard output: cannot write: " << std::strerror(out.error()) << '\n';
  err.flush();
  return 2;
}

int run_interactive(cfg::LineSource& keyboard, cfg::DescriptorWriter& out, cfg::OutputWriter& err,
                    cfg::DiskFileSystem& files) {
  files.send_notices_to(err);
  return interactive_status(cfg::run_config(keyboard, out, err, files), out, err);
}

#ifdef CONFIG_HAVE_READLINE

// At a terminal the answers are read with line editing. The edited line is
// echoed where the user sees it: standard output, or the terminal itself when
// standard output goes elsewhere (a pipe into tee, a file), so that the echo
// never mixes into the program's output. Everything the program prints passes
// through a ScreenLineWriter, which lets the editor keep a question that ends
// without a line end (the pause) when it redraws the answer.
int run_with_line_editing(cfg::DiskFileSystem& files) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> terminal(nullptr, std::fclose);
  std::FILE* echo = stdout;
  if (!::isatty(STDOUT_FILENO)) {
    terminal.reset(std::fopen("/dev/tty", "w"));
    if (!terminal) {
      cfg::DescriptorLines keyboard("keyboard", STDIN_FILENO);
      cfg::StandardWriters standard;
      return run_interactive(keyboard, standard.out, standard.err, files);
    }
    echo = terminal.get();
  }

  cfg::ScreenLine screen;
  cfg::ScreenLineWriter out(STDOUT_FILENO, screen);
  cfg::ScreenLineWriter err(STDERR_FILENO, screen, 0);
  err.tie_to(out);

  cfg::ReadlineSettings settings;
  settings.input = stdin;
  settings.echo = echo;
  settings.screen = &screen;
  // The one environment variable the program reads: where to keep the
  // answers for Up/Down across runs. Unset or empty, no file is kept.
  if (const char* history = std::getenv("CONFIG_HISTORY")) settings.history_file = history;

  cfg::ReadlineLines keyboard("keyboard", settings);
  return run_interactive(keyboard, out, err, files);
}

#endif

int run(int argc, char** argv) {
  // With arguments, the command line (after -C DIR alone, the interactive
  // program in DIR).
  if (argc > 1) {
    bool interactive = false;
    cfg::StandardWriters standard;
    const int status = cfg::run_command_line(std::vector<std::string_view>(argv + 1, argv + argc), standard.out,
                                             standard.err, interactive);
    if (!interactive) {
      // A script must not take a value that never reached it (a full disk,
      // a closed pipe) for one that did.
      standard.out.flush();
      if (standard.out.failed()) {
        standard.err << "config: standard output: cannot write: " << std::strerror(standard.out.error()) << '\n';
        return 2;
      }
      return status;
    }
  }
#if defined(__GLIBC__)
  // A run reads its large files one after another (a set file at capacity is
  // 250 KB), each into a fresh text. Left to itself the allocator maps every
  // block above 128 KiB separately and hands it back when freed, so each text
  // is faulted in page by page anew; kept in the heap, the next file reuses
  // the pages of the last. A run never holds more than a few megabytes.
  mallopt(M_MMAP_THRESHOLD, 4 << 20);
  mallopt(M_TRIM_THRESHOLD, 8 << 20);
#endif
  cfg::DiskFileSystem files(".");
#ifdef CONFIG_HAVE_READLINE
  if (::isatty(STDIN_FILENO)) return run_with_line_editing(files);
#endif
  cfg::DescriptorLines keyboard("keyboard", STDIN_FILENO);
  cfg::StandardWriters standard;
  return run_interactive(keyboard, standard.out, standard.err, files);
}

}  // namespace

int main(int argc, char** argv) {
  // A file-size limit fails the write with "File too large" instead of
  // killing the program mid-save.
  std::signal(SIGXFSZ, SIG_IGN);
  try {
    return run(argc, argv);
  } catch (const std::bad_alloc&) {
    // Written without allocating: there may be no memory left for a message.
    static constexpr char kMessage[] = "config: out of memory\n";
    [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, kMessage, sizeof kMessage - 1);
    return 2;
  }
}
