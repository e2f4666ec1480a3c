// Buses of a VST 3 component: what a host learns through getBusInfo and
// changes through activateBus and setBusArrangements.
#pragma once

#include "base/source/fobject.h"
#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"

#include <string>
#include <vector>

namespace Steinberg
{
namespace Vst
{

// One bus: name, type, flags and whether the host has activated it.
class Bus : public FObject
{
public:
    Bus(const TChar* name, BusType busType, int32 flags);

    TBool isActive() const { return active; }
    void setActive(TBool state) { active = state; }
    void setName(const std::u16string& newName) { name = newName; }
    void setBusType(BusType newBusType) { busType = newBusType; }
    void setFlags(uint32 newFlags) { flags = static_cast<int32>(newFlags); }

    // Fills the fields of info that a bus knows (name, type, flags); the
    // derived buses add the channel count.
    virtual bool getInfo(BusInfo& info);

    OBJ_METHODS(Vst::Bus, FObject)

protected:
    std::u16string name;
    BusType busType;
    int32 flags;
    TBool active;
};

// An event bus with its number of channels.
class EventBus : public Bus
{
public:
    EventBus(const TChar* name, BusType busType, int32 flags, int32 channelCount);

    bool getInfo(BusInfo& info) override;

    OBJ_METHODS(Vst::EventBus, Vst::Bus)

protected:
    int32 channelCount;
};

// An audio bus with its speaker arrangement; its channel count is the number
// of speakers in the arrangement.
class AudioBus : public Bus
{
public:
    AudioBus(const TChar* name, BusType busType, int32 flags, SpeakerArrangement arr);

    SpeakerArrangement getArrangement() const { return speakerArr; }
    void setArrangement(const SpeakerArrangement& arr) { speakerArr = arr; }

    bool getInfo(BusInfo& info) override;

    OBJ_METHODS(Vst::AudioBus, Vst::Bus)

protected:
    SpeakerArrangement speakerArr;
};

// The buses of one media type and direction, in index order.
class BusList : public FObject, public std::vector<IPtr<Vst::Bus>>
{
public:
    BusList(MediaType type, BusDirection dir);

    MediaType getType() const { return type; }
    BusDirection getDirection() const { return direction; }

    OBJ_METHODS(Vst::BusList, FObject)

protected:
    MediaType type;
    BusDirection direction;
};

} // namespace Vst
} // namespace Steinberg
