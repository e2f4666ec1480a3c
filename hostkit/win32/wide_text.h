// UTF-8, the host kit's text, as the UTF-16 that Windows' own functions take
// (file paths, window titles).
#pragma once

#include <string>
#include <windows.h>

namespace ferrulith::host
{

// Malformed UTF-8 becomes U+FFFD, as Windows converts it.
inline std::wstring wideText(const std::string& text)
{
    if (text.empty())
        return {};
    const int length = static_cast<int>(text.size());
    const int count = MultiByteToWideChar(CP_UTF8, 0, text.data(), length, nullptr, 0);
    std::wstring result(static_cast<size_t>(count > 0 ? count : 0), L'\0');
    if (count > 0)
        MultiByteToWideChar(CP_UTF8, 0, text.data(), length, result.data(), count);
    return result;
}

} // namespace ferrulith::host
