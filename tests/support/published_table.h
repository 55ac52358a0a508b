#pragma once
// A published profile table (data/profiles/*.csv): the header's column names and the rows as
// text cells. Quoted cells may hold commas ("L45x45x4,5x/-"). Header only: the data tests link
// nothing of the program.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace tavo::test {

class Csv {
 public:
  explicit Csv(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string line;
    bool header = true;
    while (std::getline(in, line)) {
      if (line.empty()) continue;
      std::vector<std::string> cells(1);
      bool quoted = false;
      for (const char c : line) {
        if (c == '"')
          quoted = !quoted;
        else if (c == ',' && !quoted)
          cells.emplace_back();
        else if (c != '\r')
          cells.back() += c;
      }
      if (header) {
        for (size_t i = 0; i < cells.size(); ++i) columns_[cells[i]] = i;
        header = false;
      } else {
        rows_.push_back(std::move(cells));
      }
    }
  }
  size_t size() const { return rows_.size(); }
  bool empty() const { return rows_.empty(); }
  const std::string& text(size_t row, const std::string& column) const {
    static const std::string none;
    const auto it = columns_.find(column);
    if (it == columns_.end()) ADD_FAILURE() << "no column " << column;
    return it == columns_.end() || it->second >= rows_.at(row).size() ? none : rows_.at(row)[it->second];
  }
  // The whole cell must be a number.
  double value(size_t row, const std::string& column) const {
    const std::string& t = text(row, column);
    char* end = nullptr;
    const double v = std::strtod(t.c_str(), &end);
    if (t.empty() || end != t.c_str() + t.size()) ADD_FAILURE() << "not a number: '" << t << "' in " << column;
    return v;
  }

 private:
  std::map<std::string, size_t> columns_;
  std::vector<std::vector<std::string>> rows_;
};

}  // namespace tavo::test
