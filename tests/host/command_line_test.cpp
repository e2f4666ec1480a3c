#include "command_line.h"
#include "host_commands.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace ferrulith::host;

namespace
{

struct Outcome
{
    ParsedCommandLine parsed;
    std::string out;
    std::string err;
};

Outcome parse(std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin(), "ferrulith-host");
    std::vector<const char*> argv;
    for (const auto& argument : arguments)
        argv.push_back(argument.c_str());
    std::ostringstream out, err;
    Outcome outcome{parseCommandLine(int(argv.size()), argv.data(), out, err), {}, {}};
    outcome.out = out.str();
    outcome.err = err.str();
    return outcome;
}

} // namespace

TEST(CommandLine, RenderingTakesEverySettingInOrder)
{
    const auto outcome = parse({"--bundle", "b.vst3", "--in", "dry.wav", "--out", "wet.wav",
                                "--preset", "Dark master", "--param", "0=0.25", "--param", "7=1",
                                "--bypass", "--rate", "44100", "--block", "64"});
    ASSERT_TRUE(outcome.parsed.commandLine) << outcome.err;
    const CommandLine& line = *outcome.parsed.commandLine;
    EXPECT_EQ(line.task, HostTask::Render);
    EXPECT_EQ(line.bundle, "b.vst3");
    EXPECT_EQ(line.inputFile, "dry.wav");
    EXPECT_EQ(line.outputFile, "wet.wav");
    EXPECT_EQ(line.preset, "Dark master");
    using Settings = std::vector<std::pair<std::uint32_t, double>>;
    EXPECT_EQ(line.parameters, (Settings{{0, 0.25}, {7, 1.0}}));
    EXPECT_TRUE(line.bypass);
    EXPECT_EQ(line.sampleRate, 44100.0);
    EXPECT_EQ(line.blockSize, 64);
}

TEST(CommandLine, InfoAndDemoNeedOnlyTheBundleAndLeaveTheRateToTheSource)
{
    const auto info = parse({"--bundle", "b.vst3", "--info"});
    ASSERT_TRUE(info.parsed.commandLine) << info.err;
    EXPECT_EQ(info.parsed.commandLine->task, HostTask::Info);

    const auto demo = parse({"--bundle", "b.vst3", "--demo", "out"});
    ASSERT_TRUE(demo.parsed.commandLine) << demo.err;
    EXPECT_EQ(demo.parsed.commandLine->task, HostTask::Demo);
    EXPECT_EQ(demo.parsed.commandLine->demoFolder, "out");
    EXPECT_FALSE(demo.parsed.commandLine->sampleRate);
    EXPECT_EQ(demo.parsed.commandLine->blockSize, 512);
}

TEST(CommandLine, MalformedParameterSettingsAreRefusedWithTheReason)
{
    for (const char* bad : {"0", "=0.5", "0=", "x=0.5", "0=1.5", "0=-0.1", "0=nan", "-1=0.5"})
    {
        const auto outcome =
            parse({"--bundle", "b", "--in", "a.wav", "--out", "c.wav", "--param", bad});
        EXPECT_FALSE(outcome.parsed.commandLine) << bad;
        EXPECT_NE(outcome.parsed.exitCode, 0) << bad;
        EXPECT_NE(outcome.err.find("--param"), std::string::npos) << bad << ": " << outcome.err;
    }
}

TEST(CommandLine, ContradictoryOrIncompleteRequestsAreRefused)
{
    const std::vector<std::vector<std::string>> requests = {
        {"--info"},                                             // no bundle
        {"--bundle", "b"},                                      // nothing to do
        {"--bundle", "b", "--in", "a.wav"},                     // nowhere to write
        {"--bundle", "b", "--out", "a.wav"},                    // nothing to read
        {"--bundle", "b", "--info", "--in", "a", "--out", "c"}, // two tasks
        {"--bundle", "b", "--demo", "d", "--in", "a", "--out", "c"},
        {"--bundle", "b", "--info", "--preset", "default"}, // settings without rendering
        {"--bundle", "b", "--demo", "d", "--block", "0"},
        {"--bundle", "b", "--demo", "d", "--rate", "-48000"},
        {"--bundle", "b", "--demo", "d", "--unknown"},
    };
    for (const auto& request : requests)
    {
        const auto outcome = parse(request);
        EXPECT_FALSE(outcome.parsed.commandLine) << request.back();
        EXPECT_NE(outcome.parsed.exitCode, 0) << request.back();
        EXPECT_FALSE(outcome.err.empty()) << request.back();
    }
}

TEST(CommandLine, HelpListsTheOptionsAndEndsSuccessfully)
{
    const auto outcome = parse({"--help"});
    EXPECT_FALSE(outcome.parsed.commandLine);
    EXPECT_EQ(outcome.parsed.exitCode, 0);
    for (const char* option : {"--bundle", "--info", "--in", "--out", "--demo", "--preset",
                               "--param", "--bypass", "--rate", "--block"})
        EXPECT_NE(outcome.out.find(option), std::string::npos) << option;
}

TEST(CommandLine, DemoFilesAreNamedAfterTheirPresetInPlainLowerCase)
{
    EXPECT_EQ(demoFileName("default"), "default.wav");
    EXPECT_EQ(demoFileName("Bright crunch"), "bright-crunch.wav");
    EXPECT_EQ(demoFileName("  Well  boosted! "), "well-boosted.wav");
    EXPECT_EQ(demoFileName("../../etc/passwd"), "etc-passwd.wav"); // never leaves the folder
    EXPECT_EQ(demoFileName(""), "preset.wav");
}
