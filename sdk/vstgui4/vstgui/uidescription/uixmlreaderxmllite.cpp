// The UI-description reader on XmlLite, the XML reader every Windows since
// Vista carries. It is loaded from the system folder for each read, so the
// module neither links it nor keeps it loaded.
#include "vstgui/uidescription/uixmlreader.h"

#include "vstgui/lib/platform/iplatformresourceinputstream.h"
#include "vstgui/lib/platform/win32/win32strings.h"
#include "vstgui/uidescription/uixmltreebuilder.h"
#include <windows.h>
#include <wrl/client.h>
#include <xmllite.h>

namespace VSTGUI
{

namespace
{
using CreateXmlReaderFunction = HRESULT(WINAPI*)(REFIID, void**, IMalloc*);

// The resource stream as the sequential stream XmlLite reads from, charging
// the text read to the tree's budget. It lives on the reader's stack, longer
// than the XML reader that holds it.
class StreamInput final : public ISequentialStream
{
public:
    StreamInput(IPlatformResourceInputStream& stream, UIXmlTreeBuilder& tree)
        : stream(stream), tree(tree)
    {
    }
    virtual ~StreamInput() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        if (iid == __uuidof(IUnknown) || iid == __uuidof(ISequentialStream))
        {
            *object = static_cast<ISequentialStream*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE Read(void* buffer, ULONG size, ULONG* read) override
    {
        const uint32_t count = stream.readRaw(buffer, size);
        if (count == kStreamIOError || count > size || !tree.readText(count))
        {
            if (read)
                *read = 0;
            return E_FAIL;
        }
        if (read)
            *read = count;
        return count < size ? S_FALSE : S_OK;
    }
    HRESULT STDMETHODCALLTYPE Write(const void*, ULONG, ULONG*) override
    {
        return STG_E_ACCESSDENIED;
    }

private:
    IPlatformResourceInputStream& stream;
    UIXmlTreeBuilder& tree;
};

struct LibraryHandle
{
    HMODULE module;
    ~LibraryHandle()
    {
        if (module)
            FreeLibrary(module);
    }
};

// The text of the node the reader stands on: its qualified name, or its value.
using TextGetter = HRESULT (STDMETHODCALLTYPE IXmlReader::*)(const WCHAR**, UINT*);
std::string text(IXmlReader& reader, TextGetter get)
{
    const WCHAR* characters = nullptr;
    UINT length = 0;
    if (FAILED((reader.*get)(&characters, &length)) || !characters)
        return {};
    return utf8FromUtf16(std::wstring(characters, length));
}

// Opens the element the reader stands on, with its attributes; false when
// the tree refuses it.
bool startElement(IXmlReader& reader, UIXmlTreeBuilder& tree)
{
    // Asked before moving to the attributes, which changes the answer.
    const bool empty = reader.IsEmptyElement();
    if (!tree.startElement(text(reader, &IXmlReader::GetQualifiedName)))
        return false;
    for (HRESULT more = reader.MoveToFirstAttribute(); more == S_OK;
         more = reader.MoveToNextAttribute())
        if (!tree.addAttribute(text(reader, &IXmlReader::GetQualifiedName),
                               text(reader, &IXmlReader::GetValue)))
            return false;
    // <a/> reports no end of its own.
    if (empty)
        tree.endElement();
    return true;
}
} // namespace

std::unique_ptr<UINode> readUIXml(IPlatformResourceInputStream& stream, UIMemoryBudget& budget)
{
    LibraryHandle library{LoadLibraryExW(L"xmllite.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)};
    if (!library.module)
        return nullptr;
    auto create = reinterpret_cast<CreateXmlReaderFunction>(
        reinterpret_cast<void*>(GetProcAddress(library.module, "CreateXmlReader")));
    UIXmlTreeBuilder tree(budget);
    StreamInput input(stream, tree);
    {
        Microsoft::WRL::ComPtr<IXmlReader> reader;
        if (!create ||
            FAILED(create(__uuidof(IXmlReader), reinterpret_cast<void**>(reader.GetAddressOf()),
                          nullptr)) ||
            FAILED(reader->SetProperty(XmlReaderProperty_DtdProcessing, DtdProcessing_Prohibit)) ||
            FAILED(reader->SetInput(&input)))
            return nullptr;
        XmlNodeType type = XmlNodeType_None;
        HRESULT result = S_OK;
        while ((result = reader->Read(&type)) == S_OK)
        {
            if (type == XmlNodeType_Element && !startElement(*reader.Get(), tree))
                return nullptr;
            if (type == XmlNodeType_EndElement)
                tree.endElement();
        }
        // S_FALSE is the end of the document; anything else a malformed one.
        if (result != S_FALSE)
            return nullptr;
    }
    return tree.finish();
}

} // namespace VSTGUI
