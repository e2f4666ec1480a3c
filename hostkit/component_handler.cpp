#include "hostkit/component_handler.h"

#include <cmath>

namespace ferrulith::host
{

using namespace Steinberg;
using namespace Steinberg::Vst;

tresult PLUGIN_API ComponentHandler::beginEdit(ParamID)
{
    ++gestures;
    return kResultOk;
}

tresult PLUGIN_API ComponentHandler::performEdit(ParamID id, ParamValue valueNormalized)
{
    if (!std::isfinite(valueNormalized))
        return kInvalidArgument;
    try
    {
        edits.emplace_back(id, std::fmin(1.0, std::fmax(0.0, valueNormalized)));
    }
    catch (...)
    {
        return kOutOfMemory;
    }
    return kResultOk;
}

tresult PLUGIN_API ComponentHandler::endEdit(ParamID)
{
    if (gestures > 0)
        --gestures;
    return kResultOk;
}

tresult PLUGIN_API ComponentHandler::restartComponent(int32 flags)
{
    ++restarts;
    if (!(flags & RestartFlags::kParamValuesChanged))
        return kNotImplemented;
    if (onRestart)
    {
        try
        {
            onRestart(flags);
        }
        catch (...)
        {
            return kInternalError;
        }
    }
    return kResultOk;
}

} // namespace ferrulith::host
