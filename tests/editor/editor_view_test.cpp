// FerrulithController's editor in-process: the size limits it takes from the
// design, and controls that follow the controller's parameters. The names
// that make an editor and its pictures are tested on the built bundle.
#include "editor_test_support.h"

#include "controller/ferrulithcontroller.h"
#include "controller/ferrulithparamids.h"

#include "pluginterfaces/gui/iplugview.h"
#include "vstgui/lib/platform/linux/linuxfactory.h"
#include "vstgui/lib/platform/platformfactory.h"
#include "vstgui/plugin-bindings/iplugviewsnapshot.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

using namespace Steinberg;
using ferrulith_test::differingPixels;

namespace
{

constexpr int32 kPanelWidth = 950;
constexpr int32 kPanelHeight = 288;

class ControllerEditor : public ::testing::Test
{
protected:
    void SetUp() override
    {
        VSTGUI::getPlatformFactory().asLinuxFactory()->setResourcePath(FERRULITH_RESOURCE_DIR);
        controller = static_cast<Vst::IEditController*>(
            quorvelware::FerrulithController::createInstance(nullptr));
        ASSERT_EQ(controller->initialize(nullptr), kResultOk);
        folder = std::filesystem::temp_directory_path() /
                 ("ferrulith-editor-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder);
    }
    void TearDown() override
    {
        if (controller)
        {
            controller->terminate();
            controller->release();
        }
        std::filesystem::remove_all(folder);
        VSTGUI::getPlatformFactory().asLinuxFactory()->setResourcePath("");
    }

    std::string snapshot(IPlugView* view, const std::string& name)
    {
        // Asked by its own identifier: the interface declares no iid member
        // for FUnknownPtr to find.
        void* found = nullptr;
        EXPECT_EQ(view->queryInterface(VSTGUI::IPlugViewSnapshot_iid, &found), kResultOk);
        auto* camera = static_cast<VSTGUI::IPlugViewSnapshot*>(found);
        const std::string path = (folder / name).string();
        if (camera)
        {
            EXPECT_EQ(camera->drawToPNG(path.c_str()), kResultOk);
            camera->release();
        }
        return path;
    }

    Vst::IEditController* controller = nullptr;
    std::filesystem::path folder;
};

TEST_F(ControllerEditor, ViewHasThePanelsFixedSizeAndServesX11)
{
    IPlugView* view = controller->createView("editor");
    ASSERT_NE(view, nullptr);
    ViewRect size;
    ASSERT_EQ(view->getSize(&size), kResultOk);
    EXPECT_EQ(size.getWidth(), kPanelWidth);
    EXPECT_EQ(size.getHeight(), kPanelHeight);
    EXPECT_EQ(view->canResize(), kResultFalse);
    EXPECT_EQ(view->isPlatformTypeSupported(kPlatformTypeX11EmbedWindowID), kResultTrue);
    EXPECT_NE(view->isPlatformTypeSupported(kPlatformTypeHWND), kResultTrue);

    ViewRect larger(0, 0, kPanelWidth + 100, kPanelHeight + 50);
    view->checkSizeConstraint(&larger);
    EXPECT_EQ(larger.getWidth(), kPanelWidth);
    EXPECT_EQ(larger.getHeight(), kPanelHeight);
    view->release();
}

TEST_F(ControllerEditor, ControlsFollowTheControllersValues)
{
    IPlugView* view = controller->createView("editor");
    ASSERT_NE(view, nullptr);
    const std::string before = snapshot(view, "before.png");
    ASSERT_EQ(controller->setParamNormalized(quorvelware::kPreampId, 1.0), kResultOk);
    const std::string turned = snapshot(view, "turned.png");
    ASSERT_EQ(controller->setParamNormalized(quorvelware::kBypassId, 1.0), kResultOk);
    const std::string bypassed = snapshot(view, "bypassed.png");

    // The knob and its read-out change; the rest of the panel does not.
    const long knobChange = differingPixels(before, turned);
    EXPECT_GT(knobChange, 200);
    EXPECT_LT(knobChange, 64 * 64 + 68 * 20);
    EXPECT_GT(differingPixels(turned, bypassed), 50);
    view->release();
}

} // namespace
