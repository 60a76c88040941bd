#include "Win32Dialogs.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shlobj.h>

#include <vector>

#include "Wide.h"

namespace sorvane {

namespace {

// "desc|pattern|desc|pattern" as the dialog's NUL-separated pairs.
std::wstring FilterPairs(const std::string& filter) {
    std::wstring pairs = Wide(filter);
    for (wchar_t& c : pairs)
        if (c == L'|') c = L'\0';
    pairs.push_back(L'\0');
    pairs.push_back(L'\0');
    return pairs;
}

int CALLBACK StartInFolder(HWND window, UINT message, LPARAM, LPARAM start) {
    if (message == BFFM_INITIALIZED && start) SendMessageW(window, BFFM_SETSELECTIONW, TRUE, start);
    return 0;
}

}  // namespace

MsgResult Win32Dialogs::MessageBox(const std::string& text, MsgButtons buttons, MsgIcon icon,
                                   const std::string& title) {
    UINT flags = buttons == MsgButtons::OkCancel ? MB_OKCANCEL
                 : buttons == MsgButtons::YesNo  ? MB_YESNO
                                                 : MB_OK;
    switch (icon) {
        case MsgIcon::Critical:
            flags |= MB_ICONERROR;
            break;
        case MsgIcon::Question:
            flags |= MB_ICONQUESTION;
            break;
        case MsgIcon::Exclamation:
            flags |= MB_ICONWARNING;
            break;
        case MsgIcon::Information:
            flags |= MB_ICONINFORMATION;
            break;
        case MsgIcon::None:
            break;
    }
    switch (::MessageBoxW(owner_, Wide(text).c_str(), Wide(title).c_str(), flags)) {
        case IDOK:
            return MsgResult::Ok;
        case IDYES:
            return MsgResult::Yes;
        case IDNO:
            return MsgResult::No;
        default:
            return MsgResult::Cancel;
    }
}

OverwriteAnswer Win32Dialogs::AskOverwrite(const std::string& caption, const std::string& message) {
    enum { YesToAll = 100, Yes, No, NoToAll };
    // Left to right, which is also the tab order.
    const TASKDIALOG_BUTTON buttons[] = {
        {YesToAll, L"Yes To All"}, {Yes, L"&Yes"}, {No, L"&No"}, {NoToAll, L"No To All"}};
    const std::wstring title = Wide(caption), text = Wide(message);
    TASKDIALOGCONFIG config{};
    config.cbSize = sizeof config;
    config.hwndParent = owner_;
    config.pszWindowTitle = title.c_str();
    config.pszContent = text.c_str();
    config.pszMainIcon = TD_WARNING_ICON;
    config.cButtons = 4;
    config.pButtons = buttons;
    config.nDefaultButton = No;
    int pressed = No;
    if (FAILED(TaskDialogIndirect(&config, &pressed, nullptr, nullptr))) return OverwriteAnswer::No;
    switch (pressed) {
        case YesToAll:
            return OverwriteAnswer::YesToAll;
        case Yes:
            return OverwriteAnswer::Yes;
        case NoToAll:
            return OverwriteAnswer::NoToAll;
        default:
            return OverwriteAnswer::No;  // No, or the dialog closed
    }
}

std::optional<ChosenFiles> Win32Dialogs::ShowOpenFile(const OpenFileRequest& request) {
    // Room for many names chosen at once.
    std::vector<wchar_t> names(1 << 16, L'\0');
    const std::wstring filter = FilterPairs(request.Filter), title = Wide(request.Title),
                       initial = Wide(request.InitialDir);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner_;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = static_cast<DWORD>(request.FilterIndex);
    dialog.lpstrFile = names.data();
    dialog.nMaxFile = static_cast<DWORD>(names.size());
    dialog.lpstrTitle = title.c_str();
    dialog.lpstrInitialDir = initial.empty() ? nullptr : initial.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY |
                   OFN_NOCHANGEDIR | (request.MultiSelect ? OFN_ALLOWMULTISELECT : 0);
    if (!GetOpenFileNameW(&dialog)) return std::nullopt;
    // One file: its whole path. Several: the folder, then each bare name.
    ChosenFiles chosen;
    const wchar_t* p = names.data();
    std::wstring first = p;
    p += first.size() + 1;
    if (*p == L'\0') {
        const size_t cut = first.find_last_of(L"\\/");
        chosen.Folder = Utf8(first.substr(0, cut == 2 ? 3 : cut));  // "C:\" keeps its separator
        chosen.Names.push_back(Utf8(first.substr(cut + 1)));
        return chosen;
    }
    chosen.Folder = Utf8(first);
    for (; *p; p += wcslen(p) + 1) chosen.Names.push_back(Utf8(p));
    return chosen;
}

FolderPickResult Win32Dialogs::PickFolder(const FolderPickRequest& request) {
    const std::wstring title = Wide(request.Instructions), start = Wide(request.StartPath);
    BROWSEINFOW browse{};
    browse.hwndOwner = owner_;
    browse.lpszTitle = title.c_str();
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    browse.lpfn = StartInFolder;
    browse.lParam = reinterpret_cast<LPARAM>(start.c_str());
    FolderPickResult result{false, request.StartPath};
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&browse);
    if (!chosen) return result;
    wchar_t path[MAX_PATH * 4] = L"";
    if (SHGetPathFromIDListEx(chosen, path, static_cast<DWORD>(std::size(path)), GPFIDL_DEFAULT)) {
        result.Accepted = true;
        result.Path = Utf8(path);
    }
    CoTaskMemFree(chosen);
    return result;
}

void Win32Dialogs::SetBusy(bool busy) {
    busy_ = busy;
    SetCursor(LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

}  // namespace sorvane
