#pragma once

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

// Keystrokes as a terminal sends them to the line editor.
namespace keys {
inline constexpr const char* up = "\x1b[A";
inline constexpr const char* down = "\x1b[B";
inline constexpr const char* right = "\x1b[C";
inline constexpr const char* left = "\x1b[D";
inline constexpr const char* home = "\x1b[H";
inline constexpr const char* end = "\x1b[F";
inline constexpr const char* ctrl_a = "\x01";
inline constexpr const char* ctrl_d = "\x04";
inline constexpr const char* ctrl_e = "\x05";
inline constexpr const char* backspace = "\x7f";
}  // namespace keys

// A scratch file that stands in for the terminal: the line editor reads the
// typed keys from it (it reads the descriptor, so the text must be in a real
// file) or writes its echo into it.
class ScratchStream {
 public:
  explicit ScratchStream(const std::string& text = "") : file_(std::tmpfile()) {
    if (file_ == nullptr) throw std::runtime_error("cannot create a scratch file");
    std::fputs(text.c_str(), file_);
    std::fflush(file_);
    std::rewind(file_);
  }
  ~ScratchStream() { std::fclose(file_); }
  ScratchStream(const ScratchStream&) = delete;
  ScratchStream& operator=(const ScratchStream&) = delete;

  std::FILE* get() const { return file_; }

  std::string text() const {
    std::fflush(file_);
    std::rewind(file_);
    std::string all;
    char buffer[4096];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file_)) > 0) all.append(buffer, got);
    return all;
  }

 private:
  std::FILE* file_;
};

// The line editor reads the user's key bindings and the terminal's
// description once; the tests use the defaults on a plain terminal.
inline void use_default_line_editor() {
  ::setenv("INPUTRC", "/dev/null", 1);
  ::setenv("TERM", "dumb", 1);
}
