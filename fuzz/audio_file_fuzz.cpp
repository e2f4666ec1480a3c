// The host's audio-file input from any bytes: either the reason it cannot be
// read, or audio whose channels are all as long as each other, at a positive
// sample rate.
#include "audio_file.h"
#include "fuzz_check.h"
#include "hostkit/host_error.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

using namespace ferrulith::host;
using ferrulith::fuzz::check;

namespace
{
// Each input goes through a file, as the host reads nothing else.
struct ScratchFile
{
    ~ScratchFile() { std::remove(path.c_str()); }
    const std::string path = "/tmp/ferrulith-audio-fuzz-" + std::to_string(getpid());
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const ScratchFile scratch;
    const std::string& path = scratch.path;
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        abort();
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    try
    {
        const AudioBuffer audio = readAudioFile(path);
        bool whole = audio.sampleRate > 0 && !audio.channels.empty() && audio.frames() > 0;
        for (const auto& channel : audio.channels)
            whole = whole && channel.size() == audio.frames();
        check(whole, "audio read has equal channels at a positive rate");
    }
    catch (const HostError&)
    {
    }
    return 0;
}
