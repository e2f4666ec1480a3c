#include "public.sdk/source/vst/vstcomponent.h"

namespace Steinberg
{
namespace Vst
{

Component::Component()
    : audioInputs(kAudio, kInput), audioOutputs(kAudio, kOutput), eventInputs(kEvent, kInput),
      eventOutputs(kEvent, kOutput)
{
}

tresult PLUGIN_API Component::initialize(FUnknown* context)
{
    return ComponentBase::initialize(context);
}

tresult PLUGIN_API Component::terminate()
{
    removeAllBusses();
    return ComponentBase::terminate();
}

BusList* Component::getBusList(MediaType type, BusDirection dir)
{
    if (type == kAudio)
        return dir == kInput ? &audioInputs : dir == kOutput ? &audioOutputs : nullptr;
    if (type == kEvent)
        return dir == kInput ? &eventInputs : dir == kOutput ? &eventOutputs : nullptr;
    return nullptr;
}

tresult Component::removeAudioBusses()
{
    audioInputs.clear();
    audioOutputs.clear();
    return kResultOk;
}

tresult Component::removeEventBusses()
{
    eventInputs.clear();
    eventOutputs.clear();
    return kResultOk;
}

tresult Component::removeAllBusses()
{
    removeAudioBusses();
    removeEventBusses();
    return kResultOk;
}

tresult Component::renameBus(MediaType type, BusDirection dir, int32 index, const String128 newName)
{
    BusList* list = getBusList(type, dir);
    if (list == nullptr || index < 0 || index >= static_cast<int32>(list->size()))
        return kInvalidArgument;
    if (newName == nullptr)
        return kInvalidArgument;
    std::u16string name;
    const size_t capacity = sizeof(String128) / sizeof(TChar);
    for (size_t i = 0; i < capacity && newName[i] != 0; ++i)
        name.push_back(static_cast<char16_t>(newName[i]));
    list->at(static_cast<size_t>(index))->setName(name);
    return kResultTrue;
}

tresult PLUGIN_API Component::getControllerClassId(TUID classID)
{
    if (classID == nullptr)
        return kInvalidArgument;
    if (!controllerClass.isValid())
        return kResultFalse;
    controllerClass.toTUID(classID);
    return kResultOk;
}

tresult PLUGIN_API Component::setIoMode(IoMode /*mode*/)
{
    return kNotImplemented;
}

int32 PLUGIN_API Component::getBusCount(MediaType type, BusDirection dir)
{
    BusList* list = getBusList(type, dir);
    return list ? static_cast<int32>(list->size()) : 0;
}

tresult PLUGIN_API Component::getBusInfo(MediaType type, BusDirection dir, int32 index,
                                         BusInfo& info)
{
    BusList* list = getBusList(type, dir);
    if (list == nullptr || index < 0 || index >= static_cast<int32>(list->size()))
        return kInvalidArgument;
    info.mediaType = type;
    info.direction = dir;
    return list->at(static_cast<size_t>(index))->getInfo(info) ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API Component::getRoutingInfo(RoutingInfo& /*inInfo*/, RoutingInfo& /*outInfo*/)
{
    return kNotImplemented;
}

tresult PLUGIN_API Component::activateBus(MediaType type, BusDirection dir, int32 index,
                                          TBool state)
{
    BusList* list = getBusList(type, dir);
    if (list == nullptr || index < 0 || index >= static_cast<int32>(list->size()))
        return kInvalidArgument;
    list->at(static_cast<size_t>(index))->setActive(state);
    return kResultTrue;
}

tresult PLUGIN_API Component::setActive(TBool /*state*/)
{
    return kResultOk;
}

tresult PLUGIN_API Component::setState(IBStream* /*state*/)
{
    return kNotImplemented;
}

tresult PLUGIN_API Component::getState(IBStream* /*state*/)
{
    return kNotImplemented;
}

} // namespace Vst
} // namespace Steinberg
