#include "hostkit/plugin_instance.h"

#include "hostkit/host_error.h"
#include "hostkit/memory_stream.h"
#include "hostkit/text.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>

namespace ferrulith::host
{

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace
{

// Enough queues for every parameter a host could change in one block, and
// enough points for a few changes of each.
constexpr int32 kMinQueueCapacity = 32;
constexpr int32 kPointCapacity = 16;
// A module claiming more programs than this in one list is not believed.
constexpr int32 kMaxProgramsListed = 65536;

bool isAllZero(const TUID tuid)
{
    return std::all_of(tuid, tuid + sizeof(TUID), [](char8 byte) { return byte == 0; });
}

bool equalIgnoringCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](unsigned char x, unsigned char y)
                                              { return std::tolower(x) == std::tolower(y); });
}

} // namespace

PluginInstance::PluginInstance(PluginModule& owner) : module(owner)
{
    const auto processorClass = module.findClass(kVstAudioEffectClass);
    if (!processorClass)
        throw HostError("the module " + module.path() + " offers no class of category \"" +
                        kVstAudioEffectClass + "\"");
    open(*processorClass);
}

PluginInstance::PluginInstance(PluginModule& owner, const ClassRecord& processorClass)
    : module(owner)
{
    open(processorClass);
}

PluginInstance::~PluginInstance()
{
    shutdown();
}

void PluginInstance::open(const ClassRecord& processorClass)
{
    try
    {
        processorComponent = module.createInstance<IComponent>(processorClass.cid);
        processor = queryInterface<IAudioProcessor>(processorComponent);
        if (!processor)
            throw HostError("class \"" + processorClass.name + "\" is not an audio processor");
        if (processorComponent->initialize(module.hostContext()) != kResultOk)
            throw HostError("class \"" + processorClass.name + "\" refused to initialize");
        processorInitialized = true;

        TUID controllerClass = {};
        if (processorComponent->getControllerClassId(controllerClass) == kResultOk &&
            !isAllZero(controllerClass))
        {
            editController = module.createInstance<IEditController>(toClassId(controllerClass));
            controllerSeparate = true;
            if (editController->initialize(module.hostContext()) != kResultOk)
                throw HostError("the controller of \"" + processorClass.name +
                                "\" refused to initialize");
            controllerInitialized = true;
        }
        else
        {
            // A module may put both sides into one object.
            editController = queryInterface<IEditController>(processorComponent);
            if (!editController)
                throw HostError("class \"" + processorClass.name + "\" names no controller");
        }

        handler = makeHostObject<ComponentHandler>();
        handler->setRestartListener([this](int32) { refreshValues(); });
        editController->setComponentHandler(handler.get());

        if (controllerSeparate)
        {
            processorConnection = queryInterface<IConnectionPoint>(processorComponent);
            controllerConnection = queryInterface<IConnectionPoint>(editController);
            if (processorConnection && controllerConnection)
            {
                processorConnection->connect(controllerConnection.get());
                controllerConnection->connect(processorConnection.get());
                connected = true;
            }
        }

        for (BusDirection direction : {kInput, kOutput})
        {
            auto& buses = direction == kInput ? inputBuses : outputBuses;
            const int32 count = std::max(0, processorComponent->getBusCount(kAudio, direction));
            buses.resize(std::size_t(count));
            for (int32 index = 0; index < count; ++index)
            {
                BusInfo info = {};
                if (processorComponent->getBusInfo(kAudio, direction, index, info) != kResultOk ||
                    info.channelCount < 0 || info.channelCount > 64)
                    throw HostError("\"" + processorClass.name + "\" describes its audio bus " +
                                    std::to_string(index) + " in a way this host cannot use");
                buses[std::size_t(index)].scratch.resize(std::size_t(info.channelCount));
            }
        }
        mainInputChannels = inputBuses.empty() ? 0 : int(inputBuses[0].scratch.size());
        mainOutputChannels = outputBuses.empty() ? 0 : int(outputBuses[0].scratch.size());

        const int32 queueCapacity =
            std::max(kMinQueueCapacity, editController->getParameterCount());
        inputChanges = makeHostObject<ParameterChanges>(queueCapacity, kPointCapacity);
        outputChanges = makeHostObject<ParameterChanges>(queueCapacity, kPointCapacity);

        syncControllerFromProcessor();
    }
    catch (...)
    {
        shutdown();
        throw;
    }
}

void PluginInstance::shutdown()
{
    try
    {
        stopProcessing();
    }
    catch (...)
    {
        // Tearing down goes on whatever the processor answers.
    }
    if (connected)
    {
        processorConnection->disconnect(controllerConnection.get());
        controllerConnection->disconnect(processorConnection.get());
        connected = false;
    }
    processorConnection.reset();
    controllerConnection.reset();
    if (editController && handler)
        editController->setComponentHandler(nullptr);
    if (controllerInitialized)
        editController->terminate();
    controllerInitialized = false;
    if (processorInitialized)
        processorComponent->terminate();
    processorInitialized = false;
    if (handler)
        handler->setRestartListener({});
    editController.reset();
    processor.reset();
    processorComponent.reset();
}

std::vector<ParameterRecord> PluginInstance::parameters() const
{
    std::vector<ParameterRecord> records;
    const int32 count = editController->getParameterCount();
    for (int32 index = 0; index < count; ++index)
    {
        ParameterInfo info = {};
        if (editController->getParameterInfo(index, info) != kResultOk)
            throw HostError("the controller cannot describe its parameter " +
                            std::to_string(index));
        ParameterRecord record;
        record.index = index;
        record.id = info.id;
        record.title = utf8FromUtf16(info.title);
        record.shortTitle = utf8FromUtf16(info.shortTitle);
        record.units = utf8FromUtf16(info.units);
        record.stepCount = info.stepCount;
        record.defaultValue = info.defaultNormalizedValue;
        record.unitId = info.unitId;
        record.flags = info.flags;
        records.push_back(record);
    }
    return records;
}

std::optional<ParameterRecord> PluginInstance::findParameter(ParamID id) const
{
    for (const ParameterRecord& record : parameters())
        if (record.id == id)
            return record;
    return std::nullopt;
}

std::optional<ParameterRecord> PluginInstance::findParameterByFlag(int32 flag) const
{
    for (const ParameterRecord& record : parameters())
        if (record.flags & flag)
            return record;
    return std::nullopt;
}

std::vector<UnitRecord> PluginInstance::units() const
{
    std::vector<UnitRecord> records;
    auto unitInfo = queryInterface<IUnitInfo>(editController);
    if (!unitInfo)
        return records;
    const int32 count = unitInfo->getUnitCount();
    for (int32 index = 0; index < count; ++index)
    {
        UnitInfo info = {};
        if (unitInfo->getUnitInfo(index, info) != kResultOk)
            continue;
        records.push_back(
            {info.id, info.parentUnitId, utf8FromUtf16(info.name), info.programListId});
    }
    return records;
}

std::vector<ProgramListRecord> PluginInstance::programLists() const
{
    std::vector<ProgramListRecord> records;
    auto unitInfo = queryInterface<IUnitInfo>(editController);
    if (!unitInfo)
        return records;
    const int32 count = unitInfo->getProgramListCount();
    for (int32 index = 0; index < count; ++index)
    {
        ProgramListInfo info = {};
        if (unitInfo->getProgramListInfo(index, info) != kResultOk)
            continue;
        ProgramListRecord record{info.id, utf8FromUtf16(info.name), {}};
        const int32 programs = std::clamp(info.programCount, 0, kMaxProgramsListed);
        for (int32 program = 0; program < programs; ++program)
        {
            String128 name = {};
            if (unitInfo->getProgramName(info.id, program, name) != kResultOk)
                name[0] = 0;
            record.programs.push_back(utf8FromUtf16(name));
        }
        records.push_back(record);
    }
    return records;
}

std::string PluginInstance::valueText(ParamID id, double normalized) const
{
    String128 text = {};
    if (editController->getParamStringByValue(id, normalized, text) != kResultOk)
        return {};
    return utf8FromUtf16(text);
}

double PluginInstance::parameterValue(ParamID id) const
{
    for (const auto& [knownId, value] : values)
        if (knownId == id)
            return value;
    return editController->getParamNormalized(id);
}

void PluginInstance::refreshValues()
{
    values.clear();
    const int32 count = editController->getParameterCount();
    for (int32 index = 0; index < count; ++index)
    {
        ParameterInfo info = {};
        if (editController->getParameterInfo(index, info) == kResultOk)
            values.emplace_back(info.id, editController->getParamNormalized(info.id));
    }
}

void PluginInstance::setParameter(ParamID id, double normalized)
{
    if (!std::isfinite(normalized))
        throw HostError("a parameter value must be a number from 0 to 1");
    if (!findParameter(id))
        throw HostError("the plug-in has no parameter with identifier " + std::to_string(id));
    normalized = std::clamp(normalized, 0.0, 1.0);
    pendingChanges.emplace_back(id, normalized);
    editController->setParamNormalized(id, normalized);
    // A program change re-reads everything through the restart request;
    // other edits only change their own value.
    for (auto& [knownId, value] : values)
        if (knownId == id)
            value = editController->getParamNormalized(id);
}

std::vector<std::string> PluginInstance::presetNames() const
{
    std::vector<std::string> names;
    const auto programChange = findParameterByFlag(ParameterInfo::kIsProgramChange);
    if (!programChange)
        return names;
    const auto lists = programLists();
    for (const UnitRecord& unit : units())
        if (unit.id == programChange->unitId)
            for (const ProgramListRecord& list : lists)
                if (list.id == unit.programListId)
                    names = list.programs;
    if (names.empty() && programChange->stepCount > 0)
        for (int32 step = 0; step <= programChange->stepCount; ++step)
            names.push_back(valueText(programChange->id, double(step) / programChange->stepCount));
    return names;
}

void PluginInstance::selectProgram(const std::string& name)
{
    const auto programChange = findParameterByFlag(ParameterInfo::kIsProgramChange);
    if (!programChange)
        throw HostError("the plug-in has no program-change parameter to choose a preset with");
    const std::vector<std::string> names = presetNames();
    auto found = std::find(names.begin(), names.end(), name);
    if (found == names.end())
        found = std::find_if(names.begin(), names.end(),
                             [&](const std::string& candidate)
                             { return equalIgnoringCase(candidate, name); });
    if (found == names.end())
    {
        std::string known;
        for (const std::string& candidate : names)
            known += (known.empty() ? "\"" : ", \"") + candidate + "\"";
        throw HostError("no preset named \"" + name + "\"; the presets are " +
                        (known.empty() ? "none" : known));
    }
    const auto program = double(found - names.begin());
    double value = editController->plainParamToNormalized(programChange->id, program);
    if (!std::isfinite(value) || value < 0.0 || value > 1.0)
        value = programChange->stepCount > 0 ? program / programChange->stepCount : 0.0;
    setParameter(programChange->id, value);
}

void PluginInstance::setBypass(bool on)
{
    auto bypass = findParameterByFlag(ParameterInfo::kIsBypass);
    if (!bypass)
        for (const ParameterRecord& record : parameters())
            if (record.title == "Bypass")
                bypass = record;
    if (!bypass)
        throw HostError("the plug-in has no bypass parameter");
    setParameter(bypass->id, on ? 1.0 : 0.0);
}

void PluginInstance::syncControllerFromProcessor()
{
    if (controllerSeparate)
    {
        auto state = makeHostObject<MemoryStream>();
        // A processor may keep no state while inactive; an empty one is not
        // handed over, so the controller keeps what it has.
        if (processorComponent->getState(state.get()) == kResultOk && !state->bytes().empty())
        {
            state->rewind();
            editController->setComponentState(state.get());
        }
    }
    refreshValues();
}

void PluginInstance::startProcessing(const ProcessingSetup& wanted)
{
    stopProcessing();
    if (wanted.maxBlockSize < 1 || !(wanted.sampleRate > 0.0))
        throw HostError("processing needs a positive sample rate and block size");
    if (processor->canProcessSampleSize(kSample32) != kResultOk)
        throw HostError("the processor cannot process 32-bit samples");
    setup = wanted;
    ProcessSetup processSetup = {};
    processSetup.processMode = setup.offline ? kOffline : kRealtime;
    processSetup.symbolicSampleSize = kSample32;
    processSetup.maxSamplesPerBlock = setup.maxBlockSize;
    processSetup.sampleRate = setup.sampleRate;
    if (processor->setupProcessing(processSetup) != kResultOk)
        throw HostError("the processor refused " + std::to_string(setup.sampleRate) + " Hz with " +
                        std::to_string(setup.maxBlockSize) + "-frame blocks");

    inputBuffers.assign(inputBuses.size(), AudioBusBuffers());
    outputBuffers.assign(outputBuses.size(), AudioBusBuffers());
    for (BusDirection direction : {kInput, kOutput})
    {
        auto& buses = direction == kInput ? inputBuses : outputBuses;
        auto& buffers = direction == kInput ? inputBuffers : outputBuffers;
        for (std::size_t index = 0; index < buses.size(); ++index)
        {
            Bus& bus = buses[index];
            bus.pointers.clear();
            for (auto& channel : bus.scratch)
            {
                channel.assign(std::size_t(setup.maxBlockSize), 0.0f);
                bus.pointers.push_back(channel.data());
            }
            buffers[index].numChannels = int32(bus.scratch.size());
            buffers[index].channelBuffers32 = bus.pointers.data();
            processorComponent->activateBus(kAudio, direction, int32(index), true);
        }
    }

    if (processorComponent->setActive(true) != kResultOk)
        throw HostError("the processor refused to activate");
    active = true;

    // Edits made before processing started must survive the state hand-over.
    syncControllerFromProcessor();
    for (const auto& [id, value] : pendingChanges)
        editController->setParamNormalized(id, value);
    refreshValues();

    // Processors built on a plain base answer "not implemented" here and
    // process all the same.
    processor->setProcessing(true);
    processing = true;
}

void PluginInstance::stopProcessing()
{
    if (processing)
    {
        processor->setProcessing(false);
        processing = false;
    }
    if (active)
    {
        processorComponent->setActive(false);
        active = false;
    }
}

void PluginInstance::processBlock(const float* const* inputs, int inputChannels,
                                  float* const* outputs, int outputChannels, int32 frames)
{
    if (!processing)
        throw HostError("processBlock called before startProcessing");
    if (frames < 0 || frames > setup.maxBlockSize)
        throw HostError("a block of " + std::to_string(frames) + " frames does not fit the " +
                        std::to_string(setup.maxBlockSize) + "-frame processing set-up");

    for (const auto& edit : handler->takeEdits())
        pendingChanges.push_back(edit);
    inputChanges->clear();
    outputChanges->clear();
    // An empty block carries no changes: a processor may skip it entirely,
    // and the changes must not get lost with it.
    std::size_t delivered = 0;
    if (frames > 0)
        while (delivered < pendingChanges.size() &&
               inputChanges->add(pendingChanges[delivered].first, pendingChanges[delivered].second))
            ++delivered;

    if (!inputBuses.empty())
    {
        Bus& main = inputBuses[0];
        for (std::size_t channel = 0; channel < main.scratch.size(); ++channel)
        {
            const float* source = nullptr;
            if (inputs && inputChannels > 0)
                source = inputs[std::min<std::size_t>(channel, std::size_t(inputChannels - 1))];
            if (source)
                std::copy_n(source, frames, main.scratch[channel].data());
            else
                std::fill_n(main.scratch[channel].data(), frames, 0.0f);
        }
    }
    for (std::size_t bus = 1; bus < inputBuses.size(); ++bus)
        for (auto& channel : inputBuses[bus].scratch)
            std::fill_n(channel.data(), frames, 0.0f);
    for (auto& buffers : inputBuffers)
        buffers.silenceFlags = 0;
    for (auto& buffers : outputBuffers)
        buffers.silenceFlags = 0;

    ProcessData data;
    data.processMode = setup.offline ? kOffline : kRealtime;
    data.symbolicSampleSize = kSample32;
    data.numSamples = frames;
    data.numInputs = int32(inputBuffers.size());
    data.inputs = inputBuffers.empty() ? nullptr : inputBuffers.data();
    data.numOutputs = int32(outputBuffers.size());
    data.outputs = outputBuffers.empty() ? nullptr : outputBuffers.data();
    data.inputParameterChanges = inputChanges.get();
    data.outputParameterChanges = outputChanges.get();
    if (processor->process(data) != kResultOk)
        throw HostError("the processor failed a block of " + std::to_string(frames) + " frames");
    pendingChanges.erase(pendingChanges.begin(),
                         pendingChanges.begin() + std::ptrdiff_t(delivered));

    for (int channel = 0; channel < outputChannels; ++channel)
    {
        if (!outputs || !outputs[channel])
            continue;
        if (!outputBuses.empty() && std::size_t(channel) < outputBuses[0].scratch.size())
            std::copy_n(outputBuses[0].scratch[std::size_t(channel)].data(), frames,
                        outputs[channel]);
        else
            std::fill_n(outputs[channel], frames, 0.0f);
    }
}

} // namespace ferrulith::host
