#include "io/readline_lines.h"

#include <cstdlib>
#include <string_view>

#ifdef CONFIG_HAVE_READLINE
#include <readline/history.h>
#include <readline/readline.h>
#endif

namespace cfg {

void ScreenLine::note(const char* text, std::size_t size) {
  const std::string_view written(text, size);
  const std::size_t last_end = written.rfind('\n');
  if (last_end == std::string_view::npos) {
    text_.append(written);
  } else {
    text_.assign(written.substr(last_end + 1));
  }
}

void ScreenLineWriter::deliver(std::string_view text) {
  DescriptorWriter::deliver(text);
  screen_.note(text.data(), text.size());
}

#ifdef CONFIG_HAVE_READLINE

ReadlineLines::ReadlineLines(std::string name, ReadlineSettings settings)
    : name_(std::move(name)), settings_(std::move(settings)) {
  rl_readline_name = "config";
  rl_instream = settings_.input;
  rl_outstream = settings_.echo;
  // A Tab is typed into the line as it is, as on a plain terminal line.
  rl_inhibit_completion = 1;
  // The editor would otherwise export LINES and COLUMNS.
  rl_change_environment = 0;
  // Its signal handlers stay: they are set only while a line is read, put the
  // terminal back into its normal mode and then send the signal on, so Ctrl-C
  // or Ctrl-Z do exactly what they do without line editing.
  using_history();
  clear_history();
  if (!settings_.history_file.empty()) read_history(settings_.history_file.c_str());
}

ReadlineLines::~ReadlineLines() {
  if (!settings_.history_file.empty()) history_truncate_file(settings_.history_file.c_str(), kHistoryFileLines);
  clear_history();
}

bool ReadlineLines::next_line(std::string_view& line) {
  // A question that ends without a line end is already on the screen; the
  // editor is told so, to keep it when it redraws the line.
  const std::string shown = settings_.screen ? settings_.screen->text() : std::string();
  rl_already_prompted = shown.empty() ? 0 : 1;
  char* typed = readline(shown.c_str());
  if (typed == nullptr) return false;
  line_.assign(typed);
  std::free(typed);
  if (settings_.screen) settings_.screen->clear();
  ++line_number_;
  if (!line_.empty()) remember(line_);
  line = padded_line(line_);
  return true;
}

// A history file is a convenience: when it cannot be read or written, the
// answers are still recalled within this run and nothing is reported.
void ReadlineLines::remember(const std::string& line) {
  add_history(line.c_str());
  if (settings_.history_file.empty()) return;
  const char* file = settings_.history_file.c_str();
  // Appending needs the file to exist; the first answer creates it.
  if (append_history(1, file) != 0) write_history(file);
}

#endif  // CONFIG_HAVE_READLINE

}  // namespace cfg
