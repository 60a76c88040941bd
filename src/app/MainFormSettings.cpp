// config.dat and the registry values: read once at start-up, config.dat
// written by each build, the registry values on every close.
#include "MainForm.h"
#include "platform/AtomicFile.h"
#include "registry/cRegistry.h"
#include "settings/ConfigFile.h"
#include "settings/SettingsKey.h"

namespace sorvane {

namespace {

cRegistry SettingsKeyAccessor(const std::shared_ptr<RegistryBackend>& backend) {
    cRegistry reg(backend);
    reg.SetClassKey(HKeyCurrentUser);
    reg.SetSectionKey(SettingsRegistryKey);
    return reg;
}

// Only a stored number counts: a text or bytes left there by hand gives 0.
int32_t ReadSize(cRegistry& reg, const char* name) {
    reg.SetValueKey(name);
    reg.SetValueType(RegDword);
    const RegistryValue v = reg.Value();
    return v.IsNumber() ? *v.ToNumber() : 0;
}

}  // namespace

std::string MainForm::ConfigFilePath() const {
    return platform_.folders->ProgramFolder() + "/config.dat";
}

void MainForm::ReadConfigFile() {
    std::string text;
    try {
        text = ReadWholeFile(ConfigFilePath());
    } catch (const Error&) {
        return;  // a missing or unreadable file loads nothing, silently
    }
    const ConfigFileContents parsed = ParseConfigFile(text);
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

void MainForm::WriteConfigFile() {
    try {
        WriteFileAtomically(ConfigFilePath(), FormatConfigFile(state_.Settings));
    } catch (const Error&) {
        // The build reports nothing here; the previous file stays whole.
    }
}

void MainForm::LoadRegistrySettings() {
    auto& w = state_.Window;
    cRegistry reg = SettingsKeyAccessor(platform_.registry);
    reg.SetValueKey("LastBrowseDir");
    reg.SetValueType(RegSz);
    w.LastBrowseDir = reg.Value().ToText();
    w.TargetSize.Width = ReadSize(reg, "RecWidth");
    w.LargestSize.Width = w.TargetSize.Width;
    w.TargetSize.Height = ReadSize(reg, "RecHeight");
    w.LargestSize.Height = w.TargetSize.Height;
    LoadDesktopFacts();
}

void MainForm::SaveRegistrySettings() {
    cRegistry reg = SettingsKeyAccessor(platform_.registry);
    const auto& w = state_.Window;
    // The first failing write raises and leaves the later ones unmade.
    reg.SetValueKey("LastBrowseDir");
    reg.SetValueType(RegSz);
    reg.SetValue(RegistryValue(w.LastBrowseDir));
    reg.SetValueKey("RecWidth");
    reg.SetValueType(RegDword);
    reg.SetValue(RegistryValue(w.TargetSize.Width));
    reg.SetValueKey("RecHeight");
    reg.SetValueType(RegDword);
    reg.SetValue(RegistryValue(w.TargetSize.Height));
}

}  // namespace sorvane
