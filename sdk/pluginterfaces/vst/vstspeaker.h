// Speakers and speaker arrangements: an arrangement is a 64-bit mask with one
// bit per speaker.
#pragma once

#include "pluginterfaces/vst/vsttypes.h"

namespace Steinberg
{
namespace Vst
{

const Speaker kSpeakerL = 1 << 0;
const Speaker kSpeakerR = 1 << 1;
const Speaker kSpeakerC = 1 << 2;
const Speaker kSpeakerLfe = 1 << 3;
const Speaker kSpeakerLs = 1 << 4;
const Speaker kSpeakerRs = 1 << 5;
const Speaker kSpeakerLc = 1 << 6;
const Speaker kSpeakerRc = 1 << 7;
const Speaker kSpeakerS = 1 << 8;
const Speaker kSpeakerCs = kSpeakerS;
const Speaker kSpeakerSl = 1 << 9;
const Speaker kSpeakerSr = 1 << 10;
const Speaker kSpeakerM = 1 << 19;

namespace SpeakerArr
{

const SpeakerArrangement kEmpty = 0;
const SpeakerArrangement kMono = kSpeakerM;
const SpeakerArrangement kStereo = kSpeakerL | kSpeakerR;
const SpeakerArrangement k50 = kSpeakerL | kSpeakerR | kSpeakerC | kSpeakerLs | kSpeakerRs;
const SpeakerArrangement k51 =
    kSpeakerL | kSpeakerR | kSpeakerC | kSpeakerLfe | kSpeakerLs | kSpeakerRs;

// Number of speakers (set bits) in an arrangement.
inline int32 getChannelCount(SpeakerArrangement arr)
{
    int32 count = 0;
    while (arr)
    {
        arr &= arr - 1;
        ++count;
    }
    return count;
}

// Position of speaker among the speakers of arr, or -1 when arr lacks it.
inline int32 getSpeakerIndex(Speaker speaker, SpeakerArrangement arr)
{
    if ((arr & speaker) == 0)
        return -1;
    return getChannelCount(arr & (speaker - 1));
}

} // namespace SpeakerArr
} // namespace Vst
} // namespace Steinberg
