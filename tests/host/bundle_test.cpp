// The real bundle, loaded and driven the way a host does it.

#include "hostkit/demo_phrase.h"
#include "hostkit/host_error.h"
#include "hostkit/platform/module_library.h"
#include "hostkit/plugin_instance.h"
#include "hostkit/plugin_module.h"
#include "hostkit/render.h"

#include "common/ferrulithparamids.h"
#include "common/ferrulithpresets.h"
#include "dsp/patch.h"
#include "dsp/float_bits.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>

using namespace ferrulith::host;
using namespace quorvelware;
using namespace Steinberg;
using namespace Steinberg::Vst;

namespace
{

constexpr double kRate = 48000.0;
constexpr int32 kBlock = 256;

// A deterministic stereo test signal with some bite: two detuned saws with a
// decaying envelope, loud enough to open the gate and drive the stages.
AudioBuffer testSignal(std::size_t frames)
{
    AudioBuffer audio;
    audio.sampleRate = kRate;
    audio.channels.assign(2, std::vector<float>(frames));
    for (std::size_t i = 0; i < frames; ++i)
    {
        const double t = double(i) / kRate;
        const double envelope = std::exp(-3.0 * t);
        audio.channels[0][i] = float(0.6 * envelope * (std::fmod(110.0 * t, 1.0) - 0.5));
        audio.channels[1][i] = float(0.6 * envelope * (std::fmod(110.7 * t, 1.0) - 0.5));
    }
    return audio;
}

// The engine stepped directly, with the parameter mapping the processor
// documents: plain = min + (max - min) * normalized, the span in 32 bits.
// Without settings the patch runs from the values it is built with.
AudioBuffer engineRendering(const AudioBuffer& input, const double* normalized, bool bypass)
{
    patch_t* patch = patch_create(float(kRate));
    EXPECT_NE(patch, nullptr);
    AudioBuffer output;
    output.sampleRate = kRate;
    output.channels.assign(2, std::vector<float>(input.frames()));
    for (int k = 0; normalized && k < 8; ++k)
    {
        patch_param_t* record = patch->params[k];
        const float span = record->max - record->min;
        record->value = float(double(span) * normalized[k] + double(record->min));
    }
    patch->bypass = bypass ? 1 : 0;
    for (std::size_t i = 0; i < input.frames(); ++i)
    {
        const float frame[2] = {input.channels[0][i], input.channels[1][i]};
        patch_process_sample(patch, frame);
        output.channels[0][i] = patch->out_l->value;
        output.channels[1][i] = patch->out_r->value;
    }
    patch_destroy(patch);
    return output;
}

void presetRow(int row, double (&values)[8])
{
    for (int k = 0; k < 8; ++k)
        values[k] = kPresetValues[row][k];
}

bool sameBits(const AudioBuffer& a, const AudioBuffer& b)
{
    if (a.channels.size() != b.channels.size() || a.frames() != b.frames())
        return false;
    for (std::size_t c = 0; c < a.channels.size(); ++c)
        if (std::memcmp(a.channels[c].data(), b.channels[c].data(), a.frames() * sizeof(float)) !=
            0)
            return false;
    return true;
}

// FNV-1a over the bit patterns of every sample, channel by channel.
std::uint64_t bitHash(const AudioBuffer& audio)
{
    std::uint64_t hash = kHashStart;
    for (const auto& channel : audio.channels)
        for (float sample : channel)
            hash = hash_bits(hash, sample);
    return hash;
}

class Bundle : public ::testing::Test
{
protected:
    PluginModule module{FERRULITH_BUNDLE_PATH};

    std::unique_ptr<PluginInstance> processingInstance()
    {
        auto instance = std::make_unique<PluginInstance>(module);
        instance->startProcessing({kRate, kBlock, true});
        return instance;
    }
};

} // namespace

TEST_F(Bundle, FactoryListsTheProcessorAndItsControllerWithTheirRecords)
{
    const FactoryListing& listing = module.listing();
    EXPECT_FALSE(listing.info.vendor.empty());
    EXPECT_EQ(listing.info.email.rfind("mailto:", 0), 0u) << listing.info.email;
    EXPECT_EQ(listing.info.flags, 16);
    EXPECT_TRUE(listing.hasFactory2);
    EXPECT_TRUE(listing.hasFactory3);
    ASSERT_EQ(listing.classes.size(), 2u);

    const ClassRecord& processor = listing.classes[0];
    EXPECT_EQ(processor.name, "Ferrulith");
    EXPECT_EQ(processor.category, "Audio Module Class");
    EXPECT_EQ(processor.subCategories, "Fx");
    EXPECT_EQ(processor.classFlags, 1u);
    const ClassRecord& controller = listing.classes[1];
    EXPECT_EQ(controller.name, "FerrulithController");
    EXPECT_EQ(controller.category, "Component Controller Class");
    EXPECT_EQ(controller.subCategories, "");
    EXPECT_EQ(controller.classFlags, 0u);
    for (const ClassRecord& record : listing.classes)
    {
        EXPECT_EQ(record.cardinality, 0x7FFFFFFF);
        EXPECT_EQ(record.version, "1.0.0.1");
        EXPECT_EQ(record.sdkVersion, "VST 3.7.12");
        EXPECT_EQ(record.vendor, "");
        ASSERT_TRUE(record.hasUnicodeInfo);
        EXPECT_EQ(record.unicodeName, record.name);
        EXPECT_EQ(record.unicodeVersion, record.version);
        EXPECT_EQ(record.unicodeSdkVersion, record.sdkVersion);
    }
#if COM_COMPATIBLE
    // On Windows a class identifier is a COM GUID: the first word and each
    // half of the second least significant byte first.
    EXPECT_EQ(classIdText(processor.cid), "25CFE069E8F9C08C7BDBBFB8136AD322");
    EXPECT_EQ(classIdText(controller.cid), "F80539890E69AB2BA2817452388B6A8D");
#else
    // On Linux a class identifier holds its four words most significant
    // byte first.
    EXPECT_EQ(classIdText(processor.cid), "69E0CF25F9E88CC07BDBBFB8136AD322");
    EXPECT_EQ(classIdText(controller.cid), "893905F8690E2BABA2817452388B6A8D");
#endif

    PluginInstance instance(module);
    TUID named = {};
    ASSERT_EQ(instance.component()->getControllerClassId(named), kResultOk);
    EXPECT_EQ(toClassId(named), controller.cid);
}

TEST_F(Bundle, AnUnknownClassOrAnInterfaceAClassLacksGivesNoObject)
{
    TUID unknown;
    std::memset(unknown, 0x5A, sizeof unknown);
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(module.factory()->createInstance(unknown, IComponent::iid, &object), kNoInterface);
    EXPECT_EQ(object, nullptr);

    const ClassId processorClass = module.listing().classes[0].cid;
    EXPECT_THROW(module.createInstance<IEditController>(processorClass), HostError);
    ClassId unknownClass;
    std::memcpy(unknownClass.data(), unknown, 16);
    EXPECT_THROW(module.createInstance<IComponent>(unknownClass), HostError);
    // Two instances of one class are two objects.
    auto first = module.createInstance<IComponent>(processorClass);
    auto second = module.createInstance<IComponent>(processorClass);
    EXPECT_NE(first.get(), second.get());
}

TEST(BundleFactory, OneFactoryIsSharedWhileHeldAndAnEqualOneIsBuiltAfterTheLastRelease)
{
    ModuleLibrary library;
    std::string error;
    ASSERT_TRUE(library.open(moduleFileInBundle(FERRULITH_BUNDLE_PATH), error)) << error;
    IPluginFactory* first = library.factoryFunction()();
    IPluginFactory* again = library.factoryFunction()();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(again, first);
    EXPECT_EQ(first->addRef(), 3u); // ours twice, plus this one
    EXPECT_EQ(first->release(), 2u);
    const FactoryListing before = listFactory(first);
    EXPECT_EQ(again->release(), 1u);
    EXPECT_EQ(first->release(), 0u);

    IPluginFactory* rebuilt = library.factoryFunction()();
    ASSERT_NE(rebuilt, nullptr);
    EXPECT_EQ(rebuilt->addRef(), 2u); // a new factory with its one reference
    rebuilt->release();
    const FactoryListing after = listFactory(rebuilt);
    ASSERT_EQ(after.classes.size(), before.classes.size());
    for (std::size_t i = 0; i < after.classes.size(); ++i)
    {
        EXPECT_EQ(after.classes[i].cid, before.classes[i].cid);
        EXPECT_EQ(after.classes[i].name, before.classes[i].name);
        EXPECT_EQ(after.classes[i].category, before.classes[i].category);
    }
    EXPECT_EQ(rebuilt->release(), 0u);
}

TEST_F(Bundle, TheControllerPublishesTenParametersAndThePresetList)
{
    PluginInstance instance(module);
    const auto parameters = instance.parameters();
    ASSERT_EQ(parameters.size(), 10u);
    const ParamID order[10] = {8, 0, 1, 2, 3, 4, 5, 6, 7, 9};
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(parameters[std::size_t(i)].id, order[i]) << i;
    EXPECT_EQ(parameters[9].flags, 0x8008);
    EXPECT_EQ(parameters[9].stepCount, 6);

    const auto presets = instance.presetNames();
    ASSERT_EQ(presets.size(), 7u);
    for (int row = 0; row < 7; ++row)
        EXPECT_EQ(presets[std::size_t(row)], kPresetNames[row]);
    const auto units = instance.units();
    ASSERT_EQ(units.size(), 1u);
    EXPECT_EQ(units[0].programListId, ProgramListID(kPresetsId));
}

TEST_F(Bundle, OnActivationTheControllerTakesTheProcessorsStartingValues)
{
    auto instance = processingInstance();
    for (ParamID id = 0; id < 8; ++id)
        EXPECT_EQ(instance->parameterValue(id), double(kPresetValues[0][id])) << id;
    EXPECT_EQ(instance->parameterValue(kBypassId), 0.0);
}

TEST_F(Bundle, RenderedBlocksEqualTheEngineSteppedDirectlyBitForBit)
{
    const AudioBuffer input = testSignal(5 * kBlock + 17); // a short last block too
    const double settings[8] = {0.3, 0.5, 0.6, 0.4, 0.7, 0.35, 0.55, 0.8};

    auto instance = processingInstance();
    for (ParamID id = 0; id < 8; ++id)
        instance->setParameter(id, settings[id]);
    const AudioBuffer rendered = renderAudio(*instance, input);
    EXPECT_TRUE(sameBits(rendered, engineRendering(input, settings, false)));

    auto untouched = processingInstance();
    EXPECT_TRUE(sameBits(renderAudio(*untouched, input), engineRendering(input, nullptr, false)));
}

// The bundle built for Linux and the one built for Windows sound the same to
// the last bit: both must give these hashes. The phrase's own hash tells a
// difference in the input apart from one in the plug-in.
TEST_F(Bundle, TheDemoPhraseThroughEveryPresetSoundsTheSameOnEveryPlatform)
{
    const AudioBuffer phrase = makeDemoPhrase(kRate);
    EXPECT_EQ(bitHash(phrase), 10881556262219349241u) << "the demo phrase";
    const std::uint64_t pinned[kPresetCount] = {
        10858348539033794129u, 16672346702534414579u, 2027032971276518237u, 5586485742539868809u,
        11841996046644202302u, 2318648778279419876u,  16298860888074262630u};
    for (int row = 0; row < kPresetCount; ++row)
    {
        auto instance = processingInstance();
        instance->selectProgram(kPresetNames[row]);
        EXPECT_EQ(bitHash(renderAudio(*instance, phrase)), pinned[row]) << kPresetNames[row];
    }
}

TEST_F(Bundle, APresetChosenInTheControllerChangesTheSoundAndTheHostsValues)
{
    const AudioBuffer input = testSignal(4 * kBlock);
    auto plain = processingInstance();
    const AudioBuffer before = renderAudio(*plain, input);

    auto instance = processingInstance();
    const int restarts = instance->componentHandler().restartCount();
    instance->selectProgram("Dungeon");
    EXPECT_EQ(instance->componentHandler().restartCount(), restarts + 1);
    EXPECT_EQ(instance->parameterValue(kPresetsId), 4.0 / 6.0);
    for (ParamID id = 0; id < 8; ++id)
        EXPECT_EQ(instance->parameterValue(id), double(kPresetValues[4][id])) << id;

    const AudioBuffer after = renderAudio(*instance, input);
    EXPECT_FALSE(sameBits(before, after));
    double dungeon[8];
    presetRow(4, dungeon);
    EXPECT_TRUE(sameBits(after, engineRendering(input, dungeon, false)));

    EXPECT_THROW(instance->selectProgram("No such preset"), HostError);
}

TEST_F(Bundle, AnEditPerformedThroughTheControllerReachesTheProcessorInTheNextBlock)
{
    const AudioBuffer input = testSignal(2 * kBlock);
    auto instance = processingInstance();
    // What an editor's bypass switch does: the edit goes to the host's handler.
    instance->componentHandler().beginEdit(kBypassId);
    instance->componentHandler().performEdit(kBypassId, 1.0);
    instance->componentHandler().endEdit(kBypassId);
    const AudioBuffer output = renderAudio(*instance, input);
    // Bypassed, each output frame is the same frame's input.
    EXPECT_TRUE(sameBits(output, input));
}

TEST_F(Bundle, InstancesComeAndGoAndProcessingRestartsCleanly)
{
    const AudioBuffer input = testSignal(kBlock);
    auto instance = processingInstance();
    const AudioBuffer first = renderAudio(*instance, input);
    for (int round = 0; round < 3; ++round)
    {
        instance->stopProcessing();
        instance->startProcessing({kRate, kBlock, false});
        // Each activation starts a fresh patch, so the same input sounds the same.
        EXPECT_TRUE(sameBits(renderAudio(*instance, input), first)) << round;
        PluginInstance other(module);
    }
    float sample = 0.0f;
    float* out[1] = {&sample};
    EXPECT_THROW(instance->processBlock(nullptr, 0, out, 1, kBlock + 1), HostError);
    instance->stopProcessing();
    EXPECT_THROW(instance->processBlock(nullptr, 0, out, 1, 1), HostError);
}
