#include "registry/BackendFactories.h"

namespace sorvane::test {
namespace {

template <typename F>
class Association : public RegistryOnBackend<F> {
  protected:
    // The default value of a key under the classes root, checked to be the same
    // under the local machine's classes.
    std::string Written(const std::string& path) {
        const std::string inRoot = this->At(path, "", RegSz, HKeyClassesRoot).Value().ToText();
        const std::string inMachine =
            this->At("SOFTWARE\\Classes\\" + path, "", RegSz, HKeyLocalMachine).Value().ToText();
        EXPECT_EQ(inRoot, inMachine) << path;
        return inRoot;
    }
    bool Exists(const std::string& path) {
        return this->At(path, "", RegSz, HKeyClassesRoot).KeyExists() ||
               this->At("SOFTWARE\\Classes\\" + path, "", RegSz, HKeyLocalMachine).KeyExists();
    }
};
TYPED_TEST_SUITE(Association, BackendFactories);

TYPED_TEST(Association, WritesClassVerbsAndIconTwice) {
    cRegistry reg(this->backend);
    reg.CreateEXEAssociation("  /opt/sorvane/viewer  ", "Sorvane.Show", "Sorvane slide show",
                             "sorv", "", true, "", true, "", true, "", 3);
    EXPECT_EQ(this->Written(".sorv"), "Sorvane.Show");
    EXPECT_EQ(this->Written("Sorvane.Show"), "Sorvane slide show");
    EXPECT_EQ(this->Written("Sorvane.Show\\shell\\open"), "&Open");
    EXPECT_EQ(this->Written("Sorvane.Show\\shell\\open\\command"),
              "\"/opt/sorvane/viewer\" \"%1\"");
    EXPECT_EQ(this->Written("Sorvane.Show\\shell\\print"), "&Print");
    EXPECT_EQ(this->Written("Sorvane.Show\\shell\\print\\command"),
              "\"/opt/sorvane/viewer\" /p \"%1\"");
    EXPECT_EQ(this->Written("Sorvane.Show\\shell\\add"), "&Install sorv");
    EXPECT_EQ(this->Written("Sorvane.Show\\shell\\add\\command"),
              "\"/opt/sorvane/viewer\" /a \"%1\"");
    EXPECT_EQ(this->Written("Sorvane.Show\\shell\\new"), "&New");
    EXPECT_EQ(this->Written("Sorvane.Show\\shell\\new\\command"),
              "\"/opt/sorvane/viewer\" /n \"%1\"");
    EXPECT_EQ(this->Written("Sorvane.Show\\DefaultIcon"), "\"/opt/sorvane/viewer\",3");
    EXPECT_EQ(reg.ClassKey(), HKeyLocalMachine);
    EXPECT_EQ(reg.SectionKey(), "Sorvane.Show\\DefaultIcon");
}

TYPED_TEST(Association, KeepsQuotesAndLeavesOutWhatIsNotAsked) {
    cRegistry reg(this->backend);
    reg.CreateEXEAssociation("\"C:\\Program Files\\Sorvane\\s.exe\"", "Sorvane.Page", "Page", "spg",
                             "View it", false, "x", false, "x", false, "x", -1);
    EXPECT_EQ(this->Written("Sorvane.Page\\shell\\open"), "View it");
    EXPECT_EQ(this->Written("Sorvane.Page\\shell\\open\\command"),
              "\"C:\\Program Files\\Sorvane\\s.exe\" \"%1\"");
    EXPECT_FALSE(this->Exists("Sorvane.Page\\shell\\print"));
    EXPECT_FALSE(this->Exists("Sorvane.Page\\shell\\add"));
    EXPECT_FALSE(this->Exists("Sorvane.Page\\shell\\new"));
    EXPECT_FALSE(this->Exists("Sorvane.Page\\DefaultIcon"));
}

TYPED_TEST(Association, AdditionalVerbsNeedWholeGroupsAndAClass) {
    cRegistry reg(this->backend);
    AssociationOutcome bad =
        reg.CreateAdditionalEXEAssociations("Sorvane.Show", {"edit", "&Edit", "edit.sh", "orphan"});
    ASSERT_TRUE(bad.Refusal);
    EXPECT_EQ(bad.Refusal->Number, -2147194452);
    EXPECT_EQ(bad.Refusal->Description(),
              "Invalid parameter list passed to CreateAdditionalEXEAssociations - expected "
              "Name/Text/Command");
    EXPECT_EQ(bad.Refusal->Source, cRegistry::ErrorSource());
    EXPECT_TRUE(reg.CreateAdditionalEXEAssociations("Sorvane.Show", {}).Refusal);

    reg.SetClassKey(HKeyClassesRoot);
    AssociationOutcome noClass =
        reg.CreateAdditionalEXEAssociations("Sorvane.Show", {"edit", "&Edit", "edit.sh"});
    ASSERT_TRUE(noClass.Refusal);
    EXPECT_EQ(noClass.Refusal->Number, -2147194451);
    EXPECT_FALSE(this->Exists("Sorvane.Show\\shell\\edit"));

    reg.CreateEXEAssociation("/bin/s", "Sorvane.Show", "Show", "sorv", "", false, "", false, "",
                             false, "", -1);
    reg.SetClassKey(HKeyClassesRoot);
    AssociationOutcome ok = reg.CreateAdditionalEXEAssociations(
        "Sorvane.Show", {"edit", "&Edit", "edit.sh \"%1\"", "play", "&Play", "play %1 %2"});
    EXPECT_FALSE(ok.Refusal);
    EXPECT_EQ(ok.FailedWrites, 0);
    EXPECT_EQ(this->Written("Sorvane.Show\\shell\\edit"), "&Edit");
    EXPECT_EQ(this->Written("Sorvane.Show\\shell\\edit\\command"), "edit.sh \"%1\"");
    EXPECT_EQ(this->Written("Sorvane.Show\\shell\\play\\command"), "play %1 %2");
}

}  // namespace
}  // namespace sorvane::test
