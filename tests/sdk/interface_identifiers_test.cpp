// Every interface the layer declares must carry the identifier and the
// method order that hosts were compiled against.
#include "abi_tables.h"

#include "pluginterfaces/base/ibstream.h"
#include "pluginterfaces/base/ipluginbase.h"
#include "pluginterfaces/base/iupdatehandler.h"
#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/gui/iplugviewcontentscalesupport.h"
#include "pluginterfaces/vst/ivstattributes.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "pluginterfaces/vst/ivstevents.h"
#include "pluginterfaces/vst/ivsthostapplication.h"
#include "pluginterfaces/vst/ivstmessage.h"
#include "pluginterfaces/vst/ivstparameterchanges.h"
#include "pluginterfaces/vst/ivstpluginterfacesupport.h"
#include "pluginterfaces/vst/ivstunits.h"

#include <gtest/gtest.h>

#if COM_COMPATIBLE
#include <windows.h>
#include <unknwn.h>
#endif

#include <cstring>
#include <map>
#include <set>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace Steinberg::Linux;

namespace
{

struct TableEntry
{
    std::string base;
    uint32_t words[4];
    std::vector<std::string> methods;
};

std::map<std::string, TableEntry> interfaceTable()
{
    std::map<std::string, TableEntry> table;
    for (const auto& row : ferrulith::test::abi::readTable("vst3-interfaces.tsv"))
    {
        if (row.size() < 3 || row[0] == "interface")
            continue;
        TableEntry entry;
        entry.base = row[1];
        const auto words = ferrulith::test::abi::splitWords(row[2], " ");
        for (int i = 0; i < 4; ++i)
            entry.words[i] = static_cast<uint32_t>(std::stoul(words.at(i), nullptr, 16));
        if (row.size() > 3)
            entry.methods = ferrulith::test::abi::splitWords(row[3], ", ");
        table[row[0]] = entry;
    }
    return table;
}

#define IID_OF(I)                                                                                  \
    {                                                                                              \
#I, &I::iid                                                                                \
    }
const std::map<std::string, const FUID*> kDeclaredInterfaces = {
    IID_OF(FUnknown),
    IID_OF(IBStream),
    IID_OF(ISizeableStream),
    IID_OF(IPluginBase),
    IID_OF(IPluginFactory),
    IID_OF(IPluginFactory2),
    IID_OF(IPluginFactory3),
    IID_OF(IUpdateHandler),
    IID_OF(IDependent),
    IID_OF(IPlugView),
    IID_OF(IPlugFrame),
    IID_OF(IEventHandler),
    IID_OF(ITimerHandler),
    IID_OF(IRunLoop),
    IID_OF(IPlugViewContentScaleSupport),
    IID_OF(IAttributeList),
    IID_OF(IStreamAttributes),
    IID_OF(IAudioProcessor),
    IID_OF(IProcessContextRequirements),
    IID_OF(IComponent),
    IID_OF(IComponentHandler),
    IID_OF(IComponentHandler2),
    IID_OF(IEditController),
    IID_OF(IEditController2),
    IID_OF(IEventList),
    IID_OF(IHostApplication),
    IID_OF(IMessage),
    IID_OF(IConnectionPoint),
    IID_OF(IParamValueQueue),
    IID_OF(IParameterChanges),
    IID_OF(IPlugInterfaceSupport),
    IID_OF(IUnitHandler),
    IID_OF(IUnitHandler2),
    IID_OF(IUnitInfo),
    IID_OF(IProgramListData),
    IID_OF(IUnitData),
};

// Vtable slot of a virtual member function, from its Itanium C++ ABI
// pointer-to-member form (address field = 1 + byte offset in the vtable).
template <class C, class M> int slotOf(M C::*method)
{
    struct
    {
        uintptr_t ptr;
        ptrdiff_t adj;
    } rep;
    static_assert(sizeof(method) == sizeof(rep), "unexpected pointer-to-member layout");
    std::memcpy(&rep, &method, sizeof(rep));
    if ((rep.ptr & 1) == 0)
        return -1; // not virtual
    return static_cast<int>((rep.ptr - 1) / sizeof(void*));
}

#define SLOT(I, m)                                                                                 \
    {                                                                                              \
        {#I, #m}, slotOf(&I::m)                                                                    \
    }
const std::map<std::pair<std::string, std::string>, int> kSlots = {
    SLOT(FUnknown, queryInterface),
    SLOT(FUnknown, addRef),
    SLOT(FUnknown, release),
    SLOT(IBStream, read),
    SLOT(IBStream, write),
    SLOT(IBStream, seek),
    SLOT(IBStream, tell),
    SLOT(ISizeableStream, getStreamSize),
    SLOT(ISizeableStream, setStreamSize),
    SLOT(IPluginBase, initialize),
    SLOT(IPluginBase, terminate),
    SLOT(IPluginFactory, getFactoryInfo),
    SLOT(IPluginFactory, countClasses),
    SLOT(IPluginFactory, getClassInfo),
    SLOT(IPluginFactory, createInstance),
    SLOT(IPluginFactory2, getClassInfo2),
    SLOT(IPluginFactory3, getClassInfoUnicode),
    SLOT(IPluginFactory3, setHostContext),
    SLOT(IUpdateHandler, addDependent),
    SLOT(IUpdateHandler, removeDependent),
    SLOT(IUpdateHandler, triggerUpdates),
    SLOT(IUpdateHandler, deferUpdates),
    SLOT(IDependent, update),
    SLOT(IPlugView, isPlatformTypeSupported),
    SLOT(IPlugView, attached),
    SLOT(IPlugView, removed),
    SLOT(IPlugView, onWheel),
    SLOT(IPlugView, onKeyDown),
    SLOT(IPlugView, onKeyUp),
    SLOT(IPlugView, getSize),
    SLOT(IPlugView, onSize),
    SLOT(IPlugView, onFocus),
    SLOT(IPlugView, setFrame),
    SLOT(IPlugView, canResize),
    SLOT(IPlugView, checkSizeConstraint),
    SLOT(IPlugFrame, resizeView),
    SLOT(IEventHandler, onFDIsSet),
    SLOT(ITimerHandler, onTimer),
    SLOT(IRunLoop, registerEventHandler),
    SLOT(IRunLoop, unregisterEventHandler),
    SLOT(IRunLoop, registerTimer),
    SLOT(IRunLoop, unregisterTimer),
    SLOT(IPlugViewContentScaleSupport, setContentScaleFactor),
    SLOT(IAttributeList, setInt),
    SLOT(IAttributeList, getInt),
    SLOT(IAttributeList, setFloat),
    SLOT(IAttributeList, getFloat),
    SLOT(IAttributeList, setString),
    SLOT(IAttributeList, getString),
    SLOT(IAttributeList, setBinary),
    SLOT(IAttributeList, getBinary),
    SLOT(IStreamAttributes, getFileName),
    SLOT(IStreamAttributes, getAttributes),
    SLOT(IAudioProcessor, setBusArrangements),
    SLOT(IAudioProcessor, getBusArrangement),
    SLOT(IAudioProcessor, canProcessSampleSize),
    SLOT(IAudioProcessor, getLatencySamples),
    SLOT(IAudioProcessor, setupProcessing),
    SLOT(IAudioProcessor, setProcessing),
    SLOT(IAudioProcessor, process),
    SLOT(IAudioProcessor, getTailSamples),
    SLOT(IProcessContextRequirements, getProcessContextRequirements),
    SLOT(IComponent, getControllerClassId),
    SLOT(IComponent, setIoMode),
    SLOT(IComponent, getBusCount),
    SLOT(IComponent, getBusInfo),
    SLOT(IComponent, getRoutingInfo),
    SLOT(IComponent, activateBus),
    SLOT(IComponent, setActive),
    SLOT(IComponent, setState),
    SLOT(IComponent, getState),
    SLOT(IComponentHandler, beginEdit),
    SLOT(IComponentHandler, performEdit),
    SLOT(IComponentHandler, endEdit),
    SLOT(IComponentHandler, restartComponent),
    SLOT(IComponentHandler2, setDirty),
    SLOT(IComponentHandler2, requestOpenEditor),
    SLOT(IComponentHandler2, startGroupEdit),
    SLOT(IComponentHandler2, finishGroupEdit),
    SLOT(IEditController, setComponentState),
    SLOT(IEditController, setState),
    SLOT(IEditController, getState),
    SLOT(IEditController, getParameterCount),
    SLOT(IEditController, getParameterInfo),
    SLOT(IEditController, getParamStringByValue),
    SLOT(IEditController, getParamValueByString),
    SLOT(IEditController, normalizedParamToPlain),
    SLOT(IEditController, plainParamToNormalized),
    SLOT(IEditController, getParamNormalized),
    SLOT(IEditController, setParamNormalized),
    SLOT(IEditController, setComponentHandler),
    SLOT(IEditController, createView),
    SLOT(IEditController2, setKnobMode),
    SLOT(IEditController2, openHelp),
    SLOT(IEditController2, openAboutBox),
    SLOT(IEventList, getEventCount),
    SLOT(IEventList, getEvent),
    SLOT(IEventList, addEvent),
    SLOT(IHostApplication, getName),
    SLOT(IHostApplication, createInstance),
    SLOT(IMessage, getMessageID),
    SLOT(IMessage, setMessageID),
    SLOT(IMessage, getAttributes),
    SLOT(IConnectionPoint, connect),
    SLOT(IConnectionPoint, disconnect),
    SLOT(IConnectionPoint, notify),
    SLOT(IParamValueQueue, getParameterId),
    SLOT(IParamValueQueue, getPointCount),
    SLOT(IParamValueQueue, getPoint),
    SLOT(IParamValueQueue, addPoint),
    SLOT(IParameterChanges, getParameterCount),
    SLOT(IParameterChanges, getParameterData),
    SLOT(IParameterChanges, addParameterData),
    SLOT(IPlugInterfaceSupport, isPlugInterfaceSupported),
    SLOT(IUnitHandler, notifyUnitSelection),
    SLOT(IUnitHandler, notifyProgramListChange),
    SLOT(IUnitHandler2, notifyUnitByBusChange),
    SLOT(IUnitInfo, getUnitCount),
    SLOT(IUnitInfo, getUnitInfo),
    SLOT(IUnitInfo, getProgramListCount),
    SLOT(IUnitInfo, getProgramListInfo),
    SLOT(IUnitInfo, getProgramName),
    SLOT(IUnitInfo, getProgramInfo),
    SLOT(IUnitInfo, hasProgramPitchNames),
    SLOT(IUnitInfo, getProgramPitchName),
    SLOT(IUnitInfo, getSelectedUnit),
    SLOT(IUnitInfo, selectUnit),
    SLOT(IUnitInfo, getUnitByBus),
    SLOT(IUnitInfo, setUnitProgramData),
    SLOT(IProgramListData, programDataSupported),
    SLOT(IProgramListData, getProgramData),
    SLOT(IProgramListData, setProgramData),
    SLOT(IUnitData, unitDataSupported),
    SLOT(IUnitData, getUnitData),
    SLOT(IUnitData, setUnitData),
};

int methodCountWithBases(const std::map<std::string, TableEntry>& table, const std::string& name)
{
    if (name == "-")
        return 0;
    const TableEntry& entry = table.at(name);
    return methodCountWithBases(table, entry.base) + static_cast<int>(entry.methods.size());
}

} // namespace

TEST(InterfaceIdentifiers, EveryDeclaredInterfaceCarriesTheMeasuredWords)
{
    const auto table = interfaceTable();
    for (const auto& [name, iid] : kDeclaredInterfaces)
    {
        SCOPED_TRACE(name);
        ASSERT_TRUE(table.count(name)) << "not in the measured table";
        const TableEntry& expected = table.at(name);
        EXPECT_EQ(iid->getLong1(), expected.words[0]);
        EXPECT_EQ(iid->getLong2(), expected.words[1]);
        EXPECT_EQ(iid->getLong3(), expected.words[2]);
        EXPECT_EQ(iid->getLong4(), expected.words[3]);
    }
}

#if COM_COMPATIBLE
// On Windows an identifier is a COM GUID in memory: Data1 is the first word,
// Data2 and Data3 the halves of the second, Data4 the last two words most
// significant byte first. FUnknown is COM's own IUnknown.
TEST(InterfaceIdentifiers, BytesAreTheWordsAsAComGuidOnWindows)
{
    const auto table = interfaceTable();
    for (const auto& [name, iid] : kDeclaredInterfaces)
    {
        SCOPED_TRACE(name);
        const uint32_t* w = table.at(name).words;
        GUID guid{w[0],
                  static_cast<unsigned short>(w[1] >> 16),
                  static_cast<unsigned short>(w[1] & 0xFFFF),
                  {}};
        for (int i = 0; i < 8; ++i)
            guid.Data4[i] = static_cast<unsigned char>(w[2 + i / 4] >> (24 - 8 * (i % 4)));
        EXPECT_EQ(std::memcmp(iid->toTUID(), &guid, sizeof guid), 0);
    }
    EXPECT_EQ(std::memcmp(FUnknown::iid.toTUID(), &IID_IUnknown, 16), 0);
}
#else
// On Linux the 16 bytes are the four words, each most significant byte
// first; a host compares these bytes, not the words.
TEST(InterfaceIdentifiers, BytesAreTheWordsBigEndianOnLinux)
{
    const auto table = interfaceTable();
    for (const auto& [name, iid] : kDeclaredInterfaces)
    {
        SCOPED_TRACE(name);
        const TableEntry& expected = table.at(name);
        TUID bytes;
        iid->toTUID(bytes);
        for (int i = 0; i < 16; ++i)
            EXPECT_EQ(static_cast<uint8_t>(bytes[i]),
                      (expected.words[i / 4] >> (24 - 8 * (i % 4))) & 0xFF)
                << "byte " << i;
    }
}
#endif

TEST(InterfaceIdentifiers, NoTwoDeclaredInterfacesShareAnIdentifier)
{
    std::set<FUID> seen;
    for (const auto& [name, iid] : kDeclaredInterfaces)
        EXPECT_TRUE(seen.insert(*iid).second) << name;
}

TEST(InterfaceMethodOrder, EveryMethodSitsInItsMeasuredVtableSlot)
{
    const auto table = interfaceTable();
    std::set<std::string> checkedInterfaces;
    for (const auto& [name, iid] : kDeclaredInterfaces)
    {
        SCOPED_TRACE(name);
        const TableEntry& entry = table.at(name);
        const int first = methodCountWithBases(table, entry.base);
        for (size_t i = 0; i < entry.methods.size(); ++i)
        {
            const auto key = std::make_pair(name, entry.methods[i]);
            ASSERT_TRUE(kSlots.count(key)) << entry.methods[i] << " is not declared";
            EXPECT_EQ(kSlots.at(key), first + static_cast<int>(i)) << entry.methods[i];
        }
    }
    // Every declared method is one the table knows (no extra virtuals).
    for (const auto& [key, slot] : kSlots)
    {
        const auto& methods = table.at(key.first).methods;
        EXPECT_NE(std::find(methods.begin(), methods.end(), key.second), methods.end())
            << key.first << "::" << key.second;
    }
}
