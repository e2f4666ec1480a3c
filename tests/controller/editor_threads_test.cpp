// The editor under a host that breaks the threading rules: another thread sets
// parameters (automation, program changes) while the editor opens, runs and
// closes. Nothing may crash or race (CI runs this under ThreadSanitizer), and
// the controls follow such changes once the editor's own thread runs.
#include "controller/ferrulithcontroller.h"
#include "common/ferrulithparamids.h"

#include "hostkit/x11/x11_plug_view_host.h"
#include "pluginterfaces/gui/iplugview.h"
#include "vstgui/lib/cframe.h"
#include "vstgui/lib/controls/cknob.h"
#include "vstgui/lib/platform/linux/linuxfactory.h"
#include "vstgui/lib/platform/platformfactory.h"
#include "vstgui/plugin-bindings/vst3editor.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <thread>

using namespace Steinberg;

namespace
{
class EditorAcrossThreads : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!std::getenv("DISPLAY"))
            GTEST_SKIP() << "needs an X display (scripts/test.sh runs the tests under Xvfb)";
        VSTGUI::getPlatformFactory().asLinuxFactory()->setResourcePath(FERRULITH_RESOURCE_DIR);
        controller = static_cast<Vst::IEditController*>(
            quorvelware::FerrulithController::createInstance(nullptr));
        ASSERT_EQ(controller->initialize(nullptr), kResultOk);
    }
    void TearDown() override
    {
        if (controller)
        {
            controller->terminate();
            controller->release();
        }
        VSTGUI::getPlatformFactory().asLinuxFactory()->setResourcePath("");
    }

    VSTGUI::CControl* knob(IPlugView* view, Vst::ParamID id) const
    {
        auto* editor = dynamic_cast<VSTGUI::VST3Editor*>(view);
        auto* root = dynamic_cast<VSTGUI::CViewContainer*>(editor->getFrame()->getView(0));
        for (uint32_t i = 0; root && i < root->getNbViews(); ++i)
            if (auto* found = dynamic_cast<VSTGUI::CKnobBase*>(root->getView(i));
                found && found->getTag() == static_cast<int32_t>(id))
                return found;
        return nullptr;
    }

    Vst::IEditController* controller = nullptr;
};
} // namespace

TEST_F(EditorAcrossThreads, OpeningAndClosingWhileAnotherThreadSetsParametersIsSafe)
{
    std::atomic<bool> stop{false};
    std::thread automation(
        [&]
        {
            // Every parameter, program changes included, at changing values.
            for (int i = 0; !stop.load(); ++i)
                controller->setParamNormalized(static_cast<Vst::ParamID>(i % 10), (i % 7) / 6.0);
        });
    ferrulith::host::X11PlugViewHost window;
    for (int round = 0; round < 12; ++round)
    {
        IPtr<IPlugView> view(controller->createView("editor"), false);
        ASSERT_TRUE(window.attach(view)) << window.lastError();
        window.run(20 + round % 3 * 10);
        window.detach();
    }
    stop = true;
    automation.join();
}

TEST_F(EditorAcrossThreads, AChangeFromAnotherThreadMovesTheControlOnlyOnTheEditorsThread)
{
    IPtr<IPlugView> view(controller->createView("editor"), false);
    ferrulith::host::X11PlugViewHost window;
    ASSERT_TRUE(window.attach(view)) << window.lastError();
    VSTGUI::CControl* drive = knob(view, quorvelware::kPreampId);
    ASSERT_TRUE(drive);
    const float before = drive->getValueNormalized();

    std::thread([&] { controller->setParamNormalized(quorvelware::kPreampId, 0.75); }).join();
    EXPECT_EQ(drive->getValueNormalized(), before) << "another thread touched the view";
    for (int turn = 0; turn < 100 && drive->getValueNormalized() == before; ++turn)
        window.run(10);
    EXPECT_FLOAT_EQ(drive->getValueNormalized(), 0.75f) << "the editor's thread moved it";

    // Changes made on the editor's own thread still move the control at once.
    controller->setParamNormalized(quorvelware::kPreampId, 0.25);
    EXPECT_FLOAT_EQ(drive->getValueNormalized(), 0.25f);
    window.detach();
}
