// UTF-8, the editor library's text, to and from UTF-16, the text of the
// Windows file functions.
#pragma once

#include <string>

namespace VSTGUI
{

// Empty when the text is not valid UTF-8 (or UTF-16).
std::wstring utf16FromUtf8(const std::string& text);
std::string utf8FromUtf16(const std::wstring& text);

} // namespace VSTGUI
