// A shared library without the VST 3 entry points.
#include "pluginterfaces/base/fplatform.h"

extern "C" SMTG_EXPORT_SYMBOL int notAModule()
{
    return 1;
}
