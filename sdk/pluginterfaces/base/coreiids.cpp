// Defines the identifiers of the core interfaces once for the whole module.
#include "pluginterfaces/base/ibstream.h"
#include "pluginterfaces/base/ipluginbase.h"
#include "pluginterfaces/base/iupdatehandler.h"

namespace Steinberg
{
DEF_CLASS_IID(IPluginBase)
DEF_CLASS_IID(IPluginFactory)
DEF_CLASS_IID(IPluginFactory2)
DEF_CLASS_IID(IPluginFactory3)
DEF_CLASS_IID(IBStream)
DEF_CLASS_IID(ISizeableStream)
DEF_CLASS_IID(IUpdateHandler)
DEF_CLASS_IID(IDependent)
} // namespace Steinberg
