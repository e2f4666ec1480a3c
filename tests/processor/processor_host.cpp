#include "processor_host.h"

#include "processor/ferrulithprocessor.h"

#include <cstring>
#include <gtest/gtest.h>

namespace ferrulith::test
{

using namespace Steinberg;
using namespace Steinberg::Vst;

ProcessorHost::ProcessorHost()
{
    const auto object =
        host::VstPtr<FUnknown>::adopt(quorvelware::FerrulithProcessor::createInstance(nullptr));
    EXPECT_TRUE(object);
    comp = host::queryInterface<IComponent>(object);
    proc = host::queryInterface<IAudioProcessor>(object);
}

ProcessorHost::~ProcessorHost()
{
    comp->setActive(false);
    comp->terminate();
}

tresult ProcessorHost::setup(double sampleRate, int32 sampleSize)
{
    ProcessSetup setup{kRealtime, sampleSize, 512, sampleRate};
    return proc->setupProcessing(setup);
}

void ProcessorHost::start(double sampleRate)
{
    ASSERT_EQ(initialize(), kResultOk);
    ASSERT_EQ(setup(sampleRate), kResultOk);
    ASSERT_EQ(activate(), kResultOk);
}

tresult ProcessorHost::setOutputArrangement(SpeakerArrangement arrangement)
{
    SpeakerArrangement in = arrangement;
    SpeakerArrangement out = arrangement;
    return proc->setBusArrangements(&in, 1, &out, 1);
}

Bytes ProcessorHost::state()
{
    MemoryStream stream;
    EXPECT_EQ(comp->getState(&stream), kResultOk);
    return stream.bytes();
}

tresult ProcessorHost::setState(const Bytes& bytes)
{
    MemoryStream stream(bytes);
    return comp->setState(&stream);
}

Bytes freshStateBytes()
{
    return {0x00, 0x00, 0xCD, 0xCC, 0xCC, 0x3E, 0x10, 0x58, 0x19, 0x3F, 0x00, 0x00,
            0x00, 0x3F, 0x66, 0x66, 0x26, 0x3F, 0xCE, 0xCC, 0xCC, 0x3E, 0x00, 0x00,
            0x00, 0x3F, 0x5C, 0x8F, 0x42, 0x3E, 0xF6, 0x28, 0x1C, 0x3F};
}

Bytes stateBytes(uint16_t flag, const float (&normalized)[8])
{
    Bytes bytes{static_cast<uint8_t>(flag & 0xFF), static_cast<uint8_t>(flag >> 8)};
    for (float value : normalized)
    {
        uint32_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        for (int b = 0; b < 4; ++b)
            bytes.push_back(static_cast<uint8_t>(bits >> (8 * b)));
    }
    return bytes;
}

} // namespace ferrulith::test
