// Edit controller bases: EditController (parameters, component handler,
// editor bookkeeping), EditorView (an editor that keeps its controller alive)
// and EditControllerEx1 (units and program lists), with Unit and ProgramList.
#pragma once

#include "public.sdk/source/common/pluginview.h"
#include "public.sdk/source/vst/vstcomponentbase.h"
#include "public.sdk/source/vst/vstparameters.h"

#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "pluginterfaces/vst/ivstunits.h"

#include <map>
#include <string>
#include <vector>

namespace Steinberg
{
namespace Vst
{

class EditorView;

//------------------------------------------------------------------------
// The parameters live in `parameters`; the interface methods answer from
// them. Hosts install their component handler through setComponentHandler.
class EditController : public ComponentBase, public IEditController, public IEditController2
{
public:
    EditController();

    // IEditController
    tresult PLUGIN_API setComponentState(IBStream* state) override;
    tresult PLUGIN_API setState(IBStream* state) override;
    tresult PLUGIN_API getState(IBStream* state) override;
    int32 PLUGIN_API getParameterCount() override;
    tresult PLUGIN_API getParameterInfo(int32 paramIndex, ParameterInfo& info) override;
    tresult PLUGIN_API getParamStringByValue(ParamID tag, ParamValue valueNormalized,
                                             String128 string) override;
    tresult PLUGIN_API getParamValueByString(ParamID tag, TChar* string,
                                             ParamValue& valueNormalized) override;
    ParamValue PLUGIN_API normalizedParamToPlain(ParamID tag, ParamValue valueNormalized) override;
    ParamValue PLUGIN_API plainParamToNormalized(ParamID tag, ParamValue plainValue) override;
    ParamValue PLUGIN_API getParamNormalized(ParamID tag) override;
    tresult PLUGIN_API setParamNormalized(ParamID tag, ParamValue value) override;
    tresult PLUGIN_API setComponentHandler(IComponentHandler* handler) override;
    IPlugView* PLUGIN_API createView(FIDString name) override;

    // IEditController2
    tresult PLUGIN_API setKnobMode(KnobMode mode) override;
    tresult PLUGIN_API openHelp(TBool onlyCheck) override;
    tresult PLUGIN_API openAboutBox(TBool onlyCheck) override;

    // IPluginBase
    tresult PLUGIN_API initialize(FUnknown* context) override;
    // Releases the parameters and the host's handlers, then the host context
    // and any connected peer.
    tresult PLUGIN_API terminate() override;

    // Edit gestures towards the host; kResultFalse while no handler is set.
    virtual tresult beginEdit(ParamID tag);
    virtual tresult performEdit(ParamID tag, ParamValue valueNormalized);
    virtual tresult endEdit(ParamID tag);
    virtual tresult startGroupEdit();
    virtual tresult finishGroupEdit();

    // Editor bookkeeping, called by EditorView.
    virtual void editorDestroyed(EditorView* /*editor*/) {}
    virtual void editorAttached(EditorView* /*editor*/) {}
    virtual void editorRemoved(EditorView* /*editor*/) {}

    // The knob mode the host asked for (setKnobMode), for editors to follow.
    static KnobMode getHostKnobMode() { return hostKnobMode; }

    virtual Parameter* getParameterObject(ParamID tag) { return parameters.getParameter(tag); }
    virtual tresult getParameterInfoByTag(ParamID tag, ParameterInfo& info);

    // IComponentHandler2 services; kResultFalse without such a handler.
    tresult setDirty(TBool state);
    tresult requestOpenEditor(FIDString name = ViewType::kEditor);

    IComponentHandler* getComponentHandler() const { return componentHandler; }

    OBJ_METHODS(EditController, ComponentBase)
    DEFINE_INTERFACES
    DEF_INTERFACE(IEditController)
    DEF_INTERFACE(IEditController2)
    END_DEFINE_INTERFACES(ComponentBase)
    REFCOUNT_METHODS(ComponentBase)

protected:
    ~EditController() override;

    IPtr<IComponentHandler> componentHandler;
    IPtr<IComponentHandler2> componentHandler2;
    ParameterContainer parameters;

    static KnobMode hostKnobMode;
};

//------------------------------------------------------------------------
// An editor view that holds a reference to its controller for as long as it
// lives and tells it when it is attached to and removed from a window.
class EditorView : public CPluginView
{
public:
    explicit EditorView(EditController* controller, ViewRect* size = nullptr);
    ~EditorView() override;

    EditController* getController() const { return controller; }

    void attachedToParent() override;
    void removedFromParent() override;

protected:
    IPtr<EditController> controller;
};

//------------------------------------------------------------------------
// A unit of the controller's unit tree.
class Unit : public FObject
{
public:
    Unit(const String128 name, UnitID unitId, UnitID parentUnitId = kRootUnitId,
         ProgramListID programListId = kNoProgramListId);
    explicit Unit(const UnitInfo& unit);

    virtual const UnitInfo& getInfo() const { return info; }
    UnitID getID() const { return info.id; }
    void setID(UnitID newID) { info.id = newID; }
    const TChar* getName() const { return info.name; }
    void setName(const String128 newName);
    ProgramListID getProgramListID() const { return info.programListId; }
    void setProgramListID(ProgramListID newID) { info.programListId = newID; }

    OBJ_METHODS(Unit, FObject)

protected:
    Unit();
    UnitInfo info{};
};

//------------------------------------------------------------------------
// A named list of programs. Its program-change parameter is made on the first
// call of getParameter(); the list keeps only a plain pointer to it, the
// parameter container that it is added to owns it.
class ProgramList : public FObject
{
public:
    ProgramList(const String128 name, ProgramListID listId, UnitID unitId);
    ProgramList(const ProgramList& programList);

    const ProgramListInfo& getInfo() const { return info; }
    ProgramListID getID() const { return info.id; }
    const TChar* getName() const { return info.name; }
    int32 getCount() const { return info.programCount; }

    virtual tresult getProgramName(int32 programIndex, String128 name);
    virtual tresult setProgramName(int32 programIndex, const String128 name);
    virtual tresult getProgramInfo(int32 programIndex, CString attributeId, String128 value);
    virtual tresult hasPitchNames(int32 programIndex, int16 midiPitch);
    virtual tresult getPitchName(int32 programIndex, int16 midiPitch, String128 name);

    // Appends a program; answers its index.
    virtual int32 addProgram(const String128 name);
    virtual bool setProgramInfo(int32 programIndex, CString attributeId, const String128 value);

    // A list parameter with one entry per program, flags kCanAutomate,
    // kIsList and kIsProgramChange; the first call makes it.
    virtual Parameter* getParameter();

    OBJ_METHODS(ProgramList, FObject)

protected:
    using StringMap = std::map<std::string, std::u16string>;

    ProgramListInfo info{};
    UnitID unitId;
    std::vector<std::u16string> programNames;
    std::vector<StringMap> programInfos;
    Parameter* parameter{nullptr};
};

//------------------------------------------------------------------------
// An edit controller with units and program lists (IUnitInfo). It listens to
// its program lists and tells the host's IUnitHandler when one changes.
class EditControllerEx1 : public EditController, public IUnitInfo
{
public:
    EditControllerEx1();

    // Take over the caller's reference.
    bool addUnit(Unit* unit);
    bool addProgramList(ProgramList* list);
    ProgramList* getProgramList(ProgramListID listId) const;

    tresult notifyProgramListChange(ProgramListID listId, int32 programIndex = kAllProgramInvalid);
    tresult notifyUnitSelection();

    // IPluginBase: also releases the units and program lists.
    tresult PLUGIN_API terminate() override;

    // IUnitInfo
    int32 PLUGIN_API getUnitCount() override;
    tresult PLUGIN_API getUnitInfo(int32 unitIndex, UnitInfo& info) override;
    int32 PLUGIN_API getProgramListCount() override;
    tresult PLUGIN_API getProgramListInfo(int32 listIndex, ProgramListInfo& info) override;
    tresult PLUGIN_API getProgramName(ProgramListID listId, int32 programIndex,
                                      String128 name) override;
    tresult PLUGIN_API getProgramInfo(ProgramListID listId, int32 programIndex, CString attributeId,
                                      String128 attributeValue) override;
    tresult PLUGIN_API hasProgramPitchNames(ProgramListID listId, int32 programIndex) override;
    tresult PLUGIN_API getProgramPitchName(ProgramListID listId, int32 programIndex,
                                           int16 midiPitch, String128 name) override;
    UnitID PLUGIN_API getSelectedUnit() override { return selectedUnit; }
    tresult PLUGIN_API selectUnit(UnitID unitId) override;
    tresult PLUGIN_API getUnitByBus(MediaType type, BusDirection dir, int32 busIndex, int32 channel,
                                    UnitID& unitId) override;
    tresult PLUGIN_API setUnitProgramData(int32 listOrUnitId, int32 programIndex,
                                          IBStream* data) override;

    virtual tresult setProgramName(ProgramListID listId, int32 programIndex, const String128 name);

    // FObject: a program list that signals a change.
    void PLUGIN_API update(FUnknown* changedUnknown, int32 message) override;

    OBJ_METHODS(EditControllerEx1, EditController)
    DEFINE_INTERFACES
    DEF_INTERFACE(IUnitInfo)
    END_DEFINE_INTERFACES(EditController)
    REFCOUNT_METHODS(EditController)

protected:
    ~EditControllerEx1() override;

    ProgramList* findProgramList(ProgramListID listId) const;

    UnitID selectedUnit{kRootUnitId};
    std::vector<IPtr<Unit>> units;
    std::vector<IPtr<ProgramList>> programLists;
    std::map<ProgramListID, size_t> programIndexMap;
};

} // namespace Vst
} // namespace Steinberg
