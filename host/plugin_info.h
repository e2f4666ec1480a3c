#pragma once

#include "hostkit/plugin_instance.h"
#include "hostkit/plugin_module.h"

#include <iosfwd>

namespace ferrulith::host
{

// Prints what a person choosing settings needs: the factory and its classes,
// then an instance's parameters (flags, defaults, value texts), units and
// program lists.
void printFactoryInfo(std::ostream& out, const PluginModule& module);
void printInstanceInfo(std::ostream& out, const PluginInstance& instance);

std::string parameterFlagsText(Steinberg::int32 flags);

} // namespace ferrulith::host
