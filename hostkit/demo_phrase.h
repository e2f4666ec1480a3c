#pragma once

#include "hostkit/audio_buffer.h"

namespace ferrulith::host
{

// A short guitar-like stereo phrase made in code, so that the demo needs no
// sample files: a plucked single-note run, then a strummed E minor chord left
// to ring, about five seconds, peaking at half of full scale. The same rate
// always gives the same samples.
AudioBuffer makeDemoPhrase(double sampleRate);

} // namespace ferrulith::host
