// The VST 3 editor built from a UI description: the IPlugView a host embeds.
// Its size comes from the template's "size", resizing stays within the
// template's "minSize" and "maxSize", and every control whose tag is a
// parameter identifier of the controller edits and follows that parameter.
#pragma once

#include "public.sdk/source/vst/vstguieditor.h"
#include "vstgui/lib/cpoint.h"
#include "vstgui/uidescription/icontroller.h"
#include <map>
#include <memory>
#include <string>

namespace VSTGUI
{

class PendingParameterChanges;
class UIDescription;
class VST3ParameterBinding;

class VST3Editor : public Steinberg::Vst::VSTGUIEditor, public IController
{
public:
    // Reads xmlFile from the resource folder at once. A missing or broken
    // file, one without templateName, or one whose largest size would take
    // more memory than the description may cost, gives an editor of size 0
    // that refuses to attach and draws nothing.
    VST3Editor(Steinberg::Vst::EditController* controller, UTF8StringPtr templateName,
               UTF8StringPtr xmlFile);
    ~VST3Editor() override;

    UIDescription* getUIDescription() const { return description.get(); }
    CPoint getMinSize() const { return minSize; }
    CPoint getMaxSize() const { return maxSize; }

    bool PLUGIN_API open(void* parent, const PlatformType& type) override;
    void PLUGIN_API close() override;

    // IPlugView
    Steinberg::tresult PLUGIN_API onSize(Steinberg::ViewRect* newSize) override;
    Steinberg::tresult PLUGIN_API canResize() override;
    Steinberg::tresult PLUGIN_API checkSizeConstraint(Steinberg::ViewRect* rect) override;

    // IController
    void valueChanged(CControl* control) override;
    void controlBeginEdit(CControl* control) override;
    void controlEndEdit(CControl* control) override;
    CView* verifyView(CView* view, const UIAttributes& attributes,
                      const UIDescription* description) override;

    // Moves the controls of parameters changed on other threads.
    void onIdle() override;

private:
    bool buildFrame();
    void destroyFrame();
    VST3ParameterBinding* bindingFor(const CControl* control) const;

    std::unique_ptr<UIDescription> description;
    std::string templateName;
    CPoint minSize;
    CPoint maxSize;
    std::map<int32_t, Steinberg::IPtr<VST3ParameterBinding>> bindings;
    std::shared_ptr<PendingParameterChanges> pending;
};

} // namespace VSTGUI
