#pragma once

#include "hostkit/audio_buffer.h"

#include <string>

namespace ferrulith::host
{

// Reads any file libsndfile understands into 32-bit channels. Throws
// HostError with the library's reason when the file cannot be read.
AudioBuffer readAudioFile(const std::string& path);

// Writes 32-bit float samples so that a rendering keeps every bit the
// plug-in produced; the container follows the extension (.wav, .aif/.aiff,
// .flac as 24-bit, .ogg as Vorbis). Throws HostError on failure.
void writeAudioFile(const std::string& path, const AudioBuffer& audio);

} // namespace ferrulith::host
