#pragma once

// One plug-in as a host runs it: the processor and its controller made from
// the module's factory, initialized with the host context, connected, kept in
// step through the processor's state and the controller's edits, and driven
// block by block.
//
// Everything here runs on one thread: the host calls the controller, then
// processes a block, in turn. Edits reach the processor in the next block.

#include "hostkit/component_handler.h"
#include "hostkit/parameter_changes.h"
#include "hostkit/plugin_module.h"

#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "pluginterfaces/vst/ivstmessage.h"
#include "pluginterfaces/vst/ivstunits.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace ferrulith::host
{

struct ParameterRecord
{
    Steinberg::int32 index = 0;
    Steinberg::Vst::ParamID id = 0;
    std::string title;
    std::string shortTitle;
    std::string units;
    Steinberg::int32 stepCount = 0;
    double defaultValue = 0.0;
    Steinberg::Vst::UnitID unitId = 0;
    Steinberg::int32 flags = 0;
};

struct UnitRecord
{
    Steinberg::Vst::UnitID id = 0;
    Steinberg::Vst::UnitID parentId = 0;
    std::string name;
    Steinberg::Vst::ProgramListID programListId = 0;
};

struct ProgramListRecord
{
    Steinberg::Vst::ProgramListID id = 0;
    std::string name;
    std::vector<std::string> programs;
};

struct ProcessingSetup
{
    double sampleRate = 48000.0;
    Steinberg::int32 maxBlockSize = 512;
    bool offline = true; // kOffline for file rendering, kRealtime otherwise
};

class PluginInstance
{
public:
    // Makes the module's first audio effect class and its controller.
    explicit PluginInstance(PluginModule& module);
    PluginInstance(PluginModule& module, const ClassRecord& processorClass);
    // Stops processing, disconnects, terminates and releases both sides.
    ~PluginInstance();
    PluginInstance(const PluginInstance&) = delete;
    PluginInstance& operator=(const PluginInstance&) = delete;

    Steinberg::Vst::IComponent* component() const { return processorComponent.get(); }
    Steinberg::Vst::IAudioProcessor* audioProcessor() const { return processor.get(); }
    Steinberg::Vst::IEditController* controller() const { return editController.get(); }
    ComponentHandler& componentHandler() const { return *handler; }

    // What the controller publishes.
    std::vector<ParameterRecord> parameters() const;
    std::optional<ParameterRecord> findParameter(Steinberg::Vst::ParamID id) const;
    std::vector<UnitRecord> units() const;
    std::vector<ProgramListRecord> programLists() const;
    std::string valueText(Steinberg::Vst::ParamID id, double normalized) const;
    // The host's copy of a parameter's value, re-read when the controller
    // asks for a restart.
    double parameterValue(Steinberg::Vst::ParamID id) const;

    // An edit at the host: the controller takes the value, and the processor
    // gets it as a parameter change in the next block.
    void setParameter(Steinberg::Vst::ParamID id, double normalized);
    // The names of the programs that the program-change parameter chooses
    // from: its unit's program list, else the parameter's own step texts.
    std::vector<std::string> presetNames() const;
    // Chooses a program by name through the controller's program-change
    // parameter. Throws HostError listing the names when there is no such one.
    void selectProgram(const std::string& name);
    // Switches the parameter that the plug-in marks as bypass (or, failing
    // that, the one titled "Bypass"). Throws HostError when there is none.
    void setBypass(bool on);

    // setupProcessing, bus activation, setActive and setProcessing; then the
    // processor's state goes to the controller, as hosts hand it over.
    void startProcessing(const ProcessingSetup& setup);
    void stopProcessing();
    bool isProcessing() const { return processing; }
    const ProcessingSetup& processingSetup() const { return setup; }

    // Runs one block of at most maxBlockSize frames. Input channels beyond
    // those given are fed from the last one given (a mono file feeds both
    // sides) or silence when none are; output channels the caller does not
    // take are dropped. Throws HostError when the processor fails the block.
    void processBlock(const float* const* inputs, int inputChannels, float* const* outputs,
                      int outputChannels, Steinberg::int32 frames);

    // Hands the processor's current state to the controller.
    void syncControllerFromProcessor();

    int inputChannelCount() const { return mainInputChannels; }
    int outputChannelCount() const { return mainOutputChannels; }

private:
    void open(const ClassRecord& processorClass);
    void shutdown();
    void refreshValues();
    std::optional<ParameterRecord> findParameterByFlag(Steinberg::int32 flag) const;

    struct Bus
    {
        std::vector<std::vector<float>> scratch; // silence in, discarded out
        std::vector<float*> pointers;
    };

    PluginModule& module;
    VstPtr<Steinberg::Vst::IComponent> processorComponent;
    VstPtr<Steinberg::Vst::IAudioProcessor> processor;
    VstPtr<Steinberg::Vst::IEditController> editController;
    VstPtr<Steinberg::Vst::IConnectionPoint> processorConnection;
    VstPtr<Steinberg::Vst::IConnectionPoint> controllerConnection;
    VstPtr<ComponentHandler> handler;
    VstPtr<ParameterChanges> inputChanges;
    VstPtr<ParameterChanges> outputChanges;
    bool processorInitialized = false;
    bool controllerInitialized = false;
    bool controllerSeparate = false;
    bool connected = false;
    bool active = false;
    bool processing = false;
    ProcessingSetup setup;

    std::vector<std::pair<Steinberg::Vst::ParamID, double>> values;         // the host's copy
    std::vector<std::pair<Steinberg::Vst::ParamID, double>> pendingChanges; // for the next block

    int mainInputChannels = 0;
    int mainOutputChannels = 0;
    std::vector<Bus> inputBuses;
    std::vector<Bus> outputBuses;
    std::vector<Steinberg::Vst::AudioBusBuffers> inputBuffers;
    std::vector<Steinberg::Vst::AudioBusBuffers> outputBuffers;
};

} // namespace ferrulith::host
