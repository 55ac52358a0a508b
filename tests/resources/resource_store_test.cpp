#include "resources/resource_store.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstring>
#include <filesystem>

#include "core/module_context.h"
#include "support/test_support.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::ScratchDir;

// A store as the build makes it, with the rows a test needs (a null Image is a null row).
fs::path MakeStore(const ScratchDir& dir, const std::vector<std::pair<std::string, const char*>>& rows) {
  const fs::path path = dir.path() / "store.dat";
  sqlite3* db = nullptr;
  EXPECT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
  sqlite3_exec(db, "CREATE TABLE Images (Name TEXT, Image BLOB, Note TEXT)", nullptr, nullptr, nullptr);
  sqlite3_stmt* st = nullptr;
  sqlite3_prepare_v2(db, "INSERT INTO Images (Name, Image) VALUES (?1, ?2)", -1, &st, nullptr);
  for (const auto& [name, bytes] : rows) {
    sqlite3_reset(st);
    sqlite3_bind_text(st, 1, name.c_str(), -1, SQLITE_TRANSIENT);
    if (bytes)
      sqlite3_bind_blob(st, 2, bytes, static_cast<int>(std::strlen(bytes)), SQLITE_TRANSIENT);
    else
      sqlite3_bind_null(st, 2);
    EXPECT_EQ(sqlite3_step(st), SQLITE_DONE);
  }
  sqlite3_finalize(st);
  sqlite3_close(db);
  return path;
}

TEST(SqliteResourceStore, FindsRowsByNameIgnoringCaseAndHidesNullImages) {
  ScratchDir dir;
  const auto path = MakeStore(dir, {{"formula_tavo.rtf", "{\\rtf1 x}"}, {"empty.rtf", nullptr}, {"second", "2"},
                                    {"second", "shadowed"}});
  SqliteResourceStore store;
  ASSERT_TRUE(store.Open(path));
  EXPECT_EQ(store.Find("formula_tavo.rtf").value_or(""), "{\\rtf1 x}");
  EXPECT_EQ(store.Find("FORMULA_TAVO.RTF").value_or(""), "{\\rtf1 x}");
  EXPECT_EQ(store.Find("second").value_or(""), "2");  // the first row of a name
  EXPECT_FALSE(store.Find("empty.rtf"));
  EXPECT_FALSE(store.Find("missing"));
  // Repeated lookups reuse the statement.
  EXPECT_TRUE(store.Find("formula_tavo.rtf"));
}

TEST(SqliteResourceStore, NamesAreValuesNeverSql) {
  ScratchDir dir;
  const auto path = MakeStore(dir, {{"it's.rtf", "quote"}, {"a", "A"}});
  SqliteResourceStore store;
  ASSERT_TRUE(store.Open(path));
  EXPECT_EQ(store.Find("it's.rtf").value_or(""), "quote");
  EXPECT_FALSE(store.Find("x' OR '1'='1"));
  EXPECT_FALSE(store.Find("a'; DROP TABLE Images; --"));
  EXPECT_EQ(store.Find("a").value_or(""), "A");
}

TEST(SqliteResourceStore, OpensReadOnlyAndLeavesTheFileAlone) {
  ScratchDir dir;
  const auto path = MakeStore(dir, {{"tavo.jpg", "picture"}});
  const std::string before = ReadFile(path);
  fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  {
    SqliteResourceStore store;
    ASSERT_TRUE(store.Open(path));
    EXPECT_EQ(store.Find("tavo.jpg").value_or(""), "picture");
  }
  EXPECT_EQ(ReadFile(path), before);
  EXPECT_FALSE(fs::exists(path.string() + "-journal"));
}

TEST(SqliteResourceStore, MissingOrForeignFilesFailToOpenWithAReason) {
  ScratchDir dir;
  SqliteResourceStore store;
  std::string error;
  EXPECT_FALSE(store.Open(dir.path() / "nothing.dat", &error));
  EXPECT_NE(error.find("nothing.dat"), std::string::npos);
  EXPECT_FALSE(store.Find("x"));

  const auto text = dir.Write("text.dat", "this is not a database, just some words long enough to be a header");
  error.clear();
  EXPECT_FALSE(store.Open(text, &error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(store.IsOpen());

  // A database without the Images table is not a store either.
  const fs::path other = dir.path() / "other.dat";
  sqlite3* db = nullptr;
  sqlite3_open(other.c_str(), &db);
  sqlite3_exec(db, "CREATE TABLE Pictures (Name TEXT, Image BLOB)", nullptr, nullptr, nullptr);
  sqlite3_close(db);
  EXPECT_FALSE(store.Open(other, &error));
}

TEST(InstalledStores, HoldTheShippedResourcesUnderTheirRowNames) {
  ModuleContext ctx;
  ctx.installDir = std::string(TAVO_INSTALL_TREE) + "/";
  const std::string src = test::SourcePath("data/resources/");
  for (const auto& [kind, file] : {std::pair{ResourceKind::Formulas, "formula_tavo.rtf"},
                                   std::pair{ResourceKind::Tables, "table_tavo.rtf"},
                                   std::pair{ResourceKind::Images, "tavo.png"}}) {
    std::string error;
    auto store = OpenResourceStore(ctx, kind, {}, &error);
    ASSERT_TRUE(store) << error;
    const auto bytes = store->Find(ResourceName(ctx, kind));
    ASSERT_TRUE(bytes) << ResourceName(ctx, kind);
    EXPECT_EQ(*bytes, ReadFile(src + file)) << file;
  }
  EXPECT_EQ(StorePath(ctx, ResourceKind::Images).filename(), "Ardekon_Images.dat");
  EXPECT_EQ(StorePath(ctx, ResourceKind::Formulas).filename(), "Ardekon_Formulas.dat");
  EXPECT_EQ(StorePath(ctx, ResourceKind::Tables).filename(), "Ardekon_tables.dat");
  EXPECT_EQ(ResourceName(ctx, ResourceKind::Images), "tavo.jpg");
}

TEST(DirectoryResourceStore, ReadsFilesByNameButNeverPaths) {
  ScratchDir dir;
  dir.Write("Formulas/formula_tavo.rtf", "{\\rtf1 dev}");
  dir.Write("secret.txt", "outside");
  DirectoryResourceStore store(dir.path() / "Formulas");
  EXPECT_EQ(store.Find("formula_tavo.rtf").value_or(""), "{\\rtf1 dev}");
  EXPECT_EQ(store.Find("Formula_TAVO.rtf").value_or(""), "{\\rtf1 dev}");
  EXPECT_FALSE(store.Find("../secret.txt"));
  EXPECT_FALSE(store.Find("..\\secret.txt"));
  EXPECT_FALSE(store.Find(".."));
  EXPECT_FALSE(store.Find("missing.rtf"));
  dir.Write("Formulas/empty.rtf", "");
  EXPECT_FALSE(store.Find("empty.rtf"));
}

TEST(OpenResourceStore, DeveloperTreeFoldersAndMissingStoreFile) {
  ScratchDir dir;
  dir.Write("tables/table_tavo.rtf", "T");
  dir.Write("images/Modules/tavo.jpg", "P");
  dir.Write("Formulas/formula_tavo.rtf", "F");
  ModuleContext ctx;
  ctx.installDir = dir.str();  // no bin/dat here
  EXPECT_EQ(OpenResourceStore(ctx, ResourceKind::Tables, dir.path())->Find("table_tavo.rtf").value_or(""), "T");
  EXPECT_EQ(OpenResourceStore(ctx, ResourceKind::Images, dir.path())->Find("tavo.jpg").value_or(""), "P");
  EXPECT_EQ(OpenResourceStore(ctx, ResourceKind::Formulas, dir.path())->Find("formula_tavo.rtf").value_or(""), "F");
  std::string error;
  EXPECT_EQ(OpenResourceStore(ctx, ResourceKind::Tables, {}, &error), nullptr);
  EXPECT_NE(error.find("Ardekon_tables.dat"), std::string::npos);
}

TEST(TempResourceFile, UniqueFileWithTheBytesRemovedWhenDone) {
  ScratchDir dir;
  fs::path first, second;
  {
    auto a = TempResourceFile::Create("bytes one", ".rtf", dir.path());
    auto b = TempResourceFile::Create("bytes two", ".rtf", dir.path());
    ASSERT_TRUE(a && b);
    first = a->path();
    second = b->path();
    EXPECT_NE(first, second);
    EXPECT_EQ(first.extension(), ".rtf");
    EXPECT_EQ(first.filename().string().rfind("ImgDB", 0), 0u);
    EXPECT_EQ(ReadFile(first), "bytes one");
    TempResourceFile moved = std::move(*a);
    EXPECT_EQ(moved.path(), first);
    EXPECT_TRUE(a->path().empty());
    EXPECT_TRUE(fs::exists(first));
  }
  EXPECT_FALSE(fs::exists(first));
  EXPECT_FALSE(fs::exists(second));
  EXPECT_FALSE(TempResourceFile::Create("x", "", dir.path() / "no-such-folder"));
}

}  // namespace
}  // namespace tavo
