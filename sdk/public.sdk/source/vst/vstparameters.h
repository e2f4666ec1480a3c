// Parameter objects of an edit controller: their description for the host,
// their current normalized value and their text conversions.
#pragma once

#include "base/source/fobject.h"
#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "pluginterfaces/vst/ivstunits.h"

#include <atomic>
#include <map>
#include <string>
#include <vector>

namespace Steinberg
{
namespace Vst
{

// A plain parameter: the normalized value is the plain value. Setting a value
// notifies the dependents (editor controls) only when it actually changes.
// The value itself may be read and set from any thread: some hosts set
// parameters off their UI thread while an editor reads them on it.
class Parameter : public FObject
{
public:
    Parameter();
    explicit Parameter(const ParameterInfo& info);
    Parameter(const TChar* title, ParamID tag, const TChar* units = nullptr,
              ParamValue defaultValueNormalized = 0., int32 stepCount = 0,
              int32 flags = ParameterInfo::kCanAutomate, UnitID unitID = kRootUnitId,
              const TChar* shortTitle = nullptr);
    ~Parameter() override;

    virtual const ParameterInfo& getInfo() const { return info; }
    virtual ParameterInfo& getInfo() { return info; }

    virtual void setUnitID(UnitID id) { info.unitId = id; }
    virtual UnitID getUnitID() { return info.unitId; }

    virtual ParamValue getNormalized() const { return valueNormalized; }
    // Clamps to [0, 1] (NaN counts as 0); true when the stored value changed.
    virtual bool setNormalized(ParamValue v);

    // "On"/"Off" for a two-state parameter, otherwise the value with
    // getPrecision() decimals.
    virtual void toString(ParamValue valueNormalized, String128 string) const;
    // Reads a decimal number; false when the text holds none.
    virtual bool fromString(const TChar* string, ParamValue& valueNormalized) const;

    virtual ParamValue toPlain(ParamValue valueNormalized) const;
    virtual ParamValue toNormalized(ParamValue plainValue) const;

    virtual int32 getPrecision() const { return precision; }
    virtual void setPrecision(int32 val) { precision = val; }

    OBJ_METHODS(Parameter, FObject)

protected:
    ParameterInfo info{};
    std::atomic<ParamValue> valueNormalized{0.};
    int32 precision{4};
};

// A parameter over a plain range [minPlain, maxPlain], stepped when the step
// count is above zero.
class RangeParameter : public Parameter
{
public:
    RangeParameter(const ParameterInfo& paramInfo, ParamValue min, ParamValue max);
    RangeParameter(const TChar* title, ParamID tag, const TChar* units = nullptr,
                   ParamValue minPlain = 0., ParamValue maxPlain = 1.,
                   ParamValue defaultValuePlain = 0., int32 stepCount = 0,
                   int32 flags = ParameterInfo::kCanAutomate, UnitID unitID = kRootUnitId,
                   const TChar* shortTitle = nullptr);

    virtual ParamValue getMin() const { return minPlain; }
    virtual void setMin(ParamValue value) { minPlain = value; }
    virtual ParamValue getMax() const { return maxPlain; }
    virtual void setMax(ParamValue value) { maxPlain = value; }

    // Prints the plain value.
    void toString(ParamValue valueNormalized, String128 string) const override;
    // Reads a plain value and normalizes it, clamped to the range.
    bool fromString(const TChar* string, ParamValue& valueNormalized) const override;
    ParamValue toPlain(ParamValue valueNormalized) const override;
    ParamValue toNormalized(ParamValue plainValue) const override;

    OBJ_METHODS(RangeParameter, Parameter)

protected:
    ParamValue minPlain{0.};
    ParamValue maxPlain{1.};
};

// A list of texts, one per step: the step count grows with every appended
// string (one string gives step count 0, seven give 6).
class StringListParameter : public Parameter
{
public:
    explicit StringListParameter(const ParameterInfo& paramInfo);
    StringListParameter(const TChar* title, ParamID tag, const TChar* units = nullptr,
                        int32 flags = ParameterInfo::kCanAutomate | ParameterInfo::kIsList,
                        UnitID unitID = kRootUnitId, const TChar* shortTitle = nullptr);
    ~StringListParameter() override;

    virtual void appendString(const String128 string);
    virtual bool replaceString(int32 index, const String128 string);

    // The text of step min(stepCount, trunc(v * (stepCount + 1))); empty
    // when there is none.
    void toString(ParamValue valueNormalized, String128 string) const override;
    // The step whose text equals the given one exactly, as step / stepCount.
    bool fromString(const TChar* string, ParamValue& valueNormalized) const override;
    ParamValue toPlain(ParamValue valueNormalized) const override;
    ParamValue toNormalized(ParamValue plainValue) const override;

    OBJ_METHODS(StringListParameter, Parameter)

protected:
    std::vector<std::u16string> strings;
};

// Owns the parameters of a controller, in registration order (the host's
// index order), with a look-up by identifier.
class ParameterContainer
{
public:
    ParameterContainer();
    ~ParameterContainer();

    ParameterContainer(const ParameterContainer&) = delete;
    ParameterContainer& operator=(const ParameterContainer&) = delete;

    // Reserves room; kept for source compatibility, growth is automatic.
    void init(int32 initialSize = 10, int32 resizeDelta = 100);

    // Takes over the caller's reference; null is refused.
    Parameter* addParameter(Parameter* p);
    Parameter* addParameter(const ParameterInfo& info);
    // A tag of -1 takes the current parameter count as identifier. A null
    // title is refused.
    Parameter* addParameter(const TChar* title, const TChar* units = nullptr, int32 stepCount = 0,
                            ParamValue defaultValueNormalized = 0.,
                            int32 flags = ParameterInfo::kCanAutomate, int32 tag = -1,
                            UnitID unitID = kRootUnitId, const TChar* shortTitle = nullptr);

    // The parameter added last under that identifier, or null.
    Parameter* getParameter(ParamID tag) const;
    Parameter* getParameterByIndex(int32 index) const;
    int32 getParameterCount() const { return static_cast<int32>(params.size()); }

    bool removeParameter(ParamID tag);
    void removeAll();

protected:
    std::vector<IPtr<Parameter>> params;
    std::map<ParamID, size_t> id2index;
};

} // namespace Vst
} // namespace Steinberg
