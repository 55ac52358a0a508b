// make_store: builds a resource store file (SQLite, table "Images" with "Name" and "Image")
// from source files.  Usage: make_store OUTPUT.dat NAME=FILE [NAME=FILE ...]
// The store is written to a temporary file beside OUTPUT and renamed over it when complete,
// so a failed build never leaves a half-written store for the program to open.
#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

bool Exec(sqlite3* db, const char* sql) {
  char* message = nullptr;
  if (sqlite3_exec(db, sql, nullptr, nullptr, &message) != SQLITE_OK) {
    std::cerr << "make_store: " << (message ? message : "SQL error") << '\n';
    sqlite3_free(message);
    return false;
  }
  return true;
}

bool ReadFile(const fs::path& p, std::string& bytes) {
  std::ifstream in(p, std::ios::binary);
  if (!in) return false;
  std::ostringstream ss;
  ss << in.rdbuf();
  bytes = ss.str();
  return !in.bad();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::cerr << "usage: make_store OUTPUT.dat NAME=FILE [NAME=FILE ...]\n";
    return 2;
  }
  const fs::path output = argv[1];
  const fs::path temp = output.string() + ".building";
  std::error_code ec;
  fs::remove(temp, ec);
  if (output.has_parent_path()) fs::create_directories(output.parent_path(), ec);

  sqlite3* db = nullptr;
  if (sqlite3_open_v2(temp.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
    std::cerr << "make_store: cannot create " << temp << '\n';
    sqlite3_close(db);
    return 1;
  }
  bool ok = Exec(db, "PRAGMA journal_mode=OFF;") &&
            Exec(db, "CREATE TABLE Images (Name TEXT NOT NULL, Image BLOB);") && Exec(db, "BEGIN;");
  sqlite3_stmt* insert = nullptr;
  if (ok && sqlite3_prepare_v2(db, "INSERT INTO Images (Name, Image) VALUES (?1, ?2)", -1, &insert, nullptr) != SQLITE_OK)
    ok = false;
  for (int i = 2; ok && i < argc; ++i) {
    const std::string arg = argv[i];
    const auto eq = arg.find('=');
    if (eq == std::string::npos || eq == 0) {
      std::cerr << "make_store: expected NAME=FILE, got " << arg << '\n';
      ok = false;
      break;
    }
    const std::string name = arg.substr(0, eq);
    std::string bytes;
    if (!ReadFile(arg.substr(eq + 1), bytes) || bytes.empty()) {
      std::cerr << "make_store: cannot read " << arg.substr(eq + 1) << '\n';
      ok = false;
      break;
    }
    sqlite3_reset(insert);
    sqlite3_bind_text(insert, 1, name.c_str(), static_cast<int>(name.size()), SQLITE_TRANSIENT);
    sqlite3_bind_blob(insert, 2, bytes.data(), static_cast<int>(bytes.size()), SQLITE_TRANSIENT);
    if (sqlite3_step(insert) != SQLITE_DONE) {
      std::cerr << "make_store: " << sqlite3_errmsg(db) << '\n';
      ok = false;
    }
  }
  sqlite3_finalize(insert);
  ok = ok && Exec(db, "COMMIT;");
  if (sqlite3_close(db) != SQLITE_OK) ok = false;
  if (!ok) {
    fs::remove(temp, ec);
    return 1;
  }
  fs::rename(temp, output, ec);
  if (ec) {
    std::cerr << "make_store: cannot replace " << output << ": " << ec.message() << '\n';
    fs::remove(temp, ec);
    return 1;
  }
  return 0;
}
