#include "public.sdk/source/vst/vsteditcontroller.h"

#include <algorithm>

namespace Steinberg
{
namespace Vst
{

KnobMode EditController::hostKnobMode = kCircularMode;

//------------------------------------------------------------------------
EditController::EditController() = default;

EditController::~EditController() = default;

tresult PLUGIN_API EditController::initialize(FUnknown* context)
{
    return ComponentBase::initialize(context);
}

tresult PLUGIN_API EditController::terminate()
{
    parameters.removeAll();
    componentHandler = nullptr;
    componentHandler2 = nullptr;
    return ComponentBase::terminate();
}

tresult PLUGIN_API EditController::setComponentState(IBStream* /*state*/)
{
    return kNotImplemented;
}

tresult PLUGIN_API EditController::setState(IBStream* /*state*/)
{
    return kNotImplemented;
}

tresult PLUGIN_API EditController::getState(IBStream* /*state*/)
{
    return kNotImplemented;
}

int32 PLUGIN_API EditController::getParameterCount()
{
    return parameters.getParameterCount();
}

tresult PLUGIN_API EditController::getParameterInfo(int32 paramIndex, ParameterInfo& info)
{
    if (Parameter* parameter = parameters.getParameterByIndex(paramIndex))
    {
        info = parameter->getInfo();
        return kResultTrue;
    }
    return kResultFalse;
}

tresult EditController::getParameterInfoByTag(ParamID tag, ParameterInfo& info)
{
    if (Parameter* parameter = getParameterObject(tag))
    {
        info = parameter->getInfo();
        return kResultTrue;
    }
    return kResultFalse;
}

tresult PLUGIN_API EditController::getParamStringByValue(ParamID tag, ParamValue valueNormalized,
                                                         String128 string)
{
    Parameter* parameter = getParameterObject(tag);
    if (parameter == nullptr || string == nullptr)
        return kResultFalse;
    parameter->toString(valueNormalized, string);
    return kResultTrue;
}

tresult PLUGIN_API EditController::getParamValueByString(ParamID tag, TChar* string,
                                                         ParamValue& valueNormalized)
{
    Parameter* parameter = getParameterObject(tag);
    if (parameter != nullptr && parameter->fromString(string, valueNormalized))
        return kResultTrue;
    return kResultFalse;
}

ParamValue PLUGIN_API EditController::normalizedParamToPlain(ParamID tag,
                                                             ParamValue valueNormalized)
{
    Parameter* parameter = getParameterObject(tag);
    return parameter != nullptr ? parameter->toPlain(valueNormalized) : valueNormalized;
}

ParamValue PLUGIN_API EditController::plainParamToNormalized(ParamID tag, ParamValue plainValue)
{
    Parameter* parameter = getParameterObject(tag);
    return parameter != nullptr ? parameter->toNormalized(plainValue) : plainValue;
}

ParamValue PLUGIN_API EditController::getParamNormalized(ParamID tag)
{
    Parameter* parameter = getParameterObject(tag);
    return parameter != nullptr ? parameter->getNormalized() : 0.;
}

tresult PLUGIN_API EditController::setParamNormalized(ParamID tag, ParamValue value)
{
    Parameter* parameter = getParameterObject(tag);
    if (parameter == nullptr)
        return kResultFalse;
    parameter->setNormalized(value);
    return kResultTrue;
}

tresult PLUGIN_API EditController::setComponentHandler(IComponentHandler* handler)
{
    if (componentHandler == handler)
        return kResultTrue;
    componentHandler = handler;
    // The second handler interface comes from the same host object, or not at all.
    componentHandler2 = nullptr;
    if (handler != nullptr)
    {
        void* found = nullptr;
        if (handler->queryInterface(IComponentHandler2::iid, &found) == kResultOk && found)
            componentHandler2 = owned(static_cast<IComponentHandler2*>(found));
    }
    return kResultTrue;
}

IPlugView* PLUGIN_API EditController::createView(FIDString /*name*/)
{
    return nullptr;
}

// Kept as the host says it; an editor takes a mode it does not know for
// circular.
tresult PLUGIN_API EditController::setKnobMode(KnobMode mode)
{
    hostKnobMode = mode;
    return kResultTrue;
}

tresult PLUGIN_API EditController::openHelp(TBool /*onlyCheck*/)
{
    return kResultFalse;
}

tresult PLUGIN_API EditController::openAboutBox(TBool /*onlyCheck*/)
{
    return kResultFalse;
}

tresult EditController::beginEdit(ParamID tag)
{
    return componentHandler ? componentHandler->beginEdit(tag) : kResultFalse;
}

tresult EditController::performEdit(ParamID tag, ParamValue valueNormalized)
{
    return componentHandler ? componentHandler->performEdit(tag, valueNormalized) : kResultFalse;
}

tresult EditController::endEdit(ParamID tag)
{
    return componentHandler ? componentHandler->endEdit(tag) : kResultFalse;
}

tresult EditController::startGroupEdit()
{
    return componentHandler2 ? componentHandler2->startGroupEdit() : kNotImplemented;
}

tresult EditController::finishGroupEdit()
{
    return componentHandler2 ? componentHandler2->finishGroupEdit() : kNotImplemented;
}

tresult EditController::setDirty(TBool state)
{
    return componentHandler2 ? componentHandler2->setDirty(state) : kResultFalse;
}

tresult EditController::requestOpenEditor(FIDString name)
{
    return componentHandler2 ? componentHandler2->requestOpenEditor(name) : kResultFalse;
}

//------------------------------------------------------------------------
EditorView::EditorView(EditController* editController, ViewRect* size)
    : CPluginView(size), controller(editController)
{
}

EditorView::~EditorView()
{
    if (controller)
    {
        controller->editorDestroyed(this);
        controller = nullptr;
    }
}

void EditorView::attachedToParent()
{
    if (controller)
        controller->editorAttached(this);
}

void EditorView::removedFromParent()
{
    if (controller)
        controller->editorRemoved(this);
}

//------------------------------------------------------------------------
namespace
{

void copyName(String128 dest, const TChar* source)
{
    size_t n = 0;
    if (source != nullptr)
        while (n < 127 && source[n] != 0)
            ++n;
    if (n > 0)
        std::copy(source, source + n, dest);
    dest[n] = 0;
}

std::u16string boundedText(const TChar* text)
{
    size_t n = 0;
    if (text != nullptr)
        while (n < 127 && text[n] != 0)
            ++n;
    return std::u16string(text, text + n);
}

} // namespace

Unit::Unit() = default;

Unit::Unit(const String128 name, UnitID unitId, UnitID parentUnitId, ProgramListID programListId)
{
    copyName(info.name, name);
    info.id = unitId;
    info.parentUnitId = parentUnitId;
    info.programListId = programListId;
}

Unit::Unit(const UnitInfo& unit) : info(unit) {}

void Unit::setName(const String128 newName)
{
    copyName(info.name, newName);
}

//------------------------------------------------------------------------
ProgramList::ProgramList(const String128 name, ProgramListID listId, UnitID unitId) : unitId(unitId)
{
    copyName(info.name, name);
    info.id = listId;
    info.programCount = 0;
}

// A copy has its own names and no parameter yet.
ProgramList::ProgramList(const ProgramList& programList)
    : FObject(), info(programList.info), unitId(programList.unitId),
      programNames(programList.programNames), programInfos(programList.programInfos)
{
}

int32 ProgramList::addProgram(const String128 name)
{
    programNames.push_back(boundedText(name));
    programInfos.emplace_back();
    info.programCount = static_cast<int32>(programNames.size());
    return info.programCount - 1;
}

tresult ProgramList::getProgramName(int32 programIndex, String128 name)
{
    if (programIndex < 0 || programIndex >= static_cast<int32>(programNames.size()) ||
        name == nullptr)
        return kResultFalse;
    copyName(name, programNames[static_cast<size_t>(programIndex)].c_str());
    return kResultTrue;
}

tresult ProgramList::setProgramName(int32 programIndex, const String128 name)
{
    if (programIndex < 0 || programIndex >= static_cast<int32>(programNames.size()))
        return kResultFalse;
    programNames[static_cast<size_t>(programIndex)] = boundedText(name);
    return kResultTrue;
}

bool ProgramList::setProgramInfo(int32 programIndex, CString attributeId, const String128 value)
{
    if (programIndex < 0 || programIndex >= static_cast<int32>(programInfos.size()) ||
        attributeId == nullptr)
        return false;
    programInfos[static_cast<size_t>(programIndex)][attributeId] = boundedText(value);
    return true;
}

tresult ProgramList::getProgramInfo(int32 programIndex, CString attributeId, String128 value)
{
    if (programIndex < 0 || programIndex >= static_cast<int32>(programInfos.size()) ||
        attributeId == nullptr || value == nullptr)
        return kResultFalse;
    const StringMap& attributes = programInfos[static_cast<size_t>(programIndex)];
    const auto it = attributes.find(attributeId);
    if (it == attributes.end())
        return kResultFalse;
    copyName(value, it->second.c_str());
    return kResultTrue;
}

tresult ProgramList::hasPitchNames(int32 /*programIndex*/, int16 /*midiPitch*/)
{
    return kResultFalse;
}

tresult ProgramList::getPitchName(int32 /*programIndex*/, int16 /*midiPitch*/, String128 /*name*/)
{
    return kResultFalse;
}

Parameter* ProgramList::getParameter()
{
    if (parameter == nullptr)
    {
        // Owned here until complete: a list that cannot be filled is released.
        IPtr<StringListParameter> listParameter(
            new StringListParameter(info.name, static_cast<ParamID>(info.id), nullptr,
                                    ParameterInfo::kCanAutomate | ParameterInfo::kIsList |
                                        ParameterInfo::kIsProgramChange,
                                    unitId),
            false);
        for (const auto& name : programNames)
            listParameter->appendString(name.c_str());
        parameter = listParameter.take();
    }
    return parameter;
}

//------------------------------------------------------------------------
EditControllerEx1::EditControllerEx1() = default;

EditControllerEx1::~EditControllerEx1()
{
    for (auto& list : programLists)
        list->removeDependent(this);
}

tresult PLUGIN_API EditControllerEx1::terminate()
{
    units.clear();
    for (auto& list : programLists)
        list->removeDependent(this);
    programLists.clear();
    programIndexMap.clear();
    return EditController::terminate();
}

bool EditControllerEx1::addUnit(Unit* unit)
{
    if (unit == nullptr)
        return false;
    IPtr<Unit> owner(unit, false); // released, not lost, if the list cannot grow
    units.push_back(owner);
    return true;
}

bool EditControllerEx1::addProgramList(ProgramList* list)
{
    if (list == nullptr)
        return false;
    IPtr<ProgramList> owner(list, false); // released, not lost, on failure
    programLists.push_back(owner);
    try
    {
        programIndexMap[list->getID()] = programLists.size() - 1;
        list->addDependent(this);
    }
    catch (...)
    {
        list->removeDependent(this);
        programIndexMap.erase(list->getID());
        programLists.pop_back();
        throw;
    }
    return true;
}

ProgramList* EditControllerEx1::findProgramList(ProgramListID listId) const
{
    const auto it = programIndexMap.find(listId);
    return it != programIndexMap.end() ? programLists[it->second].get() : nullptr;
}

ProgramList* EditControllerEx1::getProgramList(ProgramListID listId) const
{
    return findProgramList(listId);
}

tresult EditControllerEx1::notifyProgramListChange(ProgramListID listId, int32 programIndex)
{
    FUnknownPtr<IUnitHandler> unitHandler(componentHandler);
    if (!unitHandler)
        return kResultFalse;
    return unitHandler->notifyProgramListChange(listId, programIndex);
}

tresult EditControllerEx1::notifyUnitSelection()
{
    FUnknownPtr<IUnitHandler> unitHandler(componentHandler);
    if (!unitHandler)
        return kResultFalse;
    return unitHandler->notifyUnitSelection(selectedUnit);
}

int32 PLUGIN_API EditControllerEx1::getUnitCount()
{
    return static_cast<int32>(units.size());
}

tresult PLUGIN_API EditControllerEx1::getUnitInfo(int32 unitIndex, UnitInfo& info)
{
    if (unitIndex < 0 || static_cast<size_t>(unitIndex) >= units.size())
        return kResultFalse;
    info = units[static_cast<size_t>(unitIndex)]->getInfo();
    return kResultTrue;
}

int32 PLUGIN_API EditControllerEx1::getProgramListCount()
{
    return static_cast<int32>(programLists.size());
}

tresult PLUGIN_API EditControllerEx1::getProgramListInfo(int32 listIndex, ProgramListInfo& info)
{
    if (listIndex < 0 || static_cast<size_t>(listIndex) >= programLists.size())
        return kResultFalse;
    info = programLists[static_cast<size_t>(listIndex)]->getInfo();
    return kResultTrue;
}

tresult PLUGIN_API EditControllerEx1::getProgramName(ProgramListID listId, int32 programIndex,
                                                     String128 name)
{
    ProgramList* list = findProgramList(listId);
    return list != nullptr ? list->getProgramName(programIndex, name) : kResultFalse;
}

tresult EditControllerEx1::setProgramName(ProgramListID listId, int32 programIndex,
                                          const String128 name)
{
    ProgramList* list = findProgramList(listId);
    return list != nullptr ? list->setProgramName(programIndex, name) : kResultFalse;
}

tresult PLUGIN_API EditControllerEx1::getProgramInfo(ProgramListID listId, int32 programIndex,
                                                     CString attributeId, String128 attributeValue)
{
    ProgramList* list = findProgramList(listId);
    return list != nullptr ? list->getProgramInfo(programIndex, attributeId, attributeValue)
                           : kResultFalse;
}

tresult PLUGIN_API EditControllerEx1::hasProgramPitchNames(ProgramListID listId, int32 programIndex)
{
    ProgramList* list = findProgramList(listId);
    return list != nullptr ? list->hasPitchNames(programIndex, -1) : kResultFalse;
}

tresult PLUGIN_API EditControllerEx1::getProgramPitchName(ProgramListID listId, int32 programIndex,
                                                          int16 midiPitch, String128 name)
{
    ProgramList* list = findProgramList(listId);
    return list != nullptr ? list->getPitchName(programIndex, midiPitch, name) : kResultFalse;
}

tresult PLUGIN_API EditControllerEx1::selectUnit(UnitID unitId)
{
    selectedUnit = unitId;
    return kResultTrue;
}

tresult PLUGIN_API EditControllerEx1::getUnitByBus(MediaType /*type*/, BusDirection /*dir*/,
                                                   int32 /*busIndex*/, int32 /*channel*/,
                                                   UnitID& /*unitId*/)
{
    return kResultFalse;
}

tresult PLUGIN_API EditControllerEx1::setUnitProgramData(int32 /*listOrUnitId*/,
                                                         int32 /*programIndex*/, IBStream* /*data*/)
{
    return kResultFalse;
}

void PLUGIN_API EditControllerEx1::update(FUnknown* changedUnknown, int32 /*message*/)
{
    if (ProgramList* list = FCast<ProgramList>(changedUnknown))
        notifyProgramListChange(list->getID(), kAllProgramInvalid);
}

} // namespace Vst
} // namespace Steinberg
