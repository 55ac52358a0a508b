#include "resources/resource_store.h"

#include <sqlite3.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "core/files.h"
#include "core/module_context.h"
#include "core/text_util.h"

namespace tavo {

namespace fs = std::filesystem;

SqliteResourceStore::~SqliteResourceStore() { Close(); }

void SqliteResourceStore::Close() {
  if (find_) sqlite3_finalize(find_);
  if (db_) sqlite3_close(db_);
  find_ = nullptr;
  db_ = nullptr;
}

bool SqliteResourceStore::Open(const fs::path& path, std::string* error) {
  Close();
  path_ = path;
  auto fail = [&](const std::string& why) {
    if (error) *error = why + ": " + path.string();
    Close();
    return false;
  };
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return fail("Resource store not found");
  // Read-only: the program never changes a store, and a store on a read-only medium must open.
  if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
    return fail(std::string("Resource store cannot be opened (") + (db_ ? sqlite3_errmsg(db_) : "no memory") + ")");
  // Names compare without regard to case, as the store's first users expected.
  const char* sql = "SELECT Image FROM Images WHERE Name = ?1 COLLATE NOCASE AND Image IS NOT NULL LIMIT 1";
  if (sqlite3_prepare_v2(db_, sql, -1, &find_, nullptr) != SQLITE_OK)
    return fail(std::string("Not a resource store (") + sqlite3_errmsg(db_) + ")");
  return true;
}

std::optional<std::string> SqliteResourceStore::Find(std::string_view name) const {
  if (!find_) return std::nullopt;
  sqlite3_reset(find_);
  sqlite3_clear_bindings(find_);
  if (sqlite3_bind_text(find_, 1, name.data(), static_cast<int>(name.size()), SQLITE_TRANSIENT) != SQLITE_OK)
    return std::nullopt;
  std::optional<std::string> result;
  if (sqlite3_step(find_) == SQLITE_ROW) {
    const void* blob = sqlite3_column_blob(find_, 0);
    const int size = sqlite3_column_bytes(find_, 0);
    if (blob && size > 0) result.emplace(static_cast<const char*>(blob), static_cast<size_t>(size));
  }
  sqlite3_reset(find_);
  return result;
}

std::optional<std::string> DirectoryResourceStore::Find(std::string_view name) const {
  // A row name is a file name, never a path.
  if (name.empty() || name.find_first_of("/\\") != std::string_view::npos || name == "." || name == "..")
    return std::nullopt;
  std::error_code ec;
  fs::path file = dir_ / std::string(name);
  if (!fs::is_regular_file(file, ec)) {
    file.clear();
    const std::string wanted = ToUpper(name);
    for (auto it = fs::directory_iterator(dir_, ec); !ec && it != fs::directory_iterator(); it.increment(ec)) {
      if (ToUpper(it->path().filename().string()) == wanted && it->is_regular_file(ec)) {
        file = it->path();
        break;
      }
    }
    if (file.empty()) return std::nullopt;
  }
  auto bytes = ReadWholeFile(file);
  if (!bytes || bytes->empty()) return std::nullopt;
  return bytes;
}

namespace {
const char* StoreFileName(ResourceKind kind) {
  switch (kind) {
    case ResourceKind::Images: return "Ardekon_Images.dat";
    case ResourceKind::Formulas: return "Ardekon_Formulas.dat";
    case ResourceKind::Tables: return "Ardekon_tables.dat";
  }
  return "";
}
}  // namespace

fs::path StorePath(const ModuleContext& ctx, ResourceKind kind) {
  return SuitePath(ctx.installDir) / "bin" / "dat" / StoreFileName(kind);
}

fs::path DeveloperFolder(const fs::path& root, ResourceKind kind) {
  switch (kind) {
    case ResourceKind::Images: return root / "images" / "Modules";
    case ResourceKind::Formulas: return root / "Formulas";
    case ResourceKind::Tables: return root / "tables";
  }
  return root;
}

std::string ResourceName(const ModuleContext& ctx, ResourceKind kind) {
  switch (kind) {
    case ResourceKind::Images: return ctx.moduleKey + ".jpg";
    case ResourceKind::Formulas: return "formula_" + ctx.moduleKey + ".rtf";
    case ResourceKind::Tables: return "table_" + ctx.moduleKey + ".rtf";
  }
  return {};
}

std::unique_ptr<ResourceStore> OpenResourceStore(const ModuleContext& ctx, ResourceKind kind,
                                                 const fs::path& developerRoot, std::string* error) {
  if (!developerRoot.empty()) return std::make_unique<DirectoryResourceStore>(DeveloperFolder(developerRoot, kind));
  auto store = std::make_unique<SqliteResourceStore>();
  if (!store->Open(StorePath(ctx, kind), error)) return nullptr;
  return store;
}

TempResourceFile::~TempResourceFile() {
  if (!path_.empty()) {
    std::error_code ec;
    fs::remove(path_, ec);
  }
}

TempResourceFile::TempResourceFile(TempResourceFile&& other) noexcept : path_(std::move(other.path_)) {
  other.path_.clear();
}

TempResourceFile& TempResourceFile::operator=(TempResourceFile&& other) noexcept {
  if (this != &other) {
    if (!path_.empty()) {
      std::error_code ec;
      fs::remove(path_, ec);
    }
    path_ = std::move(other.path_);
    other.path_.clear();
  }
  return *this;
}

std::optional<TempResourceFile> TempResourceFile::Create(std::string_view bytes, std::string_view suffix,
                                                         const fs::path& dirIn) {
  std::error_code ec;
  const fs::path dir = dirIn.empty() ? fs::temp_directory_path(ec) : dirIn;
  if (ec) return std::nullopt;
  std::string pattern = (dir / "ImgDBXXXXXX").string() + std::string(suffix);
  const int fd = ::mkstemps(pattern.data(), static_cast<int>(suffix.size()));
  if (fd < 0) return std::nullopt;
  TempResourceFile file;
  file.path_ = pattern;
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t w = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (w < 0 && errno == EINTR) continue;
    if (w <= 0) {
      ::close(fd);
      return std::nullopt;  // the destructor removes the partial file
    }
    done += static_cast<size_t>(w);
  }
  if (::close(fd) != 0) return std::nullopt;
  return file;
}

}  // namespace tavo
