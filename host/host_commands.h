#pragma once

#include "command_line.h"

#include <iosfwd>
#include <string>

namespace ferrulith::host
{

// Runs what the command line asks for; reports go to `out`, progress and
// errors to `err`. Returns the process exit code.
int runHost(const CommandLine& commandLine, std::ostream& out, std::ostream& err);

// The file name a demo rendering of `preset` gets: lower case, words joined
// by hyphens, ".wav".
std::string demoFileName(const std::string& preset);

} // namespace ferrulith::host
