// config.dat and the registry values: read once at start-up, config.dat
// written by each build, the registry values on every close.
#include <algorithm>
#include <filesystem>
#include <system_error>

#include "MainForm.h"
#include "platform/AtomicFile.h"
#include "platform/Translate.h"
#include "registry/cRegistry.h"
#include "settings/ConfigFile.h"
#include "settings/SettingsKey.h"

namespace fs = std::filesystem;

namespace sorvane {

namespace {

cRegistry SettingsKeyAccessor(const std::shared_ptr<RegistryBackend>& backend) {
    cRegistry reg(backend);
    reg.SetClassKey(HKeyCurrentUser);
    reg.SetSectionKey(SettingsRegistryKey);
    return reg;
}

// Only a stored number counts: a text or bytes left there by hand gives 0, and
// so does a size below 1 (from a bad work area), so pictures are measured anew.
int32_t ReadSize(cRegistry& reg, const char* name) {
    reg.SetValueKey(name);
    reg.SetValueType(RegDword);
    const RegistryValue v = reg.Value();
    return v.IsNumber() ? std::max(*v.ToNumber(), 0) : 0;
}

}  // namespace

std::string MainForm::ConfigFilePath() const {
    return platform_.folders->ProgramFolder() + "/config.dat";
}

void MainForm::ReadConfigFile() {
    const std::string path = ConfigFilePath();
    std::error_code ec;
    if (fs::symlink_status(path, ec).type() == fs::file_type::not_found) return;  // first start
    std::string text;
    ConfigFileContents parsed;
    try {
        // Far above the longest list a user can make.
        text = ReadWholeFile(path, size_t{64} << 20);
        parsed = ParseConfigFile(text);
        if (const std::string why = ConfigShapeProblem(text, parsed); !why.empty())
            throw Error(TrArg(SORVANE_TR("Sorvane", "\"%1\" is not a slide show's settings: %2"),
                              {path, why}));
    } catch (const Error& e) {
        // Loading nothing is fine; losing the list at the next Apply is not:
        // the file is kept aside and the user told where.
        configUnreadable_ = true;
        std::string kept;
        try {
            KeepUnreadableConfigAside();
            kept = TrArg(SORVANE_TR("Sorvane", "It was kept as \"%1\"."), {configAside_});
        } catch (const Error& aside) {
            kept = aside.what();
        }
        throw Error(std::string(e.what()) + ". " + kept);
    }
    // Through the controls' setters, so each reacts as to a user's edit.
    if (parsed.BackgroundColor) SetBackgroundColor(*parsed.BackgroundColor);
    if (parsed.DurationText) SetDurationText(*parsed.DurationText);
    if (parsed.Alignment) {
        // The option shown before the word is read runs its click when the
        // word selects another one, as a user's pick would.
        const int shown = AlignIndexOf(state_.Settings.Alignment);
        state_.Settings.Alignment = *parsed.Alignment;
        const int index = AlignIndexOf(*parsed.Alignment);
        if (index != shown) optAlign_Click(index);
    }
    auto& list = state_.Settings.Pictures;
    for (const PictureEntry& entry : parsed.Pictures) {
        if (list.size() >= MaxPictureEntries) break;
        list.push_back(PictureEntry{entry.FileName, entry.TransitionIndex, false});
    }
}

void MainForm::KeepUnreadableConfigAside() {
    if (!configUnreadable_) return;
    const std::string path = ConfigFilePath();
    std::error_code ec;
    if (fs::symlink_status(path, ec).type() == fs::file_type::not_found) {
        configUnreadable_ = false;  // gone meanwhile: nothing to keep
        return;
    }
    std::string aside = path + ".unreadable";
    for (int n = 2; fs::exists(fs::symlink_status(aside, ec)) && n < 1000; ++n)
        aside = path + ".unreadable." + std::to_string(n);
    fs::rename(path, aside, ec);
    if (ec)
        throw Error(TrArg(SORVANE_TR("Sorvane",
                                     "\"%1\" could not be read and could not be moved aside "
                                     "(%2), so it is left as it is and your settings are "
                                     "not saved."),
                          {path, ec.message()}));
    configUnreadable_ = false;
    configAside_ = aside;
}

void MainForm::WriteConfigFile() {
    try {
        WriteFileAtomically(ConfigFilePath(), FormatConfigFile(state_.Settings));
    } catch (const Error&) {
        // The build reports nothing here; the previous file stays whole.
    }
}

void MainForm::LoadRegistrySettings() {
    auto& w = state_.Window;
    // Absent values are no error; a store that does not answer is, and the
    // user hears it rather than getting silent defaults.
    std::string failure;
    cRegistry reg = SettingsKeyAccessor(platform_.registry);
    auto note = [&] {
        const long r = reg.LastReadResult();
        if (failure.empty() && r != RegSuccess && r != RegFileNotFound)
            failure = platform_.registry->ResultText(r);
    };
    reg.SetValueKey("LastBrowseDir");
    reg.SetValueType(RegSz);
    w.LastBrowseDir = reg.Value().ToText();
    note();
    w.TargetSize.Width = ReadSize(reg, "RecWidth");
    note();
    w.LargestSize.Width = w.TargetSize.Width;
    w.TargetSize.Height = ReadSize(reg, "RecHeight");
    note();
    w.LargestSize.Height = w.TargetSize.Height;
    LoadDesktopFacts();
    if (!failure.empty()) throw Error(failure);
}

void MainForm::SaveRegistrySettings() {
    cRegistry reg = SettingsKeyAccessor(platform_.registry);
    const auto& w = state_.Window;
    // The first failing write raises and leaves the later ones unmade.
    reg.SetValueKey("LastBrowseDir");
    reg.SetValueType(RegSz);
    reg.SetValue(RegistryValue(w.LastBrowseDir));
    // A size worked out from a work area given for this run only would cap the
    // show on the real screen at the next start.
    if (platform_.screen->WorkAreaOverridden()) return;
    reg.SetValueKey("RecWidth");
    reg.SetValueType(RegDword);
    reg.SetValue(RegistryValue(w.TargetSize.Width));
    reg.SetValueKey("RecHeight");
    reg.SetValueType(RegDword);
    reg.SetValue(RegistryValue(w.TargetSize.Height));
}

}  // namespace sorvane
