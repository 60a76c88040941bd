#include "registry/SqliteRegistryBackend.h"

#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <thread>

namespace sorvane {

namespace {

// A write is a handful of rows, so a second program writing at the same
// moment gets its turn well within this; a store held longer is reported busy.
constexpr int DefaultBusyTimeoutMs = 5000;

constexpr const char* SchemaPresent =
    "SELECT count(*) FROM sqlite_master WHERE name IN ('keys', 'keys_by_parent', 'key_values')";

constexpr const char* Schema = R"(
CREATE TABLE IF NOT EXISTS keys(
  root TEXT NOT NULL,
  path TEXT NOT NULL COLLATE NOCASE,
  parent TEXT NOT NULL COLLATE NOCASE,
  name TEXT NOT NULL COLLATE NOCASE,
  PRIMARY KEY(root, path));
CREATE INDEX IF NOT EXISTS keys_by_parent ON keys(root, parent);
CREATE TABLE IF NOT EXISTS key_values(
  root TEXT NOT NULL,
  path TEXT NOT NULL COLLATE NOCASE,
  name TEXT NOT NULL COLLATE NOCASE,
  type INTEGER NOT NULL,
  data BLOB NOT NULL,
  shown TEXT,
  PRIMARY KEY(root, path, name));
)";

const char* RootName(uint32_t root) {
    switch (root) {
        case HKeyClassesRoot:
            return "HKEY_CLASSES_ROOT";
        case HKeyCurrentUser:
            return "HKEY_CURRENT_USER";
        case HKeyLocalMachine:
            return "HKEY_LOCAL_MACHINE";
        case HKeyUsers:
            return "HKEY_USERS";
        default:
            return nullptr;
    }
}

// Key paths: no empty parts; one trailing backslash is tolerated.
bool NormalPath(std::string path, std::string& out) {
    if (!path.empty() && path.back() == '\\') path.pop_back();
    if (!path.empty() && (path.front() == '\\' || path.find("\\\\") != std::string::npos))
        return false;
    out = std::move(path);
    return true;
}

std::string ParentOf(const std::string& path) {
    const size_t cut = path.rfind('\\');
    return cut == std::string::npos ? std::string() : path.substr(0, cut);
}

std::string LeafOf(const std::string& path) {
    const size_t cut = path.rfind('\\');
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

// The data as a person reads it in the sqlite3 tool.
std::string Shown(uint32_t type, const std::vector<uint8_t>& data) {
    if (type == RegSz || type == RegExpandSz || type == RegMultiSz) {
        std::string text(data.begin(), data.end());
        while (!text.empty() && text.back() == '\0') text.pop_back();
        for (char& c : text)
            if (c == '\0') c = '\n';
        return text;
    }
    if ((type == RegDword || type == RegDwordBigEndian) && data.size() == 4) {
        uint32_t bits = 0;
        for (int i = 0; i < 4; ++i) {
            const int at = type == RegDword ? 3 - i : i;
            bits = bits << 8 | data[static_cast<size_t>(at)];
        }
        return std::to_string(static_cast<int32_t>(bits));
    }
    std::string hex;
    char piece[4];
    for (uint8_t b : data) {
        std::snprintf(piece, sizeof piece, hex.empty() ? "%02x" : " %02x", b);
        hex += piece;
    }
    return hex;
}

struct SqliteKey : RegistryKey {
    uint32_t root;
    std::string path;
    uint32_t access;
    SqliteKey(uint32_t r, std::string p, uint32_t a) : root(r), path(std::move(p)), access(a) {}
};

}  // namespace

class SqliteRegistryBackend::Statement {
  public:
    Statement(sqlite3* db, const char* sql) {
        rc_ = sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr);
    }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    int Prepared() const { return rc_; }
    void Text(int at, const std::string& text) {
        sqlite3_bind_text(stmt_, at, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    }
    void Int(int at, int64_t value) { sqlite3_bind_int64(stmt_, at, value); }
    void Blob(int at, const std::vector<uint8_t>& data) {
        // A zero-length blob must still be a blob, never NULL.
        static const uint8_t none = 0;
        sqlite3_bind_blob(stmt_, at, data.empty() ? &none : data.data(),
                          static_cast<int>(data.size()), SQLITE_TRANSIENT);
    }
    int Step() { return sqlite3_step(stmt_); }
    int64_t ColumnInt(int at) { return sqlite3_column_int64(stmt_, at); }
    std::string ColumnText(int at) {
        const auto* p = sqlite3_column_text(stmt_, at);
        return p ? std::string(reinterpret_cast<const char*>(p),
                               static_cast<size_t>(sqlite3_column_bytes(stmt_, at)))
                 : std::string();
    }
    std::vector<uint8_t> ColumnBlob(int at) {
        const auto* p = static_cast<const uint8_t*>(sqlite3_column_blob(stmt_, at));
        const int n = sqlite3_column_bytes(stmt_, at);
        return p ? std::vector<uint8_t>(p, p + n) : std::vector<uint8_t>();
    }

  private:
    sqlite3_stmt* stmt_ = nullptr;
    int rc_;
};

// BEGIN IMMEDIATE takes the write lock up front, so two writers queue on the
// busy timeout instead of failing when one upgrades a read lock.
class SqliteRegistryBackend::Transaction {
  public:
    explicit Transaction(sqlite3* db) : db_(db) {
        rc_ = sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    }
    ~Transaction() {
        if (rc_ == SQLITE_OK && !done_) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    int Began() const { return rc_; }
    int Commit() {
        done_ = true;
        const int rc = sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        return rc;
    }

  private:
    sqlite3* db_;
    int rc_;
    bool done_ = false;
};

SqliteRegistryBackend::SqliteRegistryBackend(std::string path, int busyTimeoutMs)
    : path_(std::move(path)),
      busyTimeoutMs_(busyTimeoutMs < 0 ? DefaultBusyTimeoutMs : busyTimeoutMs) {}

SqliteRegistryBackend::~SqliteRegistryBackend() { sqlite3_close(db_); }

long SqliteRegistryBackend::Fail(int rc) {
    lastError_ = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
    if ((rc & 0xff) == SQLITE_BUSY || (rc & 0xff) == SQLITE_LOCKED) {
        char seconds[32];
        std::snprintf(seconds, sizeof seconds, "%.1f", busyTimeoutMs_ / 1000.0);
        lastError_ = "the settings store \"" + path_ + "\" is busy: another program kept it " +
                     "locked for more than " + seconds + " s";
    }
    switch (rc & 0xff) {
        case SQLITE_NOTADB:
        case SQLITE_CORRUPT:
            return RegBadDb;
        case SQLITE_READONLY:
        case SQLITE_PERM:
        case SQLITE_AUTH:
            return RegAccessDenied;
        default:
            return RegIoFailed;
    }
}

// Opens the file, switches it to WAL and makes the tables where they are missing.
int SqliteRegistryBackend::OpenAndPrepare() {
    int rc =
        sqlite3_open_v2(path_.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc == SQLITE_OK) {
        sqlite3_busy_timeout(db_, busyTimeoutMs_);
        rc = sqlite3_exec(db_, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
    }
    // Only a store without its tables takes the write lock to make them, so a
    // reader never waits behind another program's write.
    bool schemaPresent = false;
    if (rc == SQLITE_OK) {
        Statement q(db_, SchemaPresent);
        rc = q.Prepared();
        if (rc == SQLITE_OK) {
            rc = q.Step();
            if (rc == SQLITE_ROW) {
                schemaPresent = q.ColumnInt(0) == 3;
                rc = SQLITE_OK;
            }
        }
    }
    if (rc == SQLITE_OK && !schemaPresent) {
        Transaction tx(db_);
        rc = tx.Began();
        if (rc == SQLITE_OK) rc = sqlite3_exec(db_, Schema, nullptr, nullptr, nullptr);
        if (rc == SQLITE_OK) rc = tx.Commit();
    }
    return rc;
}

// Opens the file on first use and again after a failed attempt, so a store
// that was unreadable once is picked up when it is mended.
long SqliteRegistryBackend::Connect() {
    if (db_) return RegSuccess;
    std::error_code ec;
    const auto folder = std::filesystem::path(path_).parent_path();
    if (!folder.empty()) std::filesystem::create_directories(folder, ec);
    // A pipe or device of that name would keep the first read waiting for ever.
    const auto status = std::filesystem::status(path_, ec);
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
        lastError_ = "\"" + path_ + "\" is not a regular file";
        return RegIoFailed;
    }
    // Two programs making the store at the same moment can be told "busy" at
    // once, without the busy timeout: switching a new file to WAL and the
    // first read of its schema can each find the other holding a lock. The
    // whole opening is tried again until the timeout, so no first write is lost.
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(busyTimeoutMs_);
    int rc = OpenAndPrepare();
    while ((rc & 0xff) == SQLITE_BUSY && std::chrono::steady_clock::now() < deadline) {
        sqlite3_close(db_);
        db_ = nullptr;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        rc = OpenAndPrepare();
    }
    if (rc != SQLITE_OK) {
        const long result = Fail(rc);
        sqlite3_close(db_);
        db_ = nullptr;
        return result;
    }
    return RegSuccess;
}

long SqliteRegistryBackend::KeyPresent(uint32_t root, const std::string& path, bool& present) {
    present = path.empty();
    if (present) return RegSuccess;
    Statement q(db_, "SELECT 1 FROM keys WHERE root = ?1 AND path = ?2");
    if (q.Prepared() != SQLITE_OK) return Fail(q.Prepared());
    q.Text(1, RootName(root));
    q.Text(2, path);
    const int rc = q.Step();
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) return Fail(rc);
    present = rc == SQLITE_ROW;
    return RegSuccess;
}

long SqliteRegistryBackend::OpenKey(uint32_t root, const std::string& rawPath, uint32_t access,
                                    std::unique_ptr<RegistryKey>& key) {
    std::lock_guard lock(mutex_);
    key.reset();
    std::string path;
    if (!RootName(root)) return RegInvalidHandle;
    if (!NormalPath(rawPath, path)) return RegInvalidParameter;
    if (const long r = Connect(); r != RegSuccess) return r;
    bool present = false;
    if (const long r = KeyPresent(root, path, present); r != RegSuccess) return r;
    if (!present) return RegFileNotFound;
    key = std::make_unique<SqliteKey>(root, path, access);
    return RegSuccess;
}

long SqliteRegistryBackend::CreateKey(uint32_t root, const std::string& rawPath, uint32_t access,
                                      std::unique_ptr<RegistryKey>& key) {
    std::lock_guard lock(mutex_);
    key.reset();
    std::string path;
    if (!RootName(root)) return RegInvalidHandle;
    if (!NormalPath(rawPath, path)) return RegInvalidParameter;
    if (const long r = Connect(); r != RegSuccess) return r;
    if (!path.empty()) {
        Transaction tx(db_);
        if (tx.Began() != SQLITE_OK) return Fail(tx.Began());
        // Every missing parent is created with the key, as the registry does.
        for (size_t cut = 0; cut != std::string::npos;) {
            cut = path.find('\\', cut + 1);
            const std::string part = path.substr(0, cut);
            Statement one(db_,
                          "INSERT OR IGNORE INTO keys(root, path, parent, name) "
                          "VALUES(?1, ?2, ?3, ?4)");
            if (one.Prepared() != SQLITE_OK) return Fail(one.Prepared());
            one.Text(1, RootName(root));
            one.Text(2, part);
            one.Text(3, ParentOf(part));
            one.Text(4, LeafOf(part));
            if (const int rc = one.Step(); rc != SQLITE_DONE) return Fail(rc);
        }
        if (const int rc = tx.Commit(); rc != SQLITE_OK) return Fail(rc);
    }
    key = std::make_unique<SqliteKey>(root, path, access);
    return RegSuccess;
}

long SqliteRegistryBackend::QueryValue(RegistryKey& handle, const std::string& name, uint32_t& type,
                                       std::vector<uint8_t>* data, uint32_t& size) {
    std::lock_guard lock(mutex_);
    auto* key = dynamic_cast<SqliteKey*>(&handle);
    if (!key) return RegInvalidHandle;
    if (!(key->access & KeyQueryValue)) return RegAccessDenied;
    if (const long r = Connect(); r != RegSuccess) return r;
    Statement q(db_,
                "SELECT type, data FROM key_values WHERE root = ?1 AND path = ?2 AND name = ?3");
    if (q.Prepared() != SQLITE_OK) return Fail(q.Prepared());
    q.Text(1, RootName(key->root));
    q.Text(2, key->path);
    q.Text(3, name);
    const int rc = q.Step();
    if (rc == SQLITE_DONE) return RegFileNotFound;
    if (rc != SQLITE_ROW) return Fail(rc);
    type = static_cast<uint32_t>(q.ColumnInt(0));
    std::vector<uint8_t> bytes = q.ColumnBlob(1);
    size = static_cast<uint32_t>(bytes.size());
    if (data) *data = std::move(bytes);
    return RegSuccess;
}

long SqliteRegistryBackend::SetValue(RegistryKey& handle, const std::string& name, uint32_t type,
                                     const std::vector<uint8_t>& data) {
    std::lock_guard lock(mutex_);
    auto* key = dynamic_cast<SqliteKey*>(&handle);
    if (!key) return RegInvalidHandle;
    if (!(key->access & KeySetValue)) return RegAccessDenied;
    if (const long r = Connect(); r != RegSuccess) return r;
    Transaction tx(db_);
    if (tx.Began() != SQLITE_OK) return Fail(tx.Began());
    bool present = false;
    if (const long r = KeyPresent(key->root, key->path, present); r != RegSuccess) return r;
    if (!present) return RegKeyDeleted;
    Statement upsert(db_,
                     "INSERT INTO key_values(root, path, name, type, data, shown) "
                     "VALUES(?1, ?2, ?3, ?4, ?5, ?6) ON CONFLICT(root, path, name) DO UPDATE SET "
                     "type = excluded.type, data = excluded.data, shown = excluded.shown");
    if (upsert.Prepared() != SQLITE_OK) return Fail(upsert.Prepared());
    upsert.Text(1, RootName(key->root));
    upsert.Text(2, key->path);
    upsert.Text(3, name);
    upsert.Int(4, type);
    upsert.Blob(5, data);
    upsert.Text(6, Shown(type, data));
    if (const int rc = upsert.Step(); rc != SQLITE_DONE) return Fail(rc);
    if (const int rc = tx.Commit(); rc != SQLITE_OK) return Fail(rc);
    return RegSuccess;
}

long SqliteRegistryBackend::DeleteValue(RegistryKey& handle, const std::string& name) {
    std::lock_guard lock(mutex_);
    auto* key = dynamic_cast<SqliteKey*>(&handle);
    if (!key) return RegInvalidHandle;
    if (!(key->access & KeySetValue)) return RegAccessDenied;
    if (const long r = Connect(); r != RegSuccess) return r;
    Transaction tx(db_);
    if (tx.Began() != SQLITE_OK) return Fail(tx.Began());
    Statement del(db_, "DELETE FROM key_values WHERE root = ?1 AND path = ?2 AND name = ?3");
    if (del.Prepared() != SQLITE_OK) return Fail(del.Prepared());
    del.Text(1, RootName(key->root));
    del.Text(2, key->path);
    del.Text(3, name);
    if (const int rc = del.Step(); rc != SQLITE_DONE) return Fail(rc);
    if (sqlite3_changes(db_) == 0) return RegFileNotFound;
    if (const int rc = tx.Commit(); rc != SQLITE_OK) return Fail(rc);
    return RegSuccess;
}

long SqliteRegistryBackend::DeleteKey(uint32_t root, const std::string& rawPath) {
    std::lock_guard lock(mutex_);
    std::string path;
    if (!RootName(root)) return RegInvalidHandle;
    if (!NormalPath(rawPath, path)) return RegInvalidParameter;
    if (path.empty()) return RegAccessDenied;
    if (const long r = Connect(); r != RegSuccess) return r;
    Transaction tx(db_);
    if (tx.Began() != SQLITE_OK) return Fail(tx.Began());
    bool present = false;
    if (const long r = KeyPresent(root, path, present); r != RegSuccess) return r;
    if (!present) return RegFileNotFound;
    {
        // A key with sub-keys stays, as the registry refuses to delete it.
        Statement children(db_, "SELECT 1 FROM keys WHERE root = ?1 AND parent = ?2 LIMIT 1");
        if (children.Prepared() != SQLITE_OK) return Fail(children.Prepared());
        children.Text(1, RootName(root));
        children.Text(2, path);
        const int rc = children.Step();
        if (rc == SQLITE_ROW) return RegAccessDenied;
        if (rc != SQLITE_DONE) return Fail(rc);
    }
    for (const char* sql : {"DELETE FROM key_values WHERE root = ?1 AND path = ?2",
                            "DELETE FROM keys WHERE root = ?1 AND path = ?2"}) {
        Statement del(db_, sql);
        if (del.Prepared() != SQLITE_OK) return Fail(del.Prepared());
        del.Text(1, RootName(root));
        del.Text(2, path);
        if (const int rc = del.Step(); rc != SQLITE_DONE) return Fail(rc);
    }
    if (const int rc = tx.Commit(); rc != SQLITE_OK) return Fail(rc);
    return RegSuccess;
}

// The index-th name of a listing query, as the registry's enumeration calls
// hand them out one at a time.
long SqliteRegistryBackend::EnumName(RegistryKey& handle, uint32_t index, uint32_t access,
                                     const char* sql, std::string& name) {
    std::lock_guard lock(mutex_);
    auto* key = dynamic_cast<SqliteKey*>(&handle);
    if (!key) return RegInvalidHandle;
    if (!(key->access & access)) return RegAccessDenied;
    if (const long r = Connect(); r != RegSuccess) return r;
    Statement q(db_, sql);
    if (q.Prepared() != SQLITE_OK) return Fail(q.Prepared());
    q.Text(1, RootName(key->root));
    q.Text(2, key->path);
    q.Int(3, index);
    const int rc = q.Step();
    if (rc == SQLITE_DONE) return RegNoMoreItems;
    if (rc != SQLITE_ROW) return Fail(rc);
    name = q.ColumnText(0);
    return RegSuccess;
}

long SqliteRegistryBackend::EnumValue(RegistryKey& handle, uint32_t index, std::string& name) {
    return EnumName(handle, index, KeyQueryValue,
                    "SELECT name FROM key_values WHERE root = ?1 AND path = ?2 "
                    "ORDER BY rowid LIMIT 1 OFFSET ?3",
                    name);
}

long SqliteRegistryBackend::EnumKey(RegistryKey& handle, uint32_t index, std::string& name) {
    return EnumName(handle, index, KeyEnumerateSubKeys,
                    "SELECT name FROM keys WHERE root = ?1 AND parent = ?2 "
                    "ORDER BY name LIMIT 1 OFFSET ?3",
                    name);
}

std::string SqliteRegistryBackend::ResultText(long result) {
    std::string text = RegistryBackend::ResultText(result);
    std::lock_guard lock(mutex_);
    if (result != RegSuccess && !lastError_.empty()) text += " (" + lastError_ + ")";
    return text;
}

std::string DefaultRegistryStorePath() {
    std::filesystem::path base;
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && std::filesystem::path(config).is_absolute()) {
        base = config;
    } else {
        const char* home = std::getenv("HOME");
        base = std::filesystem::path(home ? home : ".") / ".config";
    }
    return (base / "desktop-sorvane" / "registry.db").string();
}

std::shared_ptr<RegistryBackend> OpenDefaultRegistryStore() {
    return std::make_shared<SqliteRegistryBackend>(DefaultRegistryStorePath());
}

}  // namespace sorvane
