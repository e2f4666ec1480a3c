// Audio files where the host is built without libsndfile (the Windows
// build): every read and write says so.
#include "audio_file.h"

#include "hostkit/host_error.h"

namespace ferrulith::host
{

namespace
{
[[noreturn]] void unavailable(const std::string& path)
{
    throw HostError("cannot read or write " + path +
                    ": this build of the host has no audio file support (libsndfile)");
}
} // namespace

AudioBuffer readAudioFile(const std::string& path)
{
    unavailable(path);
}

void writeAudioFile(const std::string& path, const AudioBuffer&)
{
    unavailable(path);
}

} // namespace ferrulith::host
