#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <random>

#include "registry/BackendFactories.h"

namespace sorvane::test {
namespace {

const std::string Section = "Software\\Tovik\\Desktop Sorvane";

class SqliteStore : public ::testing::Test {
  protected:
    TempHome home;
    std::string path = (home / "config/desktop-sorvane/registry.db").string();

    cRegistry At(std::shared_ptr<RegistryBackend> backend, const std::string& name, uint32_t type) {
        cRegistry reg(std::move(backend));
        reg.SetClassKey(HKeyCurrentUser);
        reg.SetSectionKey(Section);
        reg.SetValueKey(name);
        reg.SetValueType(type);
        return reg;
    }
};

TEST_F(SqliteStore, DefaultStoreFollowsTheConfigFolder) {
    EXPECT_EQ(DefaultRegistryStorePath(), path);
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(DefaultRegistryStorePath(),
              (home / "home/.config/desktop-sorvane/registry.db").string());
    At(OpenDefaultRegistryStore(), "RecWidth", RegDword).SetValue(RegistryValue(int32_t{1}));
    EXPECT_TRUE(std::filesystem::exists(home / "home/.config/desktop-sorvane/registry.db"));
}

TEST_F(SqliteStore, ValuesOutliveTheConnectionAndReadPlainlyInTheFile) {
    {
        auto backend = std::make_shared<SqliteRegistryBackend>(path);
        At(backend, "LastBrowseDir", RegSz).SetValue(RegistryValue("/home/ann/Pictures"));
        At(backend, "RecWidth", RegDword).SetValue(RegistryValue(int32_t{1260}));
    }
    auto again = std::make_shared<SqliteRegistryBackend>(path);
    EXPECT_EQ(At(again, "RecWidth", RegDword).Value(), RegistryValue(int32_t{1260}));

    // What a person sees with the sqlite3 tool.
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    sqlite3_stmt* q = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db,
                                 "SELECT root, path, name, type, shown FROM key_values "
                                 "ORDER BY name",
                                 -1, &q, nullptr),
              SQLITE_OK);
    std::vector<std::string> rows;
    while (sqlite3_step(q) == SQLITE_ROW) {
        std::string row;
        for (int c = 0; c < 5; ++c) {
            const auto* t = sqlite3_column_text(q, c);
            row += (c ? "|" : "") + std::string(t ? reinterpret_cast<const char*>(t) : "");
        }
        rows.push_back(row);
    }
    sqlite3_finalize(q);
    sqlite3_close(db);
    EXPECT_EQ(rows, (std::vector<std::string>{
                        "HKEY_CURRENT_USER|" + Section + "|LastBrowseDir|1|/home/ann/Pictures",
                        "HKEY_CURRENT_USER|" + Section + "|RecWidth|4|1260"}));
}

// Two programs writing under one key at the same moment: every value of both
// arrives.
TEST_F(SqliteStore, TwoProcessesWritingAtOnceLoseNothing) {
    constexpr int PerProcess = 150;
    // Both children create the store themselves, racing on its very first use.
    std::vector<pid_t> children;
    for (int child = 0; child < 2; ++child) {
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            int failures = 0;
            auto backend = std::make_shared<SqliteRegistryBackend>(path);
            for (int i = 0; i < PerProcess; ++i) {
                try {
                    const std::string name = (child ? "B" : "A") + std::to_string(i);
                    At(backend, name, RegDword).SetValue(RegistryValue(int32_t{child * 1000 + i}));
                    At(backend, "Shared", RegSz).SetValue(RegistryValue(name));
                } catch (...) {
                    ++failures;
                }
            }
            _exit(failures == 0 ? 0 : 1);
        }
        children.push_back(pid);
    }
    for (pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    auto backend = std::make_shared<SqliteRegistryBackend>(path);
    for (int child = 0; child < 2; ++child)
        for (int i = 0; i < PerProcess; ++i) {
            const std::string name = (child ? "B" : "A") + std::to_string(i);
            EXPECT_EQ(At(backend, name, RegDword).Value(), RegistryValue(int32_t{child * 1000 + i}))
                << name;
        }
    const std::string last = At(backend, "Shared", RegSz).Value().ToText();
    EXPECT_TRUE(last == "A" + std::to_string(PerProcess - 1) ||
                last == "B" + std::to_string(PerProcess - 1))
        << last;
}

// Another process holds a write transaction (`sql` on its own connection)
// until the test is done with it.
class HeldStore {
  public:
    HeldStore(const std::string& path, const char* sql) {
        int ready[2];
        if (pipe(ready) != 0 || pipe(release_) != 0) return;
        pid_ = fork();
        if (pid_ == 0) {
            sqlite3* db = nullptr;
            bool held = sqlite3_open(path.c_str(), &db) == SQLITE_OK &&
                        sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
            const char answer = held ? 'y' : 'n';
            (void)!write(ready[1], &answer, 1);
            char c;
            (void)!read(release_[0], &c, 1);
            _exit(0);
        }
        char answer = 'n';
        held_ = pid_ > 0 && read(ready[0], &answer, 1) == 1 && answer == 'y';
        close(ready[0]);
        close(ready[1]);
    }
    ~HeldStore() {
        (void)!write(release_[1], "x", 1);
        if (pid_ > 0) waitpid(pid_, nullptr, 0);
        close(release_[0]);
        close(release_[1]);
    }
    bool Held() const { return held_; }

  private:
    pid_t pid_ = -1;
    int release_[2] = {-1, -1};
    bool held_ = false;
};

TEST_F(SqliteStore, ReadsAnswerAtOnceWhileAnotherProcessWrites) {
    At(std::make_shared<SqliteRegistryBackend>(path), "RecWidth", RegDword)
        .SetValue(RegistryValue(int32_t{1004}));
    HeldStore writer(path,
                     "BEGIN IMMEDIATE; UPDATE key_values SET shown = 'changing' WHERE name = "
                     "'RecWidth'");
    ASSERT_TRUE(writer.Held());

    // A fresh connection, as at the program's start.
    const auto start = std::chrono::steady_clock::now();
    auto backend = std::make_shared<SqliteRegistryBackend>(path);
    auto reg = At(backend, "RecWidth", RegDword);
    EXPECT_EQ(reg.Value(), RegistryValue(int32_t{1004}));
    EXPECT_EQ(At(backend, "Absent", RegSz).Value(), RegistryValue());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));

    // A write waits its bounded time, then fails saying why.
    auto impatient = std::make_shared<SqliteRegistryBackend>(path, 200);
    EXPECT_THROW(At(impatient, "RecWidth", RegDword).SetValue(RegistryValue(int32_t{1})), Error);
    EXPECT_NE(impatient->ResultText(RegIoFailed).find("busy"), std::string::npos);
}

TEST_F(SqliteStore, AStoreLockedForReadingIsAFailureNotADefault) {
    At(std::make_shared<SqliteRegistryBackend>(path), "RecWidth", RegDword)
        .SetValue(RegistryValue(int32_t{1004}));
    HeldStore locker(path, "PRAGMA locking_mode = EXCLUSIVE; BEGIN EXCLUSIVE");
    ASSERT_TRUE(locker.Held());
    auto backend = std::make_shared<SqliteRegistryBackend>(path, 200);
    auto reg = At(backend, "RecWidth", RegDword);
    EXPECT_EQ(reg.Value(), RegistryValue());
    EXPECT_NE(reg.LastReadResult(), RegSuccess);
    EXPECT_NE(reg.LastReadResult(), RegFileNotFound);
    EXPECT_NE(backend->ResultText(reg.LastReadResult()).find("busy"), std::string::npos);
}

TEST_F(SqliteStore, APipeInPlaceOfTheStoreIsRefusedAtOnce) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    ASSERT_EQ(mkfifo(path.c_str(), 0644), 0);
    alarm(20);  // waiting on the pipe would hang the test
    auto backend = std::make_shared<SqliteRegistryBackend>(path);
    auto reg = At(backend, "RecWidth", RegDword);
    EXPECT_EQ(reg.Value(), RegistryValue());
    EXPECT_EQ(reg.LastReadResult(), RegIoFailed);
    EXPECT_THROW(reg.SetValue(RegistryValue(int32_t{1})), Error);
    alarm(0);
    EXPECT_TRUE(std::filesystem::is_fifo(path));
}

TEST_F(SqliteStore, GarbageFileGivesDefaultsAndWriteErrorsAndStaysUntouched) {
    std::mt19937 rng(7);
    std::string garbage(64 * 1024, '\0');
    for (char& c : garbage) c = static_cast<char>(rng());
    WriteFile(path, garbage);

    auto backend = std::make_shared<SqliteRegistryBackend>(path);
    auto reg = At(backend, "RecWidth", RegDword);
    reg.SetDefault(RegistryValue(int32_t{-1}));
    EXPECT_EQ(reg.Value(), RegistryValue(int32_t{-1}));
    EXPECT_FALSE(reg.KeyExists());
    std::vector<std::string> names;
    int32_t count = 5;
    EXPECT_TRUE(reg.EnumerateValues(names, count));
    EXPECT_EQ(count, 0);
    EXPECT_TRUE(reg.EnumerateSections(names, count));
    EXPECT_EQ(count, 0);

    try {
        reg.SetValue(RegistryValue(int32_t{800}));
        FAIL() << "a write to a broken store passed";
    } catch (const Error& e) {
        EXPECT_EQ(e.Number, RegErrKeyFailure);
        EXPECT_EQ(e.Source, cRegistry::ErrorSource());
        EXPECT_NE(e.Description().find("Failed to set registry value"), std::string::npos);
    }
    EXPECT_THROW(reg.CreateKey(), Error);
    EXPECT_EQ(ReadFile(path), garbage);

    // Once the user moves the broken file away, the same backend works again.
    std::filesystem::rename(path, path + ".broken");
    reg.SetValue(RegistryValue(int32_t{800}));
    EXPECT_EQ(reg.Value(), RegistryValue(int32_t{800}));
    EXPECT_EQ(ReadFile(path + ".broken"), garbage);
}

TEST_F(SqliteStore, KeyDeletedUnderAnOpenHandleRefusesWrites) {
    auto backend = std::make_shared<SqliteRegistryBackend>(path);
    std::unique_ptr<RegistryKey> key;
    ASSERT_EQ(backend->CreateKey(HKeyCurrentUser, "Software\\Brief", KeyAllWrite, key), RegSuccess);
    ASSERT_EQ(backend->DeleteKey(HKeyCurrentUser, "Software\\Brief"), RegSuccess);
    EXPECT_EQ(backend->SetValue(*key, "v", RegSz, {'x', 0}), RegKeyDeleted);
    // Rights asked for are the rights given.
    std::unique_ptr<RegistryKey> readOnly;
    ASSERT_EQ(backend->OpenKey(HKeyCurrentUser, "Software", KeyQueryValue, readOnly), RegSuccess);
    EXPECT_EQ(backend->SetValue(*readOnly, "v", RegSz, {'x', 0}), RegAccessDenied);
    EXPECT_EQ(backend->OpenKey(HKeyCurrentUser, "\\Software", KeyQueryValue, readOnly),
              RegInvalidParameter);
    EXPECT_EQ(backend->OpenKey(0x1234, "Software", KeyQueryValue, readOnly), RegInvalidHandle);
}

}  // namespace
}  // namespace sorvane::test
