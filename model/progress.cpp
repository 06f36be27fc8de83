// The player's progress in SQLite: opening, setting aside a damaged file, reads and writes in transactions.
#include "model/progress.h"

#include <sqlite3.h>
#include <unistd.h>

#include <ctime>
#include <filesystem>
#include <mutex>

#include "model/write_fault.h"

namespace kelvane {

namespace {

namespace fs = std::filesystem;

constexpr std::int64_t kApplicationId = 0x4B4C564E;  // "KLVN"
constexpr int kSchemaVersion = 1;
constexpr const char* kVfsName = "kelvane";

// Writes go through a VFS over the system's, so that a test's WriteFault can make them fail.
sqlite3_vfs* realVfs = nullptr;

struct ShimFile {
  sqlite3_file base;
  sqlite3_file* real;  // follows this struct in the same allocation
  const char* path;    // valid until xClose
};

sqlite3_file* real(sqlite3_file* f) { return reinterpret_cast<ShimFile*>(f)->real; }

int shimWrite(sqlite3_file* f, const void* data, int size, sqlite3_int64 offset) {
  const ShimFile* s = reinterpret_cast<ShimFile*>(f);
  if (WriteFault* fault = InstalledWriteFault(); fault && s->path) {
    const std::size_t limit = fault->WriteLimit(s->path, static_cast<std::size_t>(size));
    if (limit < static_cast<std::size_t>(size)) {
      if (limit > 0) (void)s->real->pMethods->xWrite(s->real, data, static_cast<int>(limit), offset);
      return SQLITE_FULL;
    }
  }
  return s->real->pMethods->xWrite(s->real, data, size, offset);
}

const sqlite3_io_methods kShimMethods = {
    3,
    [](sqlite3_file* f) { return real(f)->pMethods->xClose(real(f)); },
    [](sqlite3_file* f, void* p, int n, sqlite3_int64 o) { return real(f)->pMethods->xRead(real(f), p, n, o); },
    shimWrite,
    [](sqlite3_file* f, sqlite3_int64 n) { return real(f)->pMethods->xTruncate(real(f), n); },
    [](sqlite3_file* f, int flags) { return real(f)->pMethods->xSync(real(f), flags); },
    [](sqlite3_file* f, sqlite3_int64* n) { return real(f)->pMethods->xFileSize(real(f), n); },
    [](sqlite3_file* f, int l) { return real(f)->pMethods->xLock(real(f), l); },
    [](sqlite3_file* f, int l) { return real(f)->pMethods->xUnlock(real(f), l); },
    [](sqlite3_file* f, int* out) { return real(f)->pMethods->xCheckReservedLock(real(f), out); },
    [](sqlite3_file* f, int op, void* arg) { return real(f)->pMethods->xFileControl(real(f), op, arg); },
    [](sqlite3_file* f) { return real(f)->pMethods->xSectorSize(real(f)); },
    [](sqlite3_file* f) { return real(f)->pMethods->xDeviceCharacteristics(real(f)); },
    [](sqlite3_file* f, int region, int size, int extend, void volatile** p) {
      return real(f)->pMethods->xShmMap(real(f), region, size, extend, p);
    },
    [](sqlite3_file* f, int offset, int n, int flags) { return real(f)->pMethods->xShmLock(real(f), offset, n, flags); },
    [](sqlite3_file* f) { real(f)->pMethods->xShmBarrier(real(f)); },
    [](sqlite3_file* f, int del) { return real(f)->pMethods->xShmUnmap(real(f), del); },
    [](sqlite3_file* f, sqlite3_int64 o, int n, void** p) { return real(f)->pMethods->xFetch(real(f), o, n, p); },
    [](sqlite3_file* f, sqlite3_int64 o, void* p) { return real(f)->pMethods->xUnfetch(real(f), o, p); },
};

int shimOpen(sqlite3_vfs*, const char* name, sqlite3_file* f, int flags, int* outFlags) {
  auto* s = reinterpret_cast<ShimFile*>(f);
  s->base.pMethods = nullptr;
  s->real = reinterpret_cast<sqlite3_file*>(s + 1);
  s->path = name;
  WriteFault* fault = InstalledWriteFault();
  if (fault && name && (flags & SQLITE_OPEN_READWRITE) && fault->FailOpen(name)) return SQLITE_CANTOPEN;
  const int rc = realVfs->xOpen(realVfs, name, s->real, flags, outFlags);
  if (s->real->pMethods) s->base.pMethods = &kShimMethods;
  return rc;
}

void registerVfs() {
  static std::once_flag once;
  static sqlite3_vfs shim;
  std::call_once(once, [] {
    realVfs = sqlite3_vfs_find(nullptr);
    shim = *realVfs;
    shim.szOsFile = static_cast<int>(sizeof(ShimFile)) + realVfs->szOsFile;
    shim.zName = kVfsName;
    shim.pNext = nullptr;
    shim.xOpen = shimOpen;
    sqlite3_vfs_register(&shim, 0);
  });
}

// A prepared statement; on a closed database or a failed prepare it gives no rows.
class Query {
 public:
  Query(sqlite3* db, const char* sql) : db_(db) {
    rc_ = db ? sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr) : SQLITE_MISUSE;
  }
  ~Query() { sqlite3_finalize(stmt_); }
  Query(const Query&) = delete;
  Query& operator=(const Query&) = delete;

  Query& Bind(const std::string& v) {
    if (stmt_) sqlite3_bind_text(stmt_, ++bound_, v.data(), static_cast<int>(v.size()), SQLITE_TRANSIENT);
    return *this;
  }
  Query& Bind(std::int64_t v) {
    if (stmt_) sqlite3_bind_int64(stmt_, ++bound_, v);
    return *this;
  }
  // The next row; false at the end or on an error (see Rc).
  bool Next() { return stmt_ && (rc_ = sqlite3_step(stmt_)) == SQLITE_ROW; }
  bool Done() const { return rc_ == SQLITE_DONE; }
  int Rc() const { return rc_; }
  bool IsNull(int c) const { return sqlite3_column_type(stmt_, c) == SQLITE_NULL; }
  std::int64_t Int(int c) const { return sqlite3_column_int64(stmt_, c); }
  std::string Text(int c) const {
    const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, c));
    return p ? std::string(p, static_cast<std::size_t>(sqlite3_column_bytes(stmt_, c))) : std::string();
  }
  std::string Error() const { return db_ ? sqlite3_errmsg(db_) : "the progress is not open"; }

 private:
  sqlite3* db_;
  sqlite3_stmt* stmt_ = nullptr;
  int rc_ = SQLITE_OK;
  int bound_ = 0;
};

enum class Kind { Empty, Ours, Newer, Foreign, Damaged, Unreadable };

bool isDamage(int rc) { return (rc & 0xff) == SQLITE_NOTADB || (rc & 0xff) == SQLITE_CORRUPT; }

// What a file holds. Only SQLite's own "not a database" or "corrupt" counts as damage: a busy or
// unreadable file is never set aside.
Kind inspect(sqlite3* db) {
  Query tables(db, "SELECT name FROM sqlite_schema WHERE type = 'table'");
  if (tables.Rc() != SQLITE_OK) return isDamage(tables.Rc()) ? Kind::Damaged : Kind::Unreadable;
  int ours = 0, others = 0;
  while (tables.Next()) {
    const std::string name = tables.Text(0);
    (name == "solves" || name == "visits" || name == "places" || name == "settings" ? ours : others)++;
  }
  if (!tables.Done()) return isDamage(tables.Rc()) ? Kind::Damaged : Kind::Unreadable;
  std::int64_t values[2] = {0, 0};
  const char* pragmas[2] = {"PRAGMA application_id", "PRAGMA user_version"};
  for (int k = 0; k < 2; ++k) {
    Query q(db, pragmas[k]);
    if (!q.Next()) return isDamage(q.Rc()) ? Kind::Damaged : Kind::Unreadable;
    values[k] = q.Int(0);
  }
  const auto [app, version] = values;
  if (app == 0 && version == 0 && ours + others == 0) return Kind::Empty;
  if (app != kApplicationId) return Kind::Foreign;
  if (version > kSchemaVersion) return Kind::Newer;
  if (version < kSchemaVersion || ours != 4 || others != 0) return Kind::Damaged;
  Query check(db, "PRAGMA quick_check");
  if (!check.Next()) return isDamage(check.Rc()) ? Kind::Damaged : Kind::Unreadable;
  return check.Text(0) == "ok" ? Kind::Ours : Kind::Damaged;
}

bool exec(sqlite3* db, const char* sql) { return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK; }

sqlite3* openDb(const std::string& path, int flags, const char* vfs) {
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(path.c_str(), &db, flags, vfs) != SQLITE_OK) {
    sqlite3_close(db);
    return nullptr;
  }
  sqlite3_busy_timeout(db, 2000);
  sqlite3_extended_result_codes(db, 1);
  return db;
}

// The tables, once; a second window opening the same new file at the same time waits and finds them made.
bool createSchema(sqlite3* db) {
  if (!exec(db, "BEGIN IMMEDIATE")) return false;
  const std::string sql =
      "CREATE TABLE IF NOT EXISTS solves(key TEXT NOT NULL, size INTEGER NOT NULL, easy INTEGER NOT NULL,"
      " seconds INTEGER NOT NULL, hints INTEGER NOT NULL, shown INTEGER NOT NULL, at INTEGER NOT NULL);"
      "CREATE INDEX IF NOT EXISTS solves_key ON solves(key);"
      "CREATE TABLE IF NOT EXISTS visits(key TEXT PRIMARY KEY, seconds INTEGER NOT NULL, chain TEXT NOT NULL);"
      "CREATE TABLE IF NOT EXISTS places(file TEXT PRIMARY KEY, number INTEGER NOT NULL);"
      "CREATE TABLE IF NOT EXISTS settings(name TEXT PRIMARY KEY, value TEXT NOT NULL);"
      "PRAGMA application_id = " + std::to_string(kApplicationId) + ";"
      "PRAGMA user_version = " + std::to_string(kSchemaVersion) + ";";
  if (exec(db, sql.c_str()) && exec(db, "COMMIT")) return true;
  exec(db, "ROLLBACK");
  return false;
}

std::string today() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[16];
  std::strftime(text, sizeof text, "%Y-%m-%d", &local);
  return text;
}

std::string nameOf(const std::string& path) { return fs::path(path).filename().string(); }

// Moves the file and its journal files to "<path>.damaged-DATE[-n]"; the new name, or "" when that failed.
std::string setAside(const std::string& path) {
  const std::string stem = path + ".damaged-" + today();
  std::string target = stem;
  std::error_code ec;
  for (int n = 2; fs::exists(target, ec) || fs::exists(target + "-wal", ec) || fs::exists(target + "-journal", ec);
       ++n)
    target = stem + "-" + std::to_string(n);
  WriteFault* fault = InstalledWriteFault();
  if (fault && fault->FailRename(target)) return {};
  fs::rename(path, target, ec);
  if (ec) return {};
  // A journal left beside the new file would be played into it.
  for (const char* side : {"-wal", "-shm", "-journal"})
    if (fs::exists(path + side, ec)) fs::rename(path + side, target + side, ec);
  return target;
}

}  // namespace

std::string PuzzleKey(std::string_view cells, int markedCell) {
  return std::string(cells) + "@" + std::to_string(markedCell);
}

struct ProgressStore::Impl {
  sqlite3* db = nullptr;
  bool persistent = false;
  bool readOnly = false;
  std::string path, error;

  void Close() {
    sqlite3_close(db);
    db = nullptr;
    persistent = false;
  }

  // Progress for this run only.
  std::string InMemory(std::string message) {
    Close();
    db = openDb(":memory:", SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (db && !createSchema(db)) Close();
    return message;
  }

  // One statement in its own transaction; a failure rolls it back.
  template <typename Fill>
  bool Write(const char* sql, Fill fill) {
    if (!db || readOnly) {
      error = db ? "the progress was opened for reading only" : "the progress is not open";
      return false;
    }
    if (!exec(db, "BEGIN IMMEDIATE")) {
      error = sqlite3_errmsg(db);
      return false;
    }
    {
      Query q(db, sql);
      fill(q);
      q.Next();
      if (!q.Done()) {
        error = q.Error();
        exec(db, "ROLLBACK");
        return false;
      }
    }
    if (exec(db, "COMMIT")) return true;
    error = sqlite3_errmsg(db);
    if (!sqlite3_get_autocommit(db)) exec(db, "ROLLBACK");
    return false;
  }
};

ProgressStore::ProgressStore() : impl_(std::make_unique<Impl>()) {}
ProgressStore::~ProgressStore() { impl_->Close(); }

std::string ProgressStore::Open(const std::string& path, bool readOnly) {
  Impl& m = *impl_;
  m.Close();
  m.path = path;
  m.readOnly = readOnly;
  m.error.clear();
  registerVfs();
  std::error_code ec;
  const bool exists = fs::exists(path, ec);
  const std::string name = nameOf(path);
  const std::string newer =
      "The progress file " + name + " was written by a newer Kelvane; it is left as it is and your progress is kept "
      "only until Kelvane closes.";

  if (readOnly) {
    if (!exists) return {};
    m.db = openDb(path, SQLITE_OPEN_READONLY, nullptr);
    const Kind kind = m.db ? inspect(m.db) : Kind::Unreadable;
    if (kind == Kind::Ours || kind == Kind::Empty) {
      m.persistent = true;
      return {};
    }
    m.Close();
    switch (kind) {
      case Kind::Newer: return "The progress file " + path + " was written by a newer Kelvane and was not read.";
      case Kind::Foreign: return "The progress file " + path + " belongs to another program and was not read.";
      case Kind::Damaged: return "The progress file " + path + " is damaged and was not read.";
      default: return "The progress file " + path + " cannot be read.";
    }
  }

  fs::path folder = fs::path(path).parent_path();
  if (folder.empty()) folder = ".";
  const std::string unwritable = "The folder " + folder.string() +
                                 " cannot be written, so your progress will not be kept after Kelvane closes.";
  fs::create_directories(folder, ec);
  if (!fs::is_directory(folder, ec)) return m.InMemory(unwritable);

  // Opened for writing but only read until it is known to be ours, so that a newer or foreign file stays as it is.
  std::string message;
  m.db = openDb(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, kVfsName);
  if (!m.db || sqlite3_db_readonly(m.db, "main") == 1) return m.InMemory(unwritable);
  Kind kind = inspect(m.db);
  if (kind == Kind::Newer) return m.InMemory(newer);
  if (kind == Kind::Unreadable)
    return m.InMemory(::access(folder.c_str(), W_OK) != 0 || !exists
                          ? unwritable
                          : "The progress file " + path + " cannot be read, so your progress will not be kept "
                            "after Kelvane closes.");
  if (kind == Kind::Damaged || kind == Kind::Foreign) {
    m.Close();
    const std::string aside = setAside(path);
    if (aside.empty())
      return m.InMemory("The progress file " + path + " is damaged and could not be set aside, so your progress "
                        "will not be kept after Kelvane closes.");
    message = std::string(kind == Kind::Damaged ? "The progress file was damaged"
                                                : "The progress file belonged to another program") +
              "; it was set aside as " + nameOf(aside) + " and a new one was started.";
    m.db = openDb(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, kVfsName);
    // Another window may have started the new one already.
    kind = m.db ? inspect(m.db) : Kind::Unreadable;
    if (kind != Kind::Empty && kind != Kind::Ours) return m.InMemory(unwritable);
  }
  // WAL lets a second window read while one writes; NORMAL syncs at checkpoints only, so a crash may lose the
  // last win but never damages the file.
  if (!exec(m.db, "PRAGMA journal_mode = WAL; PRAGMA synchronous = NORMAL") ||
      (kind == Kind::Empty && !createSchema(m.db)))
    return m.InMemory(unwritable);
  m.persistent = true;
  return message;
}

bool ProgressStore::IsOpen() const { return impl_->db != nullptr; }
bool ProgressStore::Persistent() const { return impl_->persistent; }
const std::string& ProgressStore::Path() const { return impl_->path; }
const std::string& ProgressStore::LastError() const { return impl_->error; }

Visit ProgressStore::LoadVisit(const std::string& key) {
  Visit v;
  Query visit(impl_->db, "SELECT seconds, chain FROM visits WHERE key = ?");
  const bool seen = visit.Bind(key).Next();
  if (seen) {
    v.seconds = visit.Int(0);
    v.chain = visit.Text(1);
  }
  Query best(impl_->db, "SELECT min(seconds) FROM solves WHERE key = ?");
  if (best.Bind(key).Next() && !best.IsNull(0)) {
    v.solved = true;
    if (!seen) v.seconds = best.Int(0);
  }
  return v;
}

bool ProgressStore::SaveVisit(const std::string& key, std::int64_t seconds, const std::string& chain) {
  return impl_->Write("INSERT OR REPLACE INTO visits(key, seconds, chain) VALUES(?, ?, ?)",
                      [&](Query& q) { q.Bind(key).Bind(seconds).Bind(chain); });
}

bool ProgressStore::RecordWin(const Solve& s) {
  return impl_->Write("INSERT INTO solves(key, size, easy, seconds, hints, shown, at) VALUES(?, ?, ?, ?, ?, ?, ?)",
                      [&](Query& q) {
                        q.Bind(s.key).Bind(s.size).Bind(s.easy).Bind(s.seconds).Bind(s.hintsUsed);
                        q.Bind(s.solutionShown).Bind(s.when);
                      });
}

bool ProgressStore::IsSolved(const std::string& key) {
  Query q(impl_->db, "SELECT 1 FROM solves WHERE key = ? LIMIT 1");
  return q.Bind(key).Next();
}

std::unordered_set<std::string> ProgressStore::SolvedKeys() {
  std::unordered_set<std::string> keys;
  Query q(impl_->db, "SELECT DISTINCT key FROM solves");
  while (q.Next()) keys.insert(q.Text(0));
  return keys;
}

std::vector<Solve> ProgressStore::Solves() {
  std::vector<Solve> all;
  Query q(impl_->db, "SELECT key, size, easy, seconds, hints, shown, at FROM solves ORDER BY at, rowid");
  while (q.Next())
    all.push_back({q.Text(0), static_cast<int>(q.Int(1)), q.Int(2) != 0, q.Int(3), static_cast<int>(q.Int(4)),
                   q.Int(5) != 0, q.Int(6)});
  return all;
}

bool ProgressStore::SaveLastShown(const std::string& file, int number) {
  return impl_->Write("INSERT OR REPLACE INTO places(file, number) VALUES(?, ?)",
                      [&](Query& q) { q.Bind(file).Bind(number); });
}

int ProgressStore::LastShown(const std::string& file) {
  Query q(impl_->db, "SELECT number FROM places WHERE file = ?");
  return q.Bind(file).Next() ? static_cast<int>(q.Int(0)) : 0;
}

std::string ProgressStore::Setting(const std::string& name, const std::string& fallback) {
  Query q(impl_->db, "SELECT value FROM settings WHERE name = ?");
  return q.Bind(name).Next() ? q.Text(0) : fallback;
}

bool ProgressStore::SetSetting(const std::string& name, const std::string& value) {
  return impl_->Write("INSERT OR REPLACE INTO settings(name, value) VALUES(?, ?)",
                      [&](Query& q) { q.Bind(name).Bind(value); });
}

}  // namespace kelvane
