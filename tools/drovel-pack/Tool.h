// drovel-pack's commands, run on a parsed command line; main() only prints.
#pragma once
#include <string>
#include <vector>

namespace drovel {

// Runs the command of args (argv without the program). out and err receive what is printed.
// The exit code: 0 success, 1 bad input or failed write, 2 bad command line.
int RunTool(const std::vector<std::string>& args, std::string& out, std::string& err);

} // namespace drovel
