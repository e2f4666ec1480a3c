#include "command_line.h"
#include "host_commands.h"

#include <iostream>

int main(int argc, char** argv)
{
    using namespace ferrulith::host;
    const ParsedCommandLine parsed = parseCommandLine(argc, argv, std::cout, std::cerr);
    if (!parsed.commandLine)
        return parsed.exitCode;
    return runHost(*parsed.commandLine, std::cout, std::cerr);
}
