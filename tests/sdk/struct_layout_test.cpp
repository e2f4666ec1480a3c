// Structs, result codes, enumerations, flags, speaker masks and strings must
// match the measured Linux x86-64 tables byte for byte.
#include "abi_tables.h"

#include "pluginterfaces/base/ipluginbase.h"
#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "pluginterfaces/vst/ivstevents.h"
#include "pluginterfaces/vst/ivstprocesscontext.h"
#include "pluginterfaces/vst/ivstunits.h"

#include <gtest/gtest.h>

#if COM_COMPATIBLE
#include <windows.h>
#endif

#include <cstddef>
#include <map>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace
{

struct Measure
{
    size_t size;
    size_t align;
};

#define TYPE(T)                                                                                    \
    {                                                                                              \
#T,                                                                                        \
        {                                                                                          \
            sizeof(T), alignof(T)                                                                  \
        }                                                                                          \
    }
const std::map<std::string, Measure> kTypes = {
    TYPE(TChar),
    TYPE(TBool),
    TYPE(ParamID),
    TYPE(ParamValue),
    TYPE(SpeakerArrangement),
    TYPE(TUID),
    TYPE(ViewRect),
    TYPE(ProcessSetup),
    TYPE(AudioBusBuffers),
    TYPE(ProcessData),
    TYPE(BusInfo),
    TYPE(RoutingInfo),
    TYPE(ParameterInfo),
    TYPE(UnitInfo),
    TYPE(ProgramListInfo),
    TYPE(PFactoryInfo),
    TYPE(PClassInfo),
    TYPE(PClassInfo2),
    TYPE(PClassInfoW),
    TYPE(ProcessContext),
    TYPE(Event),
};

struct Field
{
    size_t offset;
    size_t size;
};

#define FIELD(S, f)                                                                                \
    {                                                                                              \
        {#S, #f},                                                                                  \
        {                                                                                          \
            offsetof(S, f), sizeof(S::f)                                                           \
        }                                                                                          \
    }
const std::map<std::pair<std::string, std::string>, Field> kFields = {
    FIELD(ProcessSetup, processMode),
    FIELD(ProcessSetup, symbolicSampleSize),
    FIELD(ProcessSetup, maxSamplesPerBlock),
    FIELD(ProcessSetup, sampleRate),
    FIELD(AudioBusBuffers, numChannels),
    FIELD(AudioBusBuffers, silenceFlags),
    FIELD(AudioBusBuffers, channelBuffers32),
    FIELD(ProcessData, processMode),
    FIELD(ProcessData, symbolicSampleSize),
    FIELD(ProcessData, numSamples),
    FIELD(ProcessData, numInputs),
    FIELD(ProcessData, numOutputs),
    FIELD(ProcessData, inputs),
    FIELD(ProcessData, outputs),
    FIELD(ProcessData, inputParameterChanges),
    FIELD(ProcessData, outputParameterChanges),
    FIELD(ProcessData, inputEvents),
    FIELD(ProcessData, outputEvents),
    FIELD(ProcessData, processContext),
    FIELD(BusInfo, mediaType),
    FIELD(BusInfo, direction),
    FIELD(BusInfo, channelCount),
    FIELD(BusInfo, name),
    FIELD(BusInfo, busType),
    FIELD(BusInfo, flags),
    FIELD(RoutingInfo, mediaType),
    FIELD(RoutingInfo, busIndex),
    FIELD(RoutingInfo, channel),
    FIELD(ParameterInfo, id),
    FIELD(ParameterInfo, title),
    FIELD(ParameterInfo, shortTitle),
    FIELD(ParameterInfo, units),
    FIELD(ParameterInfo, stepCount),
    FIELD(ParameterInfo, defaultNormalizedValue),
    FIELD(ParameterInfo, unitId),
    FIELD(ParameterInfo, flags),
    FIELD(UnitInfo, id),
    FIELD(UnitInfo, parentUnitId),
    FIELD(UnitInfo, name),
    FIELD(UnitInfo, programListId),
    FIELD(ProgramListInfo, id),
    FIELD(ProgramListInfo, name),
    FIELD(ProgramListInfo, programCount),
    FIELD(PFactoryInfo, vendor),
    FIELD(PFactoryInfo, url),
    FIELD(PFactoryInfo, email),
    FIELD(PFactoryInfo, flags),
    FIELD(PClassInfo, cid),
    FIELD(PClassInfo, cardinality),
    FIELD(PClassInfo, category),
    FIELD(PClassInfo, name),
    FIELD(PClassInfo2, cid),
    FIELD(PClassInfo2, cardinality),
    FIELD(PClassInfo2, category),
    FIELD(PClassInfo2, name),
    FIELD(PClassInfo2, classFlags),
    FIELD(PClassInfo2, subCategories),
    FIELD(PClassInfo2, vendor),
    FIELD(PClassInfo2, version),
    FIELD(PClassInfo2, sdkVersion),
    FIELD(PClassInfoW, cid),
    FIELD(PClassInfoW, cardinality),
    FIELD(PClassInfoW, category),
    FIELD(PClassInfoW, name),
    FIELD(PClassInfoW, classFlags),
    FIELD(PClassInfoW, subCategories),
    FIELD(PClassInfoW, vendor),
    FIELD(PClassInfoW, version),
    FIELD(PClassInfoW, sdkVersion),
    FIELD(ProcessContext, state),
    FIELD(ProcessContext, sampleRate),
    FIELD(ProcessContext, projectTimeSamples),
    FIELD(ProcessContext, systemTime),
    FIELD(ProcessContext, continousTimeSamples),
    FIELD(ProcessContext, projectTimeMusic),
    FIELD(ProcessContext, barPositionMusic),
    FIELD(ProcessContext, cycleStartMusic),
    FIELD(ProcessContext, cycleEndMusic),
    FIELD(ProcessContext, tempo),
    FIELD(ProcessContext, timeSigNumerator),
    FIELD(ProcessContext, timeSigDenominator),
    FIELD(ProcessContext, chord),
    FIELD(ProcessContext, smpteOffsetSubframes),
    FIELD(ProcessContext, frameRate),
    FIELD(ProcessContext, samplesToNextClock),
};

// Values as compiled here, keyed by the names the tables use.
const std::map<std::string, int64_t> kResults = {
    {"kResultOk", kResultOk},
    {"kResultTrue", kResultTrue},
    {"kResultFalse", kResultFalse},
    {"kNoInterface", kNoInterface},
    {"kInvalidArgument", kInvalidArgument},
    {"kNotImplemented", kNotImplemented},
    {"kInternalError", kInternalError},
    {"kNotInitialized", kNotInitialized},
    {"kOutOfMemory", kOutOfMemory},
};

const std::map<std::string, int64_t> kEnums = {
    {"kSample32", kSample32}, {"kSample64", kSample64}, {"kRealtime", kRealtime},
    {"kPrefetch", kPrefetch}, {"kOffline", kOffline},   {"kAudio", kAudio},
    {"kEvent", kEvent},       {"kInput", kInput},       {"kOutput", kOutput},
    {"kMain", kMain},         {"kAux", kAux},           {"kDefaultActive", BusInfo::kDefaultActive},
};

const std::map<std::string, int64_t> kFlags = {
    {"kCanAutomate", ParameterInfo::kCanAutomate},
    {"kIsReadOnly", ParameterInfo::kIsReadOnly},
    {"kIsWrapAround", ParameterInfo::kIsWrapAround},
    {"kIsList", ParameterInfo::kIsList},
    {"kIsHidden", ParameterInfo::kIsHidden},
    {"kIsProgramChange", ParameterInfo::kIsProgramChange},
    {"kIsBypass", ParameterInfo::kIsBypass},
    {"kParamValuesChanged", kParamValuesChanged},
    {"kNoParentUnitId", kNoParentUnitId},
    {"kRootUnitId", kRootUnitId},
    {"kNoProgramListId", kNoProgramListId},
    {"kUnicode", PFactoryInfo::kUnicode},
    {"kManyInstances", PClassInfo::kManyInstances},
    {"kDistributable", kDistributable},
};

const std::map<std::string, int64_t> kSpeakers = {
    {"kStereo", static_cast<int64_t>(SpeakerArr::kStereo)},
    {"kMono", static_cast<int64_t>(SpeakerArr::kMono)},
    {"k51", static_cast<int64_t>(SpeakerArr::k51)},
    {"kEmpty", static_cast<int64_t>(SpeakerArr::kEmpty)},
};

const std::map<std::string, std::string> kStrings = {
    {"kPlatformTypeX11EmbedWindowID", kPlatformTypeX11EmbedWindowID},
    {"kVstAudioEffectClass", kVstAudioEffectClass},
    {"kVstComponentControllerClass", kVstComponentControllerClass},
    {"kVstVersionString", kVstVersionString},
    {"kEditor", ViewType::kEditor},
};

std::vector<ferrulith::test::abi::Row> layoutRows()
{
    return ferrulith::test::abi::readTable("vst3-layout-linux-x86_64.tsv");
}

void expectValues(const std::string& rowName, const std::map<std::string, int64_t>& ours)
{
    bool found = false;
    for (const auto& row : layoutRows())
    {
        if (row.size() < 2 || row[0] != rowName)
            continue;
        found = true;
        for (const auto& [name, value] : ferrulith::test::abi::readPairs(row[1]))
        {
            ASSERT_TRUE(ours.count(name)) << name << " is not declared";
            EXPECT_EQ(ours.at(name), ferrulith::test::abi::parseNumber(value)) << name;
        }
    }
    EXPECT_TRUE(found) << rowName;
}

} // namespace

TEST(StructLayout, SizesAndAlignmentsMatchTheMeasuredTable)
{
    int checked = 0;
    for (const auto& row : layoutRows())
    {
        if (row.size() != 3 || row[1].rfind("size ", 0) != 0)
            continue;
        SCOPED_TRACE(row[0]);
        ASSERT_TRUE(kTypes.count(row[0])) << "type not checked here";
        EXPECT_EQ(kTypes.at(row[0]).size,
                  static_cast<size_t>(ferrulith::test::abi::parseNumber(row[1].substr(5))));
        EXPECT_EQ(kTypes.at(row[0]).align,
                  static_cast<size_t>(ferrulith::test::abi::parseNumber(row[2].substr(6))));
        ++checked;
    }
    EXPECT_EQ(checked, static_cast<int>(kTypes.size()));
}

TEST(StructLayout, FieldOffsetsAndSizesMatchTheMeasuredTable)
{
    int checked = 0;
    for (const auto& row : layoutRows())
    {
        if (row.size() != 4 || row[2].rfind("offset ", 0) != 0)
            continue;
        SCOPED_TRACE(row[0] + "::" + row[1]);
        const auto key = std::make_pair(row[0], row[1]);
        ASSERT_TRUE(kFields.count(key)) << "field not checked here";
        EXPECT_EQ(kFields.at(key).offset,
                  static_cast<size_t>(ferrulith::test::abi::parseNumber(row[2].substr(7))));
        EXPECT_EQ(kFields.at(key).size,
                  static_cast<size_t>(ferrulith::test::abi::parseNumber(row[3].substr(5))));
        ++checked;
    }
    EXPECT_EQ(checked, static_cast<int>(kFields.size()));
}

TEST(StructLayout, AudioBusBuffersShareOneSlotForBothSampleWidths)
{
    AudioBusBuffers buffers;
    EXPECT_EQ(offsetof(AudioBusBuffers, channelBuffers64),
              offsetof(AudioBusBuffers, channelBuffers32));
    EXPECT_EQ(buffers.channelBuffers32, nullptr);
}

#if COM_COMPATIBLE
// On Windows the result codes are COM's own HRESULTs.
TEST(Constants, ResultCodesAreTheComValuesOnWindows)
{
    EXPECT_EQ(kResultOk, S_OK);
    EXPECT_EQ(kResultTrue, S_OK);
    EXPECT_EQ(kResultFalse, S_FALSE);
    EXPECT_EQ(kNoInterface, E_NOINTERFACE);
    EXPECT_EQ(kInvalidArgument, E_INVALIDARG);
    EXPECT_EQ(kNotImplemented, E_NOTIMPL);
    EXPECT_EQ(kInternalError, E_FAIL);
    EXPECT_EQ(kNotInitialized, E_UNEXPECTED);
    EXPECT_EQ(kOutOfMemory, E_OUTOFMEMORY);
    EXPECT_EQ(static_cast<uint32_t>(kNoInterface), 0x80004002u);
    EXPECT_EQ(static_cast<uint32_t>(kNotImplemented), 0x80004001u);
    EXPECT_EQ(static_cast<uint32_t>(kInvalidArgument), 0x80070057u);
}
#else
TEST(Constants, ResultCodesAreTheLinuxValues)
{
    expectValues("tresult", kResults);
}
#endif
TEST(Constants, EnumerationValuesMatch)
{
    expectValues("enums", kEnums);
}
TEST(Constants, FlagValuesMatch)
{
    expectValues("flags", kFlags);
}
TEST(Constants, SpeakerArrangementsMatch)
{
    expectValues("speakers", kSpeakers);
}

TEST(Constants, ConstantStringsMatch)
{
    for (const auto& row : layoutRows())
    {
        if (row.size() < 2 || row[0] != "strings")
            continue;
        for (const auto& [name, value] : ferrulith::test::abi::readPairs(row[1]))
        {
            ASSERT_TRUE(kStrings.count(name)) << name << " is not declared";
            EXPECT_EQ(kStrings.at(name), value) << name;
        }
    }
}

TEST(Constants, ChannelCountIsTheNumberOfSpeakers)
{
    EXPECT_EQ(SpeakerArr::getChannelCount(SpeakerArr::kEmpty), 0);
    EXPECT_EQ(SpeakerArr::getChannelCount(SpeakerArr::kMono), 1);
    EXPECT_EQ(SpeakerArr::getChannelCount(SpeakerArr::kStereo), 2);
    EXPECT_EQ(SpeakerArr::getChannelCount(SpeakerArr::k51), 6);
    EXPECT_EQ(SpeakerArr::getChannelCount(~SpeakerArrangement(0)), 64);
    EXPECT_EQ(SpeakerArr::getSpeakerIndex(kSpeakerR, SpeakerArr::kStereo), 1);
    EXPECT_EQ(SpeakerArr::getSpeakerIndex(kSpeakerC, SpeakerArr::kStereo), -1);
}
