#include "processor_host.h"

#include "processor/ferrulithprocessor.h"

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

} // namespace ferrulith::test
