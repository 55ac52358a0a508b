#pragma once
// Pictures and rich-text templates kept as named rows of small store files (bin/dat/*.dat),
// or, in developer mode, as plain files of a developer tree. Callers ask by name and get the
// bytes; nothing here knows what the bytes are.
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace tavo {

struct ModuleContext;

class ResourceStore {
 public:
  virtual ~ResourceStore() = default;
  // The bytes of the named resource; nullopt when there is no such row (or it is empty).
  virtual std::optional<std::string> Find(std::string_view name) const = 0;
  // Where the resources come from, for messages.
  virtual std::string Where() const = 0;
};

// A store file: table "Images" with a text column "Name" and a binary column "Image"; rows
// whose Image is null are not visible. Opened read-only; a lookup is one prepared statement.
class SqliteResourceStore final : public ResourceStore {
 public:
  SqliteResourceStore() = default;
  ~SqliteResourceStore() override;
  SqliteResourceStore(const SqliteResourceStore&) = delete;
  SqliteResourceStore& operator=(const SqliteResourceStore&) = delete;

  // Opens (or reopens) a store; false, with the reason in error, when it is missing or not a store.
  bool Open(const std::filesystem::path& path, std::string* error = nullptr);
  void Close();
  bool IsOpen() const { return find_ != nullptr; }

  std::optional<std::string> Find(std::string_view name) const override;
  std::string Where() const override { return path_.string(); }

 private:
  std::filesystem::path path_;
  sqlite3* db_ = nullptr;
  sqlite3_stmt* find_ = nullptr;
};

// Developer mode: every row is a file of one folder, found by its name (letter case ignored
// when no file has the exact name, as on the developers' original machines).
class DirectoryResourceStore final : public ResourceStore {
 public:
  explicit DirectoryResourceStore(std::filesystem::path dir) : dir_(std::move(dir)) {}
  std::optional<std::string> Find(std::string_view name) const override;
  std::string Where() const override { return dir_.string(); }

 private:
  std::filesystem::path dir_;
};

enum class ResourceKind { Images, Formulas, Tables };

// "bin/dat/Ardekon_Images.dat" and its siblings below the install directory.
std::filesystem::path StorePath(const ModuleContext& ctx, ResourceKind kind);
// The developer tree's folder of a kind: Formulas/, tables/, images/Modules/.
std::filesystem::path DeveloperFolder(const std::filesystem::path& developerRoot, ResourceKind kind);
// The row this module asks for: "formula_tavo.rtf", "table_tavo.rtf", "tavo.jpg".
std::string ResourceName(const ModuleContext& ctx, ResourceKind kind);

// The store of a kind: the developer folder when developerRoot is given, else the store file.
// Null (with the reason in error) when the store file cannot be opened.
std::unique_ptr<ResourceStore> OpenResourceStore(const ModuleContext& ctx, ResourceKind kind,
                                                 const std::filesystem::path& developerRoot = {},
                                                 std::string* error = nullptr);

// A resource written to a uniquely named temporary file for a consumer that needs a file;
// the file goes when this object does.
class TempResourceFile {
 public:
  TempResourceFile() = default;
  ~TempResourceFile();
  TempResourceFile(TempResourceFile&& other) noexcept;
  TempResourceFile& operator=(TempResourceFile&& other) noexcept;
  TempResourceFile(const TempResourceFile&) = delete;
  TempResourceFile& operator=(const TempResourceFile&) = delete;

  // Writes bytes to <dir>/ImgDB<unique><suffix> (dir empty: the system temporary folder).
  static std::optional<TempResourceFile> Create(std::string_view bytes, std::string_view suffix = {},
                                                const std::filesystem::path& dir = {});
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace tavo
