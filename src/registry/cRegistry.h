#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Error.h"
#include "platform/RegistryBackend.h"
#include "registry/RegistryValue.h"

namespace sorvane {

// Error numbers the accessor raises.
constexpr long RegErrKeyFailure = 26001;
constexpr long RegErrSetValueFailed = -2147194455;          // object error base + 27049
constexpr long RegErrEnumerateFailed = -2147194454;         // + 27050
constexpr long RegErrInvalidAssociationList = -2147194452;  // + 27052
constexpr long RegErrClassNotDefined = -2147194451;         // + 27053

// What CreateAdditionalEXEAssociations did: a refusal (nothing written) is
// returned rather than raised; writes that failed were skipped and counted.
struct AssociationOutcome {
    std::optional<Error> Refusal;
    int FailedWrites = 0;
};

// Addresses one registry value by root, key path, value name and type, and
// reads or writes it through Value. Holds no open key between calls. Errors
// are raised as sorvane::Error with the numbers above.
class cRegistry {
  public:
    explicit cRegistry(std::shared_ptr<RegistryBackend> backend);

    uint32_t ClassKey() const { return classKey_; }
    void SetClassKey(uint32_t eKey) { classKey_ = eKey; }
    const std::string& SectionKey() const { return sectionKey_; }
    void SetSectionKey(const std::string& sSectionKey) { sectionKey_ = sSectionKey; }
    const std::string& ValueKey() const { return valueKey_; }
    void SetValueKey(const std::string& sValueKey) { valueKey_ = sValueKey; }
    uint32_t ValueType() const { return valueType_; }
    void SetValueType(uint32_t eValueType) { valueType_ = eValueType; }
    const RegistryValue& Default() const { return default_; }
    void SetDefault(const RegistryValue& vDefault) { default_ = vDefault; }

    // Reads the addressed value; Default when it cannot be read. Sets ValueType
    // to the stored type.
    RegistryValue Value();
    // What the store answered to the last read of Value: RegSuccess, or
    // RegFileNotFound for an absent key or value, or a failure of the store.
    long LastReadResult() const { return lastReadResult_; }
    // Writes the addressed value, creating the key when missing.
    void SetValue(const RegistryValue& vValue);

    bool KeyExists();
    bool CreateKey();
    bool DeleteKey();
    bool DeleteValue();
    bool EnumerateValues(std::vector<std::string>& sKeyNames, int32_t& iKeyCount);
    bool EnumerateSections(std::vector<std::string>& sSect, int32_t& iSectCount);

    // Registers a file extension with a program under the classes root and
    // again under the local machine's classes. Write errors are raised.
    void CreateEXEAssociation(std::string sExePath, const std::string& sClassName,
                              const std::string& sClassDescription, const std::string& sAssociation,
                              const std::string& sOpenMenuText, bool bSupportPrint,
                              const std::string& sPrintMenuText, bool bSupportNew,
                              const std::string& sNewMenuText, bool bSupportInstall,
                              const std::string& sInstallMenuText, int32_t lDefaultIconIndex);
    // Adds verbs to a class: vItems holds groups of name, menu text, command.
    AssociationOutcome CreateAdditionalEXEAssociations(const std::string& sClassName,
                                                       const std::vector<std::string>& vItems);

    // The program's name + ".cRegistry".
    static std::string ErrorSource();

  private:
    std::string HiveText() const;
    std::string SetValueMessage() const;
    [[noreturn]] void Raise(long number, const std::string& description) const;
    void DualWrite(const std::string& text);

    std::shared_ptr<RegistryBackend> backend_;
    uint32_t classKey_ = 0;
    std::string sectionKey_;
    std::string valueKey_;
    uint32_t valueType_ = 0;
    RegistryValue default_;
    RegistryValue lastWritten_;
    long lastReadResult_ = RegSuccess;
};

}  // namespace sorvane
