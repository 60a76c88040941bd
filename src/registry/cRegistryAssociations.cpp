// File-type association writing, the part of cRegistry no screen of the
// program uses; kept so the accessor is complete.
#include "registry/cRegistry.h"

namespace sorvane {

namespace {

constexpr const char* MachineClasses = "SOFTWARE\\Classes\\";

std::string TrimSpaces(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

// Writes the key's default value under the classes root, then again under the
// local machine's classes. ClassKey stays at the local machine afterwards.
void cRegistry::DualWrite(const std::string& text) {
    const std::string path = sectionKey_;
    classKey_ = HKeyClassesRoot;
    SetValue(RegistryValue(text));
    classKey_ = HKeyLocalMachine;
    sectionKey_ = MachineClasses + path;
    try {
        SetValue(RegistryValue(text));
    } catch (...) {
        sectionKey_ = path;
        throw;
    }
    sectionKey_ = path;
}

void cRegistry::CreateEXEAssociation(
    std::string sExePath, const std::string& sClassName, const std::string& sClassDescription,
    const std::string& sAssociation, const std::string& sOpenMenuText, bool bSupportPrint,
    const std::string& sPrintMenuText, bool bSupportNew, const std::string& sNewMenuText,
    bool bSupportInstall, const std::string& sInstallMenuText, int32_t lDefaultIconIndex) {
    sExePath = TrimSpaces(sExePath);
    if (sExePath.empty() || sExePath.front() != '"') sExePath = '"' + sExePath;
    if (sExePath.back() != '"') sExePath += '"';

    valueKey_.clear();
    valueType_ = RegSz;
    auto write = [&](const std::string& section, const std::string& text) {
        sectionKey_ = section;
        DualWrite(text);
    };
    auto orDefault = [](const std::string& text, const std::string& fallback) {
        return text.empty() ? fallback : text;
    };
    const std::string shell = sClassName + "\\shell\\";

    write("." + sAssociation, sClassName);
    write(sClassName, sClassDescription);
    write(shell + "open", orDefault(sOpenMenuText, "&Open"));
    write(shell + "open\\command", sExePath + " \"%1\"");
    if (bSupportPrint) {
        write(shell + "print", orDefault(sPrintMenuText, "&Print"));
        write(shell + "print\\command", sExePath + " /p \"%1\"");
    }
    if (bSupportInstall) {
        write(shell + "add", orDefault(sInstallMenuText, "&Install " + sAssociation));
        write(shell + "add\\command", sExePath + " /a \"%1\"");
    }
    if (bSupportNew) {
        write(shell + "new", orDefault(sNewMenuText, "&New"));
        write(shell + "new\\command", sExePath + " /n \"%1\"");
    }
    if (lDefaultIconIndex >= 0)
        write(sClassName + "\\DefaultIcon", sExePath + "," + std::to_string(lDefaultIconIndex));
}

AssociationOutcome cRegistry::CreateAdditionalEXEAssociations(
    const std::string& sClassName, const std::vector<std::string>& vItems) {
    AssociationOutcome outcome;
    if (vItems.empty() || vItems.size() % 3 != 0) {
        outcome.Refusal = Error(
            "Invalid parameter list passed to CreateAdditionalEXEAssociations - expected "
            "Name/Text/Command",
            RegErrInvalidAssociationList, ErrorSource());
        return outcome;
    }
    sectionKey_ = sClassName;
    if (!KeyExists()) {
        outcome.Refusal =
            Error("Error - attempt to create additional associations before class defined.",
                  RegErrClassNotDefined, ErrorSource());
        return outcome;
    }
    valueKey_.clear();
    // Each write stands alone: a failing one is counted and the next runs.
    auto write = [&](const std::string& section, const std::string& text) {
        sectionKey_ = section;
        try {
            DualWrite(text);
        } catch (const Error&) {
            ++outcome.FailedWrites;
        }
    };
    for (size_t i = 0; i < vItems.size(); i += 3) {
        valueType_ = RegSz;
        const std::string verb = sClassName + "\\shell\\" + vItems[i];
        write(verb, vItems[i + 1]);
        write(verb + "\\command", vItems[i + 2]);
    }
    return outcome;
}

}  // namespace sorvane
