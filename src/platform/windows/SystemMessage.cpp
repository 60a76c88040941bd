#include "SystemMessage.h"

#include <windows.h>

#include "platform/Error.h"
#include "platform/Translate.h"

namespace sorvane {

std::string SystemMessage(unsigned long code) {
    char buffer[512];
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, code, 0, buffer, sizeof buffer, nullptr);
    std::string text(buffer, length);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
        text.pop_back();
    return text;
}

void ThrowRefusal(const char* call, long hr) {
    std::string reason = SystemMessage(static_cast<unsigned long>(hr));
    if (reason.empty()) reason = TrArg(SORVANE_TR("Sorvane", "error %1"), {std::to_string(hr)});
    throw Error(TrArg(SORVANE_TR("Sorvane", "The desktop refused %1: %2"), {call, reason}), hr);
}

std::wstring CodePageToWide(const std::string& text) {
    if (text.empty()) return {};
    const int n =
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
    return wide;
}

std::string WideToCodePage(const wchar_t* text) {
    const int n = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 1) return {};
    std::string narrow(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, -1, narrow.data(), n, nullptr, nullptr);
    narrow.pop_back();
    return narrow;
}

}  // namespace sorvane
