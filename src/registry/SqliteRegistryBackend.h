#pragma once

#include <memory>
#include <mutex>
#include <string>

#include "platform/RegistryBackend.h"

struct sqlite3;

namespace sorvane {

// The registry kept in one SQLite file. Every write is one transaction in WAL
// mode with a bounded busy timeout, so processes writing at once wait for each
// other and nothing is lost; reads take no write lock and never wait for a
// writer. A store that cannot be opened or is not a database
// fails each call with a result code (reads then give the caller's default);
// the file is never replaced or deleted.
//
// Tables: keys (root, path, parent, name) and key_values (root, path, name,
// type, data, shown); `shown` is the data in readable form for people looking
// at the file with the sqlite3 tool.
class SqliteRegistryBackend : public RegistryBackend {
  public:
    // `busyTimeoutMs`: how long a write waits for another program's write
    // before it fails as busy (negative: the default of a few seconds).
    explicit SqliteRegistryBackend(std::string path, int busyTimeoutMs = -1);
    ~SqliteRegistryBackend() override;
    SqliteRegistryBackend(const SqliteRegistryBackend&) = delete;
    SqliteRegistryBackend& operator=(const SqliteRegistryBackend&) = delete;

    const std::string& Path() const { return path_; }

    long OpenKey(uint32_t root, const std::string& path, uint32_t access,
                 std::unique_ptr<RegistryKey>& key) override;
    long CreateKey(uint32_t root, const std::string& path, uint32_t access,
                   std::unique_ptr<RegistryKey>& key) override;
    long QueryValue(RegistryKey& key, const std::string& name, uint32_t& type,
                    std::vector<uint8_t>* data, uint32_t& size) override;
    long SetValue(RegistryKey& key, const std::string& name, uint32_t type,
                  const std::vector<uint8_t>& data) override;
    long DeleteValue(RegistryKey& key, const std::string& name) override;
    long DeleteKey(uint32_t root, const std::string& path) override;
    long EnumValue(RegistryKey& key, uint32_t index, std::string& name) override;
    long EnumKey(RegistryKey& key, uint32_t index, std::string& name) override;
    std::string ResultText(long result) override;

  private:
    long EnumName(RegistryKey& key, uint32_t index, uint32_t access, const char* sql,
                  std::string& name);
    class Statement;
    class Transaction;
    long Connect();
    int OpenAndPrepare();
    long Fail(int sqliteResult);
    long KeyPresent(uint32_t root, const std::string& path, bool& present);

    std::string path_;
    int busyTimeoutMs_;
    sqlite3* db_ = nullptr;
    std::string lastError_;
    std::mutex mutex_;
};

// Where the store lives: $XDG_CONFIG_HOME/desktop-sorvane/registry.db, or
// ~/.config/... when XDG_CONFIG_HOME is unset or not absolute.
std::string DefaultRegistryStorePath();

// The store at DefaultRegistryStorePath(); the file is opened on first use.
std::shared_ptr<RegistryBackend> OpenDefaultRegistryStore();

}  // namespace sorvane
