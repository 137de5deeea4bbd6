// vormel calcula [--pasta DIR] [--cpf CPF ...] [--grava]: recomputes the saved
// declarations of a work folder and prints one line of figures per declaration.
#pragma once
#include <iosfwd>
#include <string>
#include <vector>

#include "core/date.h"

namespace vormel::shell {

// `args` are the words after "calcula"; `program_folder` is DVORMEL or the current
// folder; `today` is the day the computation believes it is. Gives the exit status: 0 when every declaration was computed (and stored),
// 1 when some could not be, 2 for a wrong command line.
int calcula_command(const std::vector<std::string>& args, const std::string& program_folder, core::Date today,
                    std::ostream& out, std::ostream& err);

}  // namespace vormel::shell
