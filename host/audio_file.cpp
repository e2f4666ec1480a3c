#include "audio_file.h"

#include "hostkit/host_error.h"

#include <sndfile.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <memory>

namespace ferrulith::host
{

namespace
{

struct SndfileCloser
{
    void operator()(SNDFILE* file) const { sf_close(file); }
};
using SndfileHandle = std::unique_ptr<SNDFILE, SndfileCloser>;

std::string lowerExtension(const std::string& path)
{
    const auto dot = path.rfind('.');
    const auto slash = path.rfind('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    std::string extension = path.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return extension;
}

int formatForExtension(const std::string& path)
{
    const std::string extension = lowerExtension(path);
    if (extension == "wav")
        return SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    if (extension == "aif" || extension == "aiff")
        return SF_FORMAT_AIFF | SF_FORMAT_FLOAT;
    if (extension == "flac")
        return SF_FORMAT_FLAC | SF_FORMAT_PCM_24;
    if (extension == "ogg")
        return SF_FORMAT_OGG | SF_FORMAT_VORBIS;
    throw HostError("cannot tell the file type of " + path +
                    ": use .wav, .aif, .aiff, .flac or .ogg");
}

} // namespace

AudioBuffer readAudioFile(const std::string& path)
{
    SF_INFO info = {};
    SndfileHandle file(sf_open(path.c_str(), SFM_READ, &info));
    if (!file)
        throw HostError("cannot read " + path + ": " + sf_strerror(nullptr));
    if (info.channels < 1 || info.samplerate < 1)
        throw HostError(path + " has no audio channels");

    // Read in pieces, so memory follows what the file holds rather than what
    // its header claims.
    AudioBuffer audio;
    audio.sampleRate = info.samplerate;
    audio.channels.resize(std::size_t(info.channels));
    constexpr sf_count_t kFramesPerRead = 16384;
    std::vector<float> interleaved(std::size_t(kFramesPerRead) * std::size_t(info.channels));
    for (;;)
    {
        const sf_count_t read = sf_readf_float(file.get(), interleaved.data(), kFramesPerRead);
        if (read < 0 || sf_error(file.get()) != SF_ERR_NO_ERROR)
            throw HostError("cannot read " + path + ": " + sf_strerror(file.get()));
        if (read == 0)
            break;
        for (std::size_t channel = 0; channel < audio.channels.size(); ++channel)
        {
            auto& samples = audio.channels[channel];
            for (std::size_t frame = 0; frame < std::size_t(read); ++frame)
                samples.push_back(interleaved[frame * audio.channels.size() + channel]);
        }
    }
    if (audio.frames() == 0)
        throw HostError(path + " holds no audio frames");
    return audio;
}

void writeAudioFile(const std::string& path, const AudioBuffer& audio)
{
    if (audio.channels.empty())
        throw HostError("nothing to write to " + path);
    SF_INFO info = {};
    info.samplerate = int(audio.sampleRate);
    info.channels = int(audio.channels.size());
    info.format = formatForExtension(path);
    if (!sf_format_check(&info))
        throw HostError("cannot write " + path + " at " + std::to_string(info.samplerate) +
                        " Hz with " + std::to_string(info.channels) + " channels");
    SndfileHandle file(sf_open(path.c_str(), SFM_WRITE, &info));
    if (!file)
        throw HostError("cannot write " + path + ": " + sf_strerror(nullptr));
    // The peak chunk carries the time of writing: without it, the same
    // rendering is the same file, byte for byte.
    sf_command(file.get(), SFC_SET_ADD_PEAK_CHUNK, nullptr, SF_FALSE);

    const std::size_t frames = audio.frames();
    std::vector<float> interleaved(frames * audio.channels.size());
    for (std::size_t frame = 0; frame < frames; ++frame)
        for (std::size_t channel = 0; channel < audio.channels.size(); ++channel)
            interleaved[frame * audio.channels.size() + channel] = audio.channels[channel][frame];
    // A file cut short (a full disk) is removed rather than left looking like
    // a finished rendering.
    if (sf_writef_float(file.get(), interleaved.data(), sf_count_t(frames)) != sf_count_t(frames))
    {
        const std::string reason = sf_strerror(file.get());
        file.reset();
        std::remove(path.c_str());
        throw HostError("cannot write " + path + ": " + reason);
    }
    if (sf_close(file.release()) != 0)
    {
        std::remove(path.c_str());
        throw HostError("cannot finish writing " + path);
    }
}

} // namespace ferrulith::host
