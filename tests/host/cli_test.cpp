// ferrulith-host run as a person runs it, on the real bundle.

#include "audio_file.h"
#include "host_commands.h"
#include "hostkit/plugin_instance.h"
#include "hostkit/plugin_module.h"
#include "hostkit/render.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

using namespace ferrulith::host;
namespace fs = std::filesystem;

namespace
{

struct ProgramRun
{
    int status = -1;
    std::string output; // stdout and stderr together
};

ProgramRun runHostProgram(const std::string& arguments)
{
    ProgramRun run;
    const std::string command = std::string(FERRULITH_HOST_PATH) + " --bundle " +
                                FERRULITH_BUNDLE_PATH + " " + arguments + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return run;
    char buffer[4096];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        run.output.append(buffer, got);
    run.status = pclose(pipe);
    return run;
}

class ScratchFolder
{
public:
    ScratchFolder()
        : path(fs::temp_directory_path() /
               ("ferrulith-cli-" +
                std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name()))
    {
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~ScratchFolder() { fs::remove_all(path); }
    const fs::path path;
};

} // namespace

TEST(HostProgram, InfoListsTheFactoryTheTenParametersAndThePresets)
{
    const ProgramRun run = runHostProgram("--info");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("Classes: 2"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("Parameters: 10"), std::string::npos) << run.output;
    for (const char* title : {"\"Bypass\"", "\"Preamp\"", "\"Noise\"", "\"Volume\"", "\"Lo\"",
                              "\"Res\"", "\"Cut\"", "\"Hi\"", "\"Boost\"", "\"Presets\""})
        EXPECT_NE(run.output.find(title), std::string::npos) << title;
    EXPECT_NE(run.output.find("program-change"), std::string::npos);
    EXPECT_NE(run.output.find("\"Root\""), std::string::npos);
    EXPECT_NE(run.output.find("7 programs"), std::string::npos);
    EXPECT_NE(run.output.find("\"Well boosted\""), std::string::npos);
}

TEST(HostProgram, RendersAFileWithAPresetAndSettingsExactlyAsTheLibraryDoes)
{
    ScratchFolder folder;
    AudioBuffer input;
    input.sampleRate = 44100.0;
    input.channels.assign(1, std::vector<float>(11025)); // mono: both sides get it
    for (std::size_t i = 0; i < input.frames(); ++i)
        input.channels[0][i] = float(0.4 * std::sin(2.0 * M_PI * 196.0 * double(i) / 44100.0));
    const std::string in = (folder.path / "dry.wav").string();
    const std::string out = (folder.path / "wet.wav").string();
    writeAudioFile(in, input);

    const ProgramRun run = runHostProgram("--in " + in + " --out " + out +
                                          " --preset 'Well boosted' --param 2=0.3 --block 100");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find(out), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find('%'), std::string::npos) << "no progress line on a short file";
    const AudioBuffer written = readAudioFile(out);
    EXPECT_EQ(written.sampleRate, 44100.0);
    ASSERT_EQ(written.channels.size(), 2u);
    ASSERT_EQ(written.frames(), input.frames());

    PluginModule module(FERRULITH_BUNDLE_PATH);
    PluginInstance instance(module);
    instance.startProcessing({44100.0, 100, true});
    instance.selectProgram("Well boosted");
    instance.setParameter(2, 0.3);
    const AudioBuffer expected = renderAudio(instance, input);
    for (std::size_t c = 0; c < 2; ++c)
        EXPECT_EQ(written.channels[c], expected.channels[c]) << "channel " << c;
}

TEST(HostProgram, ARenderingRepeatedLaterIsTheSameFileByteForByte)
{
    ScratchFolder folder;
    AudioBuffer input;
    input.sampleRate = 48000.0;
    input.channels.assign(2, std::vector<float>(4800, 0.25f));
    const std::string in = (folder.path / "dry.wav").string();
    writeAudioFile(in, input);
    auto render = [&](const std::string& name)
    {
        const std::string out = (folder.path / name).string();
        EXPECT_EQ(runHostProgram("--in " + in + " --out " + out).status, 0);
        std::ifstream file(out, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {});
    };
    const std::string first = render("first.wav");
    // Files are stamped to the second.
    std::this_thread::sleep_for(std::chrono::milliseconds(1100));
    const std::string second = render("second.wav");
    EXPECT_FALSE(first.empty());
    EXPECT_TRUE(first == second) << "the two files differ";
}

TEST(HostProgram, MistakesEndWithAReasonAndAFailingStatus)
{
    ScratchFolder folder;
    const std::string out = (folder.path / "wet.wav").string();
    const ProgramRun missingInput = runHostProgram("--in /no/such.wav --out " + out);
    EXPECT_NE(missingInput.status, 0);
    EXPECT_NE(missingInput.output.find("/no/such.wav"), std::string::npos) << missingInput.output;

    const std::string in = (folder.path / "dry.wav").string();
    writeAudioFile(in, AudioBuffer{48000.0, {std::vector<float>(64, 0.0f)}});
    const ProgramRun badPreset = runHostProgram("--in " + in + " --out " + out + " --preset Nope");
    EXPECT_NE(badPreset.status, 0);
    EXPECT_NE(badPreset.output.find("Dungeon"), std::string::npos) << badPreset.output;
    const ProgramRun badParameter =
        runHostProgram("--in " + in + " --out " + out + " --param 42=0.5");
    EXPECT_NE(badParameter.status, 0);
    EXPECT_NE(badParameter.output.find("42"), std::string::npos) << badParameter.output;
    EXPECT_FALSE(fs::exists(out));
}

TEST(HostProgram, OddInputFilesEndWithAReasonAndWriteNothing)
{
    ScratchFolder folder;
    const std::string out = (folder.path / "wet.wav").string();
    auto write = [&](const char* name, double rate, std::size_t channels, std::size_t frames)
    {
        const std::string path = (folder.path / name).string();
        writeAudioFile(path, AudioBuffer{rate, std::vector<std::vector<float>>(
                                                   channels, std::vector<float>(frames, 0.25f))});
        return path;
    };
    // An empty file; the header alone says what it would hold.
    const std::string empty = (folder.path / "empty.wav").string();
    {
        FILE* file = std::fopen(empty.c_str(), "wb");
        ASSERT_TRUE(file);
        const unsigned char header[44] = {'R', 'I', 'F',  'F',  36,  0,   0,   0,    'W', 'A', 'V',
                                          'E', 'f', 'm',  't',  ' ', 16,  0,   0,    0,   1,   0,
                                          2,   0,   0x80, 0xbb, 0,   0,   0,   0xee, 2,   0,   4,
                                          0,   16,  0,    'd',  'a', 't', 'a', 0,    0,   0,   0};
        std::fwrite(header, 1, sizeof header, file);
        std::fclose(file);
    }
    const std::string garbage = (folder.path / "garbage.wav").string();
    std::FILE* junk = std::fopen(garbage.c_str(), "wb");
    ASSERT_TRUE(junk);
    std::fputs("not audio at all, just words", junk);
    std::fclose(junk);

    const struct
    {
        std::string input;
        const char* reason;
    } refused[] = {
        {empty, "no audio frames"},
        {garbage, "garbage.wav"},
        {write("fast.wav", 2000000.0, 2, 64), "2000000 Hz"},
        {write("slow.wav", 100.0, 2, 64), "100 Hz"},
    };
    for (const auto& odd : refused)
    {
        const ProgramRun run = runHostProgram("--in " + odd.input + " --out " + out);
        EXPECT_NE(run.status, 0) << odd.input;
        EXPECT_NE(run.output.find(odd.reason), std::string::npos) << run.output;
        EXPECT_FALSE(fs::exists(out)) << odd.input;
    }
    // A rate of its own makes the fast file usable.
    const std::string fast = (folder.path / "fast.wav").string();
    EXPECT_EQ(runHostProgram("--in " + fast + " --out " + out + " --rate 48000").status, 0);
    fs::remove(out);

    // Six channels: the plug-in's two are rendered, with a word about the rest.
    const ProgramRun six =
        runHostProgram("--in " + write("six.wav", 48000.0, 6, 64) + " --out " + out);
    EXPECT_EQ(six.status, 0) << six.output;
    EXPECT_NE(six.output.find("6 channels"), std::string::npos) << six.output;
    EXPECT_EQ(readAudioFile(out).channels.size(), 2u);
}

TEST(HostProgram, TheDemoRendersOnePhraseThroughEveryPresetIntoNamedFiles)
{
    ScratchFolder folder;
    const fs::path demo = folder.path / "demo";
    const ProgramRun run = runHostProgram("--demo " + demo.string());
    ASSERT_EQ(run.status, 0) << run.output;

    PluginModule module(FERRULITH_BUNDLE_PATH);
    const auto presets = PluginInstance(module).presetNames();
    ASSERT_EQ(presets.size(), 7u);
    std::vector<AudioBuffer> renderings;
    for (const std::string& preset : presets)
    {
        const fs::path file = demo / demoFileName(preset);
        EXPECT_NE(run.output.find(file.string()), std::string::npos) << run.output;
        ASSERT_TRUE(fs::exists(file)) << file;
        renderings.push_back(readAudioFile(file.string()));
        const AudioBuffer& audio = renderings.back();
        EXPECT_EQ(audio.sampleRate, 48000.0);
        EXPECT_EQ(audio.channels.size(), 2u);
        EXPECT_GE(audio.seconds(), 4.0);
        EXPECT_LE(audio.seconds(), 6.0);
        float peak = 0.0f;
        for (float sample : audio.channels[0])
            peak = std::max(peak, std::fabs(sample));
        EXPECT_GT(peak, 0.01f) << preset << " is silent";
    }
    for (std::size_t a = 0; a < renderings.size(); ++a)
        for (std::size_t b = a + 1; b < renderings.size(); ++b)
            EXPECT_NE(renderings[a].channels, renderings[b].channels)
                << presets[a] << " sounds exactly like " << presets[b];
}
