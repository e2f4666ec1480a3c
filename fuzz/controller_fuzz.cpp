// The controller driven by a hostile host: processor states of any content,
// edits of any value, parameter texts both ways, program names and program
// data for any list and index. What must hold: every parameter stays a finite
// value in [0, 1]; a refused component state changes no parameter; texts come
// back terminated within their 128 characters; program data is 32 bytes of
// the preset asked for, or nothing.
#include "controller/ferrulithcontroller.h"
#include "fuzz_check.h"
#include "fuzz_values.h"
#include "hostkit/memory_stream.h"
#include "hostkit/vst_ptr.h"

#include <cmath>
#include <vector>

using namespace Steinberg;
using namespace Steinberg::Vst;
using ferrulith::fuzz::anyDouble;
using ferrulith::fuzz::check;
using ferrulith::host::MemoryStream;
using ferrulith::host::queryInterface;
using ferrulith::host::VstPtr;

namespace
{

constexpr ParamID kParamCount = 10;

std::vector<ParamValue> values(IEditController& c)
{
    std::vector<ParamValue> all;
    for (ParamID id = 0; id < kParamCount; ++id)
        all.push_back(c.getParamNormalized(id));
    return all;
}

bool terminated(const TChar* text, size_t capacity)
{
    for (size_t i = 0; i < capacity; ++i)
        if (text[i] == 0)
            return true;
    return false;
}

ParamID anyId(FuzzedDataProvider& in)
{
    return in.ConsumeBool() ? in.ConsumeIntegralInRange<ParamID>(0, kParamCount)
                            : in.ConsumeIntegral<ParamID>();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider in(data, size);
    const auto controller = queryInterface<IEditController>(
        VstPtr<FUnknown>::adopt(quorvelware::FerrulithController::createInstance(nullptr)));
    const auto units = queryInterface<IUnitInfo>(controller);
    const auto programs = queryInterface<IProgramListData>(controller);
    check(controller->initialize(nullptr) == kResultOk, "initialize");

    for (int op = 0; op < 32 && in.remaining_bytes() > 0; ++op)
    {
        switch (in.ConsumeIntegralInRange(0, 6))
        {
        case 0:
        {
            const std::vector<ParamValue> before = values(*controller);
            MemoryStream stream(in.ConsumeBytes<uint8_t>(in.ConsumeIntegralInRange(0, 40)));
            if (controller->setComponentState(&stream) != kResultOk)
                check(values(*controller) == before, "a refused state changes nothing");
            break;
        }
        case 1:
            controller->setParamNormalized(anyId(in), anyDouble(in));
            break;
        case 2:
        {
            String128 text;
            if (controller->getParamStringByValue(anyId(in), anyDouble(in), text) == kResultOk)
                check(terminated(text, 128), "a value's text is terminated");
            break;
        }
        case 3:
        {
            std::vector<TChar> text(in.ConsumeIntegralInRange(0, 127));
            for (TChar& c : text)
                c = in.ConsumeIntegral<TChar>();
            text.push_back(0);
            ParamValue value = 0.0;
            controller->getParamValueByString(anyId(in), text.data(), value);
            break;
        }
        case 4:
        {
            String128 name;
            if (units->getProgramName(in.ConsumeIntegral<int32>() % 12,
                                      in.ConsumeIntegral<int32>() % 10, name) == kResultOk)
                check(terminated(name, 128), "a program name is terminated");
            break;
        }
        case 5:
        {
            const int32 list = in.ConsumeIntegral<int32>() % 12;
            const int32 index = in.ConsumeIntegral<int32>() % 10;
            MemoryStream stream;
            const tresult result = programs->getProgramData(list, index, &stream);
            check(result == kResultOk ? stream.bytes().size() == 32 : stream.bytes().empty(),
                  "program data is a whole preset or nothing");
            MemoryStream given(in.ConsumeBytes<uint8_t>(in.ConsumeIntegralInRange(0, 40)));
            programs->setProgramData(list, index, &given);
            break;
        }
        default:
        {
            ParameterInfo info{};
            controller->getParameterInfo(in.ConsumeIntegral<int32>() % 12, info);
            ProgramListInfo listInfo{};
            units->getProgramListInfo(in.ConsumeIntegral<int32>() % 3, listInfo);
            break;
        }
        }
        for (ParamValue v : values(*controller))
            check(v >= 0.0 && v <= 1.0, "every parameter stays within [0, 1]");
    }

    controller->terminate();
    return 0;
}
