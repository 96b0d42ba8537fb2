#include <iostream>

#include "driver/run_config.h"
#include "io/file_system.h"
#include "io/line_source.h"

int main() {
  cfg::StreamLines keyboard("keyboard", std::cin);
  cfg::DiskFileSystem files(".");
  return cfg::run_config(keyboard, std::cout, std::cerr, files);
}
