#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "app/MainForm.h"
#include "app/ScriptedDialogs.h"
#include "common/TestPlatform.h"
#include "registry/SqliteRegistryBackend.h"

namespace sorvane::test {

// A form on the fake platform services, with scripted dialogs and a real
// settings store, each test in a home of its own.
class FormTest : public ::testing::Test {
  protected:
    TempHome home;
    TestPlatform fakes{home};
    ScriptedDialogs dialogs;
    std::shared_ptr<RegistryBackend> store = std::make_shared<SqliteRegistryBackend>(
        (home / "config/desktop-sorvane/registry.db").string());

    // A loaded form whose settings go to `store`.
    std::unique_ptr<MainForm> Start() {
        Platform p = fakes.Make();
        p.registry = store;
        auto form = std::make_unique<MainForm>(std::move(p), dialogs);
        form->Form_Load();
        return form;
    }

    void MakeFolders() {
        std::filesystem::create_directories(fakes.folders->program);
        std::filesystem::create_directories(fakes.folders->pictures);
    }
    // The template where the form looks for it, unless a test put something there.
    void CopyTemplate() {
        if (!std::filesystem::exists(fakes.folders->templ))
            std::filesystem::copy_file(SourceDir() / "resources/template.html",
                                       fakes.folders->templ);
    }

    std::string ConfigPath() const { return fakes.folders->program + "/config.dat"; }
};

}  // namespace sorvane::test
