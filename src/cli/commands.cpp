#include "cli/commands.h"

#include "driver/save_journal.h"
#include "io/errors.h"
#include "io/output_writer.h"

namespace cfg {

int operand_error(OutputWriter& err, const std::string& message) {
  err << "config: " << message << "\n";
  err.flush();
  return 2;
}

int run_command(const Command& command, FileSystem& files, OutputWriter& out, OutputWriter& err) {
  int status = 2;
  bool unfinished = false;
  try {
    if (command.name == "check") {
      unfinished = report_unfinished_save(files, err);
    } else {
      finish_interrupted_save(files, err);
    }
    if (command.name == "show") {
      status = command.json ? show_json(files, out, err) : show_report(files, out, err);
    } else if (command.name == "get") {
      status = get_values(files, command.operands, out, err);
    } else if (command.name == "set") {
      status = set_values(files, command.operands, out, err);
    } else if (command.name == "check") {
      status = check_configuration(files, out, err);
    } else if (command.name == "init") {
      status = write_example_configuration(files, out, err);
    }
  } catch (const FatalError& error) {
    out.flush();
    status = operand_error(err, error.what());
  } catch (const ProgramStop& stop) {
    status = stop.status;
  }
  out.flush();
  return unfinished ? 2 : status;
}

}  // namespace cfg
