// FerrulithController's editor in-process: the size limits it takes from the
// design, and controls that follow the controller's parameters. The names
// that make an editor and its pictures are tested on the built bundle.
#include "support/editor_pictures.h"

#include "controller/ferrulithcontroller.h"
#include "controller/ferrulitheditor.h"
#include "common/ferrulithparamids.h"

#include "pluginterfaces/gui/iplugview.h"
#include "vstgui/lib/cframe.h"
#include "vstgui/lib/controls/cbuttons.h"
#include "vstgui/lib/controls/coptionmenu.h"
#include "common/plugviewsnapshot.h"
#include "vstgui/plugin-bindings/vst3editor.h"
#include "hostkit/platform_view_host.h"
#include "support/platformresources.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <vector>
#include <filesystem>
#include <string>
#include <unistd.h>

using namespace Steinberg;
using ferrulith::test::differingPixels;

namespace
{

constexpr int32 kPanelWidth = 950;
constexpr int32 kPanelHeight = 288;

class ControllerEditor : public ::testing::Test
{
protected:
    void SetUp() override
    {
        testsupport::setPlatformResourceFolder(FERRULITH_RESOURCE_DIR);
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
        testsupport::setPlatformResourceFolder("");
    }

    std::string snapshot(IPlugView* view, const std::string& name)
    {
        const std::string path = (folder / name).string();
        EXPECT_TRUE(ferrulith::test::drawToPNG(view, path)) << name;
        return path;
    }

    Vst::IEditController* controller = nullptr;
    std::filesystem::path folder;
};

// The window type of this platform's hosts, and one the editor cannot serve.
#if defined(_WIN32)
const FIDString kNativeWindow = kPlatformTypeHWND;
const FIDString kForeignWindow = kPlatformTypeX11EmbedWindowID;
#else
const FIDString kNativeWindow = kPlatformTypeX11EmbedWindowID;
const FIDString kForeignWindow = kPlatformTypeHWND;
#endif

TEST_F(ControllerEditor, ViewHasThePanelsFixedSizeAndServesThePlatformsWindows)
{
    IPlugView* view = controller->createView("editor");
    ASSERT_NE(view, nullptr);
    ViewRect size;
    ASSERT_EQ(view->getSize(&size), kResultOk);
    EXPECT_EQ(size.getWidth(), kPanelWidth);
    EXPECT_EQ(size.getHeight(), kPanelHeight);
    EXPECT_EQ(view->canResize(), kResultFalse);
    EXPECT_EQ(view->isPlatformTypeSupported(kNativeWindow), kResultTrue);
    EXPECT_NE(view->isPlatformTypeSupported(kForeignWindow), kResultTrue);

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

TEST_F(ControllerEditor, DrawsItselfWithoutADisplayOrSaysWhyNot)
{
    IPlugView* view = controller->createView("editor");
    ASSERT_NE(view, nullptr);
    const ferrulith::test::Picture picture =
        ferrulith::test::readPicture(snapshot(view, "panel.png"));
    EXPECT_EQ(picture.width, kPanelWidth);
    EXPECT_EQ(picture.height, kPanelHeight);
    EXPECT_GE(picture.distinctColours, 4u) << "background, knobs, text: not a blank picture";

    void* found = nullptr;
    ASSERT_EQ(view->queryInterface(quorvelware::IPlugViewSnapshot_iid, &found), kResultOk);
    auto* camera = static_cast<quorvelware::IPlugViewSnapshot*>(found);
    EXPECT_EQ(camera->drawToPNG(nullptr), kInvalidArgument);
    EXPECT_EQ(camera->drawToPNG((folder / "no" / "such" / "dir.png").string().c_str()),
              kResultFalse);
    camera->release();
    view->release();

    // An editor whose description cannot be read has nothing to draw.
    IPtr<quorvelware::FerrulithEditor> broken(
        new quorvelware::FerrulithEditor(dynamic_cast<Vst::EditController*>(controller), "view",
                                         "missing.uidesc"),
        false);
    EXPECT_EQ(broken->drawToPNG((folder / "none.png").string().c_str()), kResultFalse);
}

} // namespace

namespace
{
class EditRecorder final : public FObject, public Vst::IComponentHandler
{
public:
    tresult PLUGIN_API beginEdit(Vst::ParamID id) override
    {
        edits.push_back({'b', id, 0});
        return kResultOk;
    }
    tresult PLUGIN_API performEdit(Vst::ParamID id, Vst::ParamValue value) override
    {
        edits.push_back({'p', id, value});
        return kResultOk;
    }
    tresult PLUGIN_API endEdit(Vst::ParamID id) override
    {
        edits.push_back({'e', id, 0});
        return kResultOk;
    }
    tresult PLUGIN_API restartComponent(int32) override { return kResultOk; }
    struct Edit
    {
        char kind;
        Vst::ParamID id;
        Vst::ParamValue value;
        bool operator==(const Edit& o) const
        {
            return kind == o.kind && id == o.id && value == o.value;
        }
    };
    std::vector<Edit> edits;
    OBJ_METHODS(EditRecorder, FObject)
    FUNKNOWN_METHODS(Vst::IComponentHandler, FObject)
};

template <class T> T* findTagged(VSTGUI::CViewContainer* container, int32_t tag)
{
    for (uint32_t i = 0; i < container->getNbViews(); ++i)
    {
        VSTGUI::CView* view = container->getView(i);
        if (auto* control = dynamic_cast<T*>(view); control && control->getTag() == tag)
            return control;
        if (auto* inner = dynamic_cast<VSTGUI::CViewContainer*>(view))
            if (auto* found = findTagged<T>(inner, tag))
                return found;
    }
    return nullptr;
}
} // namespace

TEST_F(ControllerEditor, PresetMenuAndBypassSwitchSendTheValuesTheProcessorReads)
{
#if !defined(_WIN32)
    if (!std::getenv("DISPLAY"))
        GTEST_SKIP() << "needs an X display (scripts/test.sh runs the tests under Xvfb)";
#endif
    IPtr<EditRecorder> recorder(new EditRecorder, false);
    ASSERT_EQ(controller->setComponentHandler(recorder), kResultOk);
    IPtr<IPlugView> view(controller->createView("editor"), false);
    ferrulith::host::PlugViewHost host;
    ASSERT_TRUE(host.attach(view)) << host.lastError();
    auto* editor = dynamic_cast<VSTGUI::VST3Editor*>(view.get());
    ASSERT_TRUE(editor && editor->getFrame());
    auto* root = dynamic_cast<VSTGUI::CViewContainer*>(editor->getFrame()->getView(0));
    ASSERT_TRUE(root);
    auto* menu = findTagged<VSTGUI::COptionMenu>(root, quorvelware::kPresetsId);
    auto* bypass = findTagged<VSTGUI::COnOffButton>(root, quorvelware::kBypassId);
    ASSERT_TRUE(menu && bypass);
    ASSERT_EQ(menu->getNbEntries(), 7);

    for (int32_t item = 6; item >= 0; --item)
    {
        recorder->edits.clear();
        menu->chooseEntry(item);
        using E = EditRecorder::Edit;
        const auto id = quorvelware::kPresetsId;
        EXPECT_EQ(recorder->edits,
                  (std::vector<E>{{'b', id, 0}, {'p', id, item / 6.0}, {'e', id, 0}}))
            << "item " << item;
        EXPECT_EQ(menu->getCurrentIndex(), item) << "the menu shows the chosen preset";
    }

    for (double expected : {1.0, 0.0})
    {
        recorder->edits.clear();
        VSTGUI::CPoint where = bypass->getViewSize().getCenter();
        bypass->onMouseDown(where, VSTGUI::CButtonState(VSTGUI::kLButton));
        ASSERT_EQ(recorder->edits.size(), 3u);
        EXPECT_EQ(recorder->edits[1].id, quorvelware::kBypassId);
        EXPECT_EQ(recorder->edits[1].value, expected);
    }
    host.detach();
    controller->setComponentHandler(nullptr);
}
