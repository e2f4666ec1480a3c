#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace ferrulith::host
{

enum class HostTask
{
    Info,
    Render,
    Demo,
    Editor,
};

// The sample rates the host processes at, given with --rate or taken from
// the input file.
constexpr double kMinSampleRate = 1000.0;
constexpr double kMaxSampleRate = 768000.0;

struct CommandLine
{
    std::string bundle;
    HostTask task = HostTask::Info;
    std::string inputFile;
    std::string outputFile;
    std::string demoFolder;
    std::string preset;
    // Normalized values by parameter identifier, applied in the order given.
    std::vector<std::pair<std::uint32_t, double>> parameters;
    bool bypass = false;
    std::optional<double> sampleRate; // the input file's rate when not given
    int blockSize = 512;
    // The editor: how long to keep its window open (until closed when empty)
    // and where to save its picture.
    bool editorWindow = false;
    std::optional<double> editorSeconds;
    std::string editorPicture;
};

struct ParsedCommandLine
{
    std::optional<CommandLine> commandLine; // empty when the program should stop
    int exitCode = 0;                       // meaningful when commandLine is empty
};

// Parses the host's arguments; help goes to `out`, mistakes to `err`.
ParsedCommandLine parseCommandLine(int argc, const char* const* argv, std::ostream& out,
                                   std::ostream& err);

} // namespace ferrulith::host
