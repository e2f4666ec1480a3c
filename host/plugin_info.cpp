#include "plugin_info.h"

#include <cstdio>
#include <ostream>

namespace ferrulith::host
{

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace
{

std::string hex(std::uint32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", value);
    return text;
}

std::string number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

} // namespace

std::string parameterFlagsText(int32 flags)
{
    static const std::pair<int32, const char*> names[] = {
        {ParameterInfo::kCanAutomate, "automatable"},
        {ParameterInfo::kIsReadOnly, "read-only"},
        {ParameterInfo::kIsWrapAround, "wrap-around"},
        {ParameterInfo::kIsList, "list"},
        {ParameterInfo::kIsHidden, "hidden"},
        {ParameterInfo::kIsProgramChange, "program-change"},
        {ParameterInfo::kIsBypass, "bypass"},
    };
    std::string text = hex(std::uint32_t(flags));
    std::string words;
    for (const auto& [flag, name] : names)
        if (flags & flag)
            words += (words.empty() ? "" : ", ") + std::string(name);
    return words.empty() ? text : text + " (" + words + ")";
}

void printFactoryInfo(std::ostream& out, const PluginModule& module)
{
    const FactoryListing& listing = module.listing();
    out << "Bundle: " << module.path() << "\n";
    out << "Factory: vendor \"" << listing.info.vendor << "\", url \"" << listing.info.url
        << "\", e-mail \"" << listing.info.email << "\", flags "
        << hex(std::uint32_t(listing.info.flags)) << "\n";
    out << "Classes: " << listing.classes.size() << "\n";
    for (const ClassRecord& record : listing.classes)
    {
        out << "  [" << record.index << "] \"" << record.name << "\" category \"" << record.category
            << "\" cid " << classIdText(record.cid) << " cardinality " << record.cardinality
            << "\n";
        if (record.hasInfo2)
            out << "      sub-categories \"" << record.subCategories << "\", flags "
                << hex(record.classFlags) << ", vendor \"" << record.vendor << "\", version \""
                << record.version << "\", SDK \"" << record.sdkVersion << "\"\n";
    }
}

void printInstanceInfo(std::ostream& out, const PluginInstance& instance)
{
    const auto parameters = instance.parameters();
    out << "Parameters: " << parameters.size() << "\n";
    for (const ParameterRecord& p : parameters)
    {
        out << "  [" << p.index << "] id " << p.id << " \"" << p.title << "\"";
        if (!p.shortTitle.empty())
            out << " short \"" << p.shortTitle << "\"";
        if (!p.units.empty())
            out << " units \"" << p.units << "\"";
        out << " steps " << p.stepCount << " unit " << p.unitId << " flags "
            << parameterFlagsText(p.flags) << "\n";
        out << "      default " << number(p.defaultValue) << " \""
            << instance.valueText(p.id, p.defaultValue) << "\", now "
            << number(instance.parameterValue(p.id)) << " \""
            << instance.valueText(p.id, instance.parameterValue(p.id)) << "\"\n";
        if (p.stepCount > 0 && p.stepCount <= 32)
        {
            out << "      values:";
            for (int32 step = 0; step <= p.stepCount; ++step)
                out << (step ? ", \"" : " \"")
                    << instance.valueText(p.id, double(step) / p.stepCount) << "\"";
            out << "\n";
        }
    }

    const auto units = instance.units();
    out << "Units: " << units.size() << "\n";
    for (const UnitRecord& unit : units)
        out << "  id " << unit.id << " \"" << unit.name << "\" parent " << unit.parentId
            << " program list " << unit.programListId << "\n";
    const auto lists = instance.programLists();
    out << "Program lists: " << lists.size() << "\n";
    for (const ProgramListRecord& list : lists)
    {
        out << "  id " << list.id << " \"" << list.name << "\", " << list.programs.size()
            << " programs\n";
        for (std::size_t i = 0; i < list.programs.size(); ++i)
            out << "    " << i << ": \"" << list.programs[i] << "\"\n";
    }
}

} // namespace ferrulith::host
