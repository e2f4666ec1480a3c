#include "command_line.h"

#include <CLI/CLI.hpp>

#include <cmath>
#include <ostream>

namespace ferrulith::host
{

namespace
{

// "ID=VALUE", an unsigned parameter identifier and a normalized value.
std::pair<std::uint32_t, double> parseParameterAssignment(const std::string& text)
{
    const auto equals = text.find('=');
    if (equals == std::string::npos || equals == 0 || equals + 1 == text.size())
        throw CLI::ValidationError("--param", "expected ID=VALUE, got \"" + text + "\"");
    std::uint32_t id = 0;
    double value = 0.0;
    if (!CLI::detail::lexical_cast(text.substr(0, equals), id))
        throw CLI::ValidationError("--param", "\"" + text.substr(0, equals) +
                                                  "\" is not a parameter identifier");
    if (!CLI::detail::lexical_cast(text.substr(equals + 1), value) || !std::isfinite(value) ||
        value < 0.0 || value > 1.0)
        throw CLI::ValidationError("--param", "\"" + text.substr(equals + 1) +
                                                  "\" is not a normalized value from 0 to 1");
    return {id, value};
}

} // namespace

ParsedCommandLine parseCommandLine(int argc, const char* const* argv, std::ostream& out,
                                   std::ostream& err)
{
    CommandLine line;
    std::vector<std::string> parameterTexts;
    double sampleRate = 0.0;

    CLI::App app{"Loads a VST 3 bundle, lists what it offers and renders audio through it."};
    app.add_option("--bundle", line.bundle, "the .vst3 bundle folder (or its module file)")
        ->required();
    auto* info = app.add_flag("--info", "list the factory, its classes, parameters and programs");
    auto* input = app.add_option("--in", line.inputFile, "audio file to render");
    auto* output = app.add_option("--out", line.outputFile, "where to write the rendering");
    auto* demo = app.add_option("--demo", line.demoFolder,
                                "render the built-in demo phrase through every factory preset "
                                "into this folder");
    auto* preset =
        app.add_option("--preset", line.preset, "factory preset to render with, by name");
    auto* parameter = app.add_option("--param", parameterTexts,
                                     "set a parameter before rendering: ID=VALUE, VALUE "
                                     "normalized from 0 to 1; repeatable")
                          ->take_all();
    auto* bypass = app.add_flag("--bypass", line.bypass, "render with the plug-in bypassed");
    auto* rate = app.add_option("--rate", sampleRate,
                                "sample rate to process at (default: the input file's, 48000 "
                                "for the demo)")
                     ->check(CLI::Range(kMinSampleRate, kMaxSampleRate));
    auto* block = app.add_option("--block", line.blockSize, "frames per processing block")
                      ->capture_default_str()
                      ->check(CLI::Range(1, 65536));

    double editorSeconds = 0.0;
    auto* editor = app.add_flag("--editor", "open the plug-in's editor in a window");
    auto* seconds = app.add_option("--seconds", editorSeconds,
                                   "close the editor's window after this many seconds")
                        ->check(CLI::Validator(
                            [](std::string& text)
                            {
                                double value = 0.0;
                                if (!CLI::detail::lexical_cast(text, value) ||
                                    !std::isfinite(value) || value <= 0.0)
                                    return std::string("expected a number of seconds above 0");
                                return std::string();
                            },
                            "SECONDS"));
    auto* picture = app.add_option("--editor-png", line.editorPicture,
                                   "save a picture of the editor to this PNG file");

    seconds->needs(editor);
    editor->excludes(info, input, demo);
    picture->excludes(info, input, demo);
    input->needs(output);
    output->needs(input);
    info->excludes(input, demo);
    demo->excludes(input);
    for (auto* renderOnly : {preset, parameter, bypass})
        renderOnly->excludes(info);
    (void)rate;
    (void)block;

    try
    {
        app.parse(argc, argv);
        for (const auto& text : parameterTexts)
            line.parameters.push_back(parseParameterAssignment(text));
        if (!*input && !*demo && !*info && !*editor && !*picture)
            throw CLI::RequiredError("one of --info, --in/--out, --demo, --editor or --editor-png");
    }
    catch (const CLI::ParseError& error)
    {
        return {std::nullopt, app.exit(error, out, err)};
    }

    line.task = *demo                 ? HostTask::Demo
                : *input              ? HostTask::Render
                : *editor || *picture ? HostTask::Editor
                                      : HostTask::Info;
    line.editorWindow = static_cast<bool>(*editor);
    if (*seconds)
        line.editorSeconds = editorSeconds;
    if (*rate)
        line.sampleRate = sampleRate;
    return {line, 0};
}

} // namespace ferrulith::host
