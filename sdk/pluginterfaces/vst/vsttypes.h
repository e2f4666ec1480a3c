// The basic VST 3 types: strings, identifiers, sample types and the version.
#pragma once

#include "pluginterfaces/base/fstrdefs.h"
#include "pluginterfaces/base/ftypes.h"

namespace Steinberg
{
namespace Vst
{

#define kVstVersionString "VST 3.7.12"
#define kVstVersionMajor 3
#define kVstVersionMinor 7
#define kVstVersionSub 12
#define VST_VERSION ((kVstVersionMajor << 16) | (kVstVersionMinor << 8) | kVstVersionSub)

// Text that crosses the VST 3 interfaces is UTF-16.
typedef char16 TChar;
typedef TChar String128[128];
typedef const char8* CString;

typedef int32 MediaType;
typedef int32 BusDirection;
typedef int32 BusType;
typedef int32 IoMode;
typedef int32 UnitID;
typedef double ParamValue;
typedef uint32 ParamID;
typedef int32 ProgramListID;
typedef int16 CtrlNumber;
typedef double TQuarterNotes;
typedef int64 TSamples;
typedef uint32 ColorSpec;

static const ParamID kNoParamId = 0xffffffff;

typedef float Sample32;
typedef double Sample64;
typedef double SampleRate;

// One bit per speaker (see vstspeaker.h).
typedef uint64 SpeakerArrangement;
typedef uint64 Speaker;

} // namespace Vst
} // namespace Steinberg
