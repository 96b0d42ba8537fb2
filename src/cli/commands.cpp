#include "cli/commands.h"

#include "cli/command_table.h"
#include "driver/save_journal.h"
#include "io/errors.h"
#include "io/message_text.h"
#include "io/output_writer.h"

namespace cfg {

int operand_error(OutputWriter& err, const std::string& message) {
  err << "config: " << message << "\n";
  err.flush();
  return 2;
}

int run_command(const Command& command, FileSystem& files, OutputWriter& out, OutputWriter& err) {
  const CommandForm* form = find_command_form(command.name, command.option);
  if (form == nullptr) return operand_error(err, "unknown command '" + printable(command.name) + "'");
  if (form->takes_operands() && !form->missing.empty() && command.operands.empty()) {
    return operand_error(err, std::string(form->missing));
  }
  int status = 2;
  bool unfinished = false;
  try {
    if (form->interrupted_save == InterruptedSave::report) {
      unfinished = report_unfinished_save(files, err);
    } else if (form->interrupted_save == InterruptedSave::finish) {
      finish_interrupted_save(files, err);
    }
    status = form->handler(files, command.operands, out, err);
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
