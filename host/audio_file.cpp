#include "audio_file.h"

#include "host_error.h"

#include <sndfile.h>

#include <algorithm>
#include <cctype>
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

    std::vector<float> interleaved(std::size_t(info.frames) * std::size_t(info.channels));
    const sf_count_t read = sf_readf_float(file.get(), interleaved.data(), info.frames);
    if (read < 0)
        throw HostError("cannot read " + path + ": " + sf_strerror(file.get()));

    AudioBuffer audio;
    audio.sampleRate = info.samplerate;
    audio.channels.assign(std::size_t(info.channels), std::vector<float>(std::size_t(read)));
    for (std::size_t frame = 0; frame < std::size_t(read); ++frame)
        for (std::size_t channel = 0; channel < audio.channels.size(); ++channel)
            audio.channels[channel][frame] = interleaved[frame * audio.channels.size() + channel];
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

    const std::size_t frames = audio.frames();
    std::vector<float> interleaved(frames * audio.channels.size());
    for (std::size_t frame = 0; frame < frames; ++frame)
        for (std::size_t channel = 0; channel < audio.channels.size(); ++channel)
            interleaved[frame * audio.channels.size() + channel] = audio.channels[channel][frame];
    if (sf_writef_float(file.get(), interleaved.data(), sf_count_t(frames)) != sf_count_t(frames))
        throw HostError("cannot write " + path + ": " + sf_strerror(file.get()));
    if (sf_close(file.release()) != 0)
        throw HostError("cannot finish writing " + path);
}

} // namespace ferrulith::host
