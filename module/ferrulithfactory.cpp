// GetPluginFactory: the module's class factory with its vendor record and
// its two classes, the processor (class 0) and the controller (class 1).
#include "common/ferrulithcids.h"

#include "controller/ferrulithcontroller.h"
#include "processor/ferrulithprocessor.h"

#include "public.sdk/source/main/pluginfactory.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"

#include <new>

using namespace Steinberg;

namespace
{

// The vendor record. The addresses live under a reserved domain.
const PFactoryInfo kFactoryInfo("Quorvelware", "https://www.quorvelware.example",
                                "mailto:support@quorvelware.example", PFactoryInfo::kUnicode);

// The plug-in's version, as in the module's version resource.
constexpr const char8* kPluginVersion = "1.0.0.1";

} // namespace

extern "C" SMTG_EXPORT_SYMBOL IPluginFactory* PLUGIN_API GetPluginFactory()
{
    if (gPluginFactory != nullptr)
    {
        gPluginFactory->addRef();
        return gPluginFactory;
    }
    // An allocation failure must not leave the module as an exception.
    gPluginFactory = new (std::nothrow) CPluginFactory(kFactoryInfo);
    if (gPluginFactory == nullptr)
        return nullptr;

    // The records are the same for every factory this module builds.
    static const TUID processorCid = INLINE_UID_FROM_FUID(quorvelware::kFerrulithProcessorUID);
    static const PClassInfo2 processorClass(
        processorCid, PClassInfo::kManyInstances, kVstAudioEffectClass, "Ferrulith",
        Vst::kDistributable, Vst::PlugType::kFx, nullptr, kPluginVersion, kVstVersionString);
    gPluginFactory->registerClass(&processorClass, quorvelware::FerrulithProcessor::createInstance);

    static const TUID controllerCid = INLINE_UID_FROM_FUID(quorvelware::kFerrulithControllerUID);
    static const PClassInfo2 controllerClass(controllerCid, PClassInfo::kManyInstances,
                                             kVstComponentControllerClass, "FerrulithController", 0,
                                             "", nullptr, kPluginVersion, kVstVersionString);
    gPluginFactory->registerClass(&controllerClass,
                                  quorvelware::FerrulithController::createInstance);

    return gPluginFactory;
}
