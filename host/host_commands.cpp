#include "host_commands.h"

#include "audio_file.h"
#include "hostkit/demo_phrase.h"
#include "editor_session.h"
#include "hostkit/host_error.h"
#include "plugin_info.h"
#include "hostkit/plugin_instance.h"
#include "hostkit/plugin_module.h"
#include "hostkit/render.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <memory>
#include <ostream>
#include <set>

namespace ferrulith::host
{

namespace
{

constexpr double kDemoSampleRate = 48000.0;
// Files shorter than this render in a moment and get no progress line.
constexpr double kLongFileSeconds = 30.0;

// Updates one line in place on a terminal; elsewhere prints a line for
// every tenth, so a log stays short.
RenderProgress progressLine(std::ostream& err, const std::string& label, double seconds)
{
    if (seconds < kLongFileSeconds)
        return {};
    const bool terminal = isatty(STDERR_FILENO) != 0;
    auto lastShown = std::make_shared<int>(-1);
    return [&err, label, terminal, lastShown](std::size_t done, std::size_t total)
    {
        const int percent = total ? int(100 * done / total) : 100;
        const int step = terminal ? percent : percent / 10 * 10;
        if (step == *lastShown)
            return;
        *lastShown = step;
        if (terminal)
            err << "\r" << label << ": " << percent << "%" << (done == total ? "\n" : "")
                << std::flush;
        else
            err << label << ": " << step << "%\n";
    };
}

void makeFolder(const std::string& folder)
{
    if (mkdir(folder.c_str(), 0777) != 0 && errno != EEXIST)
        throw HostError("cannot make the folder " + folder + ": " + std::strerror(errno));
    struct stat info = {};
    if (stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        throw HostError(folder + " is not a folder");
}

void applySettings(PluginInstance& instance, const CommandLine& line)
{
    if (!line.preset.empty())
        instance.selectProgram(line.preset);
    for (const auto& [id, value] : line.parameters)
        instance.setParameter(id, value);
    if (line.bypass)
        instance.setBypass(true);
}

int showInfo(const CommandLine& line, std::ostream& out)
{
    PluginModule module(line.bundle);
    // The factory is worth seeing even when its classes will not start.
    printFactoryInfo(out, module);
    out << std::flush;
    PluginInstance instance(module);
    printInstanceInfo(out, instance);
    return 0;
}

int renderFile(const CommandLine& line, std::ostream& out, std::ostream& err)
{
    const AudioBuffer input = readAudioFile(line.inputFile);
    PluginModule module(line.bundle);
    PluginInstance instance(module);
    if (int(input.channels.size()) > instance.inputChannelCount() &&
        instance.inputChannelCount() > 0)
        err << "warning: " << line.inputFile << " has " << input.channels.size()
            << " channels; the plug-in takes the first " << instance.inputChannelCount() << "\n";

    if (!line.sampleRate &&
        (input.sampleRate < kMinSampleRate || input.sampleRate > kMaxSampleRate))
        throw HostError(line.inputFile + " is at " + std::to_string(long(input.sampleRate)) +
                        " Hz; the host processes at " + std::to_string(long(kMinSampleRate)) +
                        " to " + std::to_string(long(kMaxSampleRate)) +
                        " Hz (choose a rate with --rate)");
    ProcessingSetup setup;
    setup.sampleRate = line.sampleRate.value_or(input.sampleRate);
    setup.maxBlockSize = line.blockSize;
    setup.offline = true;
    instance.startProcessing(setup);
    applySettings(instance, line);
    const AudioBuffer output = renderAudio(
        instance, input, progressLine(err, "Rendering " + line.inputFile, input.seconds()));
    instance.stopProcessing();
    writeAudioFile(line.outputFile, output);
    out << "Wrote " << line.outputFile << " (" << output.frames() << " frames, "
        << output.channels.size() << " channels, " << output.sampleRate << " Hz)\n";
    return 0;
}

int renderDemo(const CommandLine& line, std::ostream& out)
{
    makeFolder(line.demoFolder);
    PluginModule module(line.bundle);
    std::vector<std::string> presets = PluginInstance(module).presetNames();
    if (presets.empty())
        throw HostError("the plug-in lists no presets to render the demo through");

    ProcessingSetup setup;
    setup.sampleRate = line.sampleRate.value_or(kDemoSampleRate);
    setup.maxBlockSize = line.blockSize;
    const AudioBuffer phrase = makeDemoPhrase(setup.sampleRate);

    std::set<std::string> used;
    out << "Rendering the demo phrase through " << presets.size() << " presets:\n";
    for (const std::string& preset : presets)
    {
        std::string name = demoFileName(preset);
        for (int n = 2; used.count(name); ++n)
            name = demoFileName(preset + " " + std::to_string(n));
        used.insert(name);

        // A fresh instance per preset, so no rendering hears another's tail.
        PluginInstance instance(module);
        instance.startProcessing(setup);
        instance.selectProgram(preset);
        for (const auto& [id, value] : line.parameters)
            instance.setParameter(id, value);
        if (line.bypass)
            instance.setBypass(true);
        const AudioBuffer rendered = renderAudio(instance, phrase);
        instance.stopProcessing();
        const std::string path = line.demoFolder + "/" + name;
        writeAudioFile(path, rendered);
        out << "  " << preset << ": " << path << "\n";
    }
    return 0;
}

int openEditor(const CommandLine& line, std::ostream& out)
{
    PluginModule module(line.bundle);
    PluginInstance instance(module);
    applySettings(instance, line);
    EditorOptions options;
    options.seconds = line.editorSeconds;
    options.pictureFile = line.editorPicture;
    options.closeAfterPicture = !line.editorWindow;
    runEditor(instance, options, out);
    return 0;
}

} // namespace

std::string demoFileName(const std::string& preset)
{
    std::string name;
    bool gap = false;
    for (unsigned char c : preset)
    {
        if (std::isalnum(c))
        {
            if (gap && !name.empty())
                name += '-';
            name += char(std::tolower(c));
            gap = false;
        }
        else
        {
            gap = true;
        }
    }
    return (name.empty() ? "preset" : name) + ".wav";
}

int runHost(const CommandLine& line, std::ostream& out, std::ostream& err)
{
    try
    {
        switch (line.task)
        {
        case HostTask::Info:
            return showInfo(line, out);
        case HostTask::Render:
            return renderFile(line, out, err);
        case HostTask::Demo:
            return renderDemo(line, out);
        case HostTask::Editor:
            return openEditor(line, out);
        }
    }
    catch (const std::exception& error)
    {
        err << "ferrulith-host: " << error.what() << "\n";
    }
    return 1;
}

} // namespace ferrulith::host
