// Checks of the shipped profile catalogue (data/cte/stahl.*): that it is what the generator
// makes from the published tables, that it reads back with list input, and that its values
// agree with the tables and with the mechanics the program relies on.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <fstream>
#include <iterator>
#include <map>
#include <ostream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "support/published_table.h"

namespace {

using tavo::test::Csv;

namespace fs = std::filesystem;

const fs::path kTool = TAVO_MAKE_CATALOGUE;
const fs::path kProfiles = TAVO_PROFILES_DIR;
const fs::path kCommitted = TAVO_CTE_DIR;
const fs::path kInstalled = TAVO_INSTALLED_CTE_DIR;

const std::vector<std::string> kFamilies = {"L",   "UNP", "INP", "IPE", "IPB", "IPBL", "IPBV",
                                            "HPE", "HNP", "HPB", "CNP", "CPE",  "CPB"};

std::string slurp(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return "<missing " + file.string() + ">";
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The whole token must be a number; list input would stop at anything else.
bool parseNumber(const std::string& token, double& value) {
    if (token.empty()) return false;
    char* end = nullptr;
    value = std::strtod(token.c_str(), &end);
    return end == token.c_str() + token.size();
}

double num(const std::string& token) {
    double v = 0;
    if (!parseNumber(token, v)) ADD_FAILURE() << "not a number: '" << token << "'";
    return v;
}

// Half a unit in the last written place: the rounding a written value can carry.
double halfUlp(const std::string& token) {
    const auto point = token.find('.');
    const int decimals = point == std::string::npos ? 0 : static_cast<int>(token.size() - point - 1);
    return 0.5 * std::pow(10.0, -decimals);
}

// A catalogue file split the way list input splits it: items are separated by blanks and at
// most one comma (two commas in a row would be an empty item). Lines are kept to check the
// one-record-per-line layout.
struct ListFile {
    std::vector<std::vector<std::string>> lines;
    std::vector<std::string> items;
    bool emptyItem = false;
};

ListFile readList(const fs::path& file) {
    ListFile out;
    std::istringstream in(slurp(file));
    std::string line;
    while (std::getline(in, line)) {
        std::vector<std::string> items;
        std::string current;
        int commas = 0;
        bool pending = false;
        for (const char c : line + ' ') {
            if (c == ',' || c == ' ' || c == '\t' || c == '\r') {
                if (!current.empty()) {
                    items.push_back(current);
                    current.clear();
                    commas = 0;
                    pending = true;
                }
                if (c == ',') {
                    if (++commas > 1 || !pending) out.emptyItem = true;
                }
            } else {
                current += c;
            }
        }
        if (commas > 0) out.emptyItem = true;  // a trailing comma leaves an empty item
        if (items.empty()) continue;
        out.items.insert(out.items.end(), items.begin(), items.end());
        out.lines.push_back(std::move(items));
    }
    return out;
}

using Record = std::vector<std::string>;

// The records of a committed file (its first line is the count).
std::vector<Record> records(const std::string& family) {
    const ListFile f = readList(kCommitted / ("stahl." + family));
    if (f.lines.empty()) return {};
    return {f.lines.begin() + 1, f.lines.end()};
}

const Record* findByFirst(const std::vector<Record>& rs, double first) {
    for (const auto& r : rs)
        if (std::fabs(num(r.at(0)) - first) < 1e-9) return &r;
    return nullptr;
}

bool near(double a, double b, double relative = 1e-12) {
    return std::fabs(a - b) <= relative * std::max(std::fabs(a), std::fabs(b));
}

// ---------------------------------------------------------------------------------------------
// The committed files are the generator's output, and the build installs them unchanged.

class TempDir {
public:
    TempDir() {
        std::mt19937_64 rng(static_cast<unsigned long long>(
            std::chrono::steady_clock::now().time_since_epoch().count()));
        path_ = fs::temp_directory_path() / ("tavo_catalogue_" + std::to_string(rng()));
        fs::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

int runTool(const fs::path& out, const fs::path& profiles) {
    const std::string cmd = "\"" + kTool.string() + "\" \"" + out.string() + "\" \"" + profiles.string() + "\"";
    return std::system(cmd.c_str());
}

TEST(CatalogueGenerator, CommittedFilesEqualFreshOutput) {
    TempDir tmp;
    ASSERT_EQ(runTool(tmp.path(), kProfiles), 0);
    for (const auto& family : kFamilies) {
        const std::string name = "stahl." + family;
        ASSERT_TRUE(fs::exists(tmp.path() / name)) << name << " not written";
        EXPECT_EQ(slurp(kCommitted / name), slurp(tmp.path() / name))
            << name << " differs from the generator's output; rerun make_catalogue";
    }
}

TEST(CatalogueGenerator, FailsWithoutTables) {
    TempDir tmp;
    EXPECT_NE(runTool(tmp.path() / "out", tmp.path() / "no-such-dir"), 0);
    EXPECT_FALSE(fs::exists(tmp.path() / "out" / "stahl.IPE"));
}

TEST(CatalogueInstall, InstalledCopiesEqualCommittedFiles) {
    for (const auto& family : kFamilies) {
        const std::string name = "stahl." + family;
        EXPECT_EQ(slurp(kInstalled / name), slurp(kCommitted / name)) << name;
    }
}

// ---------------------------------------------------------------------------------------------
// Layout: what list input sees.

struct Layout {
    std::string family;
    std::size_t items;
};

void PrintTo(const Layout& l, std::ostream* os) { *os << l.family << " (" << l.items << " items)"; }

class CatalogueLayout : public ::testing::TestWithParam<Layout> {};

TEST_P(CatalogueLayout, ReadsBackWithListInput) {
    const auto [family, width] = GetParam();
    const ListFile f = readList(kCommitted / ("stahl." + family));
    ASSERT_FALSE(f.items.empty());
    EXPECT_FALSE(f.emptyItem) << "an empty item between commas";

    // The count is a 16-bit integer and the file holds exactly that many records.
    const std::string& countText = f.items.front();
    ASSERT_EQ(countText.find_first_not_of("0123456789"), std::string::npos) << countText;
    const long count = std::stol(countText);
    EXPECT_GT(count, 0);
    EXPECT_LE(count, 32767);
    EXPECT_EQ(f.items.size(), 1 + static_cast<std::size_t>(count) * width);
    ASSERT_EQ(f.lines.front().size(), 1u) << "the count stands alone on the first line";
    EXPECT_EQ(f.lines.size(), 1 + static_cast<std::size_t>(count));

    double previous = -1;
    for (std::size_t i = 1; i < f.lines.size(); ++i) {
        const auto& rec = f.lines[i];
        ASSERT_EQ(rec.size(), width) << "record " << i;
        for (const auto& item : rec) {
            double v = 0;
            ASSERT_TRUE(parseNumber(item, v)) << "record " << i << ": '" << item << "'";
            EXPECT_TRUE(std::isfinite(v)) << item;
            EXPECT_GT(v, 0.0) << "record " << i << " item '" << item << "'";
        }
        // Selection takes the first record whose size reaches the key, so sizes must rise.
        EXPECT_GT(num(rec[0]), previous) << "record " << i;
        previous = num(rec[0]);
    }
}

INSTANTIATE_TEST_SUITE_P(AllFamilies, CatalogueLayout,
                         ::testing::Values(Layout{"L", 7}, Layout{"UNP", 8}, Layout{"INP", 9},
                                           Layout{"IPE", 9}, Layout{"IPB", 9}, Layout{"IPBL", 10},
                                           Layout{"IPBV", 10}, Layout{"HPE", 9},
                                           Layout{"HNP", 9}, Layout{"HPB", 9}, Layout{"CNP", 10},
                                           Layout{"CPE", 10}, Layout{"CPB", 10}),
                         [](const auto& info) { return info.param.family; });

// ---------------------------------------------------------------------------------------------
// Rolled I families against the published tables and against a plate-and-fillet model.

struct PublishedI {
    std::string designation;
    double h, b, tw, tf, r, A, Iy, Iz, Wpl;  // mm, cm², cm⁴, cm³
};

std::vector<PublishedI> published(const Csv& t, const std::string& rootColumn,
                                  const std::function<bool(const Csv&, std::size_t)>& take) {
    std::vector<PublishedI> out;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (!take(t, i)) continue;
        out.push_back({t.text(i, "designation"), t.value(i, "h_mm"), t.value(i, "b_mm"), t.value(i, "tw_mm"),
                       t.value(i, "tf_mm"), t.value(i, rootColumn), t.value(i, "A_cm2"), t.value(i, "Iy_cm4"),
                       t.value(i, "Iz_cm4"), t.value(i, "Wpl_y_cm3")});
    }
    return out;
}

std::vector<PublishedI> publishedFamily(const std::string& family) {
    if (family == "IPE") {
        auto v = published(Csv(kProfiles.string() + "/arcelor_ipe.csv"), "r_mm",
                           [](const Csv& t, std::size_t i) { return t.text(i, "series") == "IPE"; });
        // IPE 80 is only in the second table.
        const auto extra = published(Csv(kProfiles.string() + "/eurocodepy_i_profiles.csv"), "r_mm",
                                     [](const Csv& t, std::size_t i) { return t.text(i, "designation") == "IPE 80"; });
        v.insert(v.end(), extra.begin(), extra.end());
        return v;
    }
    // The plain wide-flange series only, not HE AA or the heavier HL and HD rows.
    static const std::map<std::string, std::string> wideFlange = {
        {"IPB", "HE B"}, {"IPBL", "HE A"}, {"IPBV", "HE M"}};
    if (const auto it = wideFlange.find(family); it != wideFlange.end())
        return published(Csv(kProfiles.string() + "/arcelor_he_hl.csv"), "r_mm",
                         [&](const Csv& t, std::size_t i) { return t.text(i, "series") == it->second; });
    return published(Csv(kProfiles.string() + "/arcelor_ipn.csv"), "r1_mm", [](const Csv&, std::size_t) { return true; });
}

// Half of an I as a flange, half a web and two root fillets (pass r = 0 to leave them out).
struct TeeModel {
    double area, moment, centroidFromFlange;  // first moment about the parent's mid-height
};

TeeModel tee(double h, double b, double tw, double tf, double r) {
    const double pi = std::acos(-1.0);
    const double fillet = 2 * (1 - pi / 4) * r * r;
    const double fc = r * (10 - 3 * pi) / (3 * (4 - pi));  // spandrel centroid from its straight edges
    const double web = h / 2 - tf;
    const double area = b * tf + tw * web + fillet;
    const double moment = b * tf * (h / 2 - tf / 2) + tw * web * web / 2 + fillet * (web - fc);
    const double fromFlange = (b * tf * tf / 2 + tw * web * (tf + web / 2) + fillet * (tf + fc)) / area;
    return {area, moment, fromFlange};
}

double modelIx(double h, double b, double tw, double tf, double r) {
    const double pi = std::acos(-1.0);
    const double fillet = 2 * (1 - pi / 4) * r * r;
    const double fc = r * (10 - 3 * pi) / (3 * (4 - pi));
    const double arm = h / 2 - tf - fc;
    return 2 * b * tf * tf * tf / 12 + 2 * b * tf * std::pow((h - tf) / 2, 2) + tw * std::pow(h - 2 * tf, 3) / 12 +
           2 * fillet * arm * arm;
}

// The nine items of a rolled I record (h first) against its published row.
void expectPublishedI(const Record& r, const PublishedI& row) {
    ASSERT_EQ(r.size(), 9u);
    EXPECT_TRUE(near(num(r[0]), row.h / 10));
    EXPECT_TRUE(near(num(r[1]), row.b / 10));
    EXPECT_TRUE(near(num(r[2]), row.tw / 10));
    EXPECT_TRUE(near(num(r[3]), row.tf / 10));
    EXPECT_TRUE(near(num(r[4]), row.r / 10));
    EXPECT_EQ(num(r[5]), row.A);
    EXPECT_EQ(num(r[6]), row.Iy) << "Ix is the table's strong-axis Iy";
    EXPECT_EQ(num(r[7]), row.Iz) << "Iy is the table's weak-axis Iz";
    EXPECT_TRUE(near(num(r[8]), row.Wpl / 2)) << "Sx = Wpl,y/2, got " << r[8];
}

// The nine items of a rolled I record against flanges, web and (with r) root fillets.
void expectPlateModel(const Record& r, bool withFillets, double tol) {
    ASSERT_EQ(r.size(), 9u);
    const double h = num(r[0]), b = num(r[1]), tw = num(r[2]), tf = num(r[3]);
    const double rr = withFillets ? num(r[4]) : 0.0;
    const TeeModel m = tee(h, b, tw, tf, rr);
    EXPECT_NEAR(num(r[5]), 2 * m.area, tol * num(r[5]));
    EXPECT_NEAR(num(r[6]), modelIx(h, b, tw, tf, rr), tol * num(r[6]));
    EXPECT_NEAR(num(r[8]), m.moment, tol * num(r[8]));
    EXPECT_LT(num(r[7]), num(r[6])) << "weak-axis inertia below the strong one";
}

struct IFamily {
    std::string family, half, castellated;
    bool parallelFlanges;   // IPN's tapered flanges are modelled at mean thickness, no fillets
    double modelTolerance;  // the plate model is exact to this share for the family
};

void PrintTo(const IFamily& f, std::ostream* os) { *os << f.family; }

class RolledI : public ::testing::TestWithParam<IFamily> {};

TEST_P(RolledI, RecordsAreThePublishedSizes) {
    const auto& p = GetParam();
    const auto rows = publishedFamily(p.family);
    const auto rs = records(p.family);
    ASSERT_EQ(rs.size(), rows.size()) << "one record per published size";
    for (const auto& row : rows) {
        SCOPED_TRACE(row.designation);
        const Record* rec = findByFirst(rs, row.h / 10);
        ASSERT_NE(rec, nullptr);
        expectPublishedI(*rec, row);
    }
}

TEST_P(RolledI, ValuesAgreeWithPlateModel) {
    const auto& p = GetParam();
    for (const auto& r : records(p.family)) {
        SCOPED_TRACE(p.family + r[0]);
        expectPlateModel(r, p.parallelFlanges, p.modelTolerance);
    }
}

// Two tees back to back without an insert must give back the parent (the program's
// half-profile assembly with h' = h).
TEST_P(RolledI, HalfProfilesReassembleToParent) {
    const auto& p = GetParam();
    const auto parents = records(p.family);
    const auto tees = records(p.half);
    ASSERT_EQ(tees.size(), parents.size());
    for (std::size_t i = 0; i < tees.size(); ++i) {
        const Record& t = tees[i];
        const Record& q = parents[i];
        SCOPED_TRACE(p.half + t[0]);
        for (int k = 0; k < 5; ++k) EXPECT_EQ(t[k], q[k]) << "dimension " << k << " is the parent's";
        const double h = num(t[0]), At = num(t[5]), Ixt = num(t[6]), Iyt = num(t[7]), X = num(t[8]);
        const double arm = h / 2 - X;
        EXPECT_TRUE(near(2 * At, num(q[5])));
        EXPECT_TRUE(near(2 * Iyt, num(q[7])));
        // The own-axis inertia and X are rounded where written; allow what that rounding can move.
        const double dX = halfUlp(t[8]);
        const double i1Slack = 2 * halfUlp(t[6]) + 4 * At * arm * dX + 1e-9 * num(q[6]);
        EXPECT_NEAR(2 * (Ixt + At * arm * arm), num(q[6]), i1Slack);
        EXPECT_NEAR(arm * At, num(q[8]), At * dX + 1e-9 * num(q[8]));
        EXPECT_GT(Ixt, 0.0);
    }
}

// X is measured from the flange's outer face, not from the cut.
TEST_P(RolledI, TeeCentroidLiesNearTheFlange) {
    const auto& p = GetParam();
    for (const auto& t : records(p.half)) {
        SCOPED_TRACE(p.half + t[0]);
        const double h = num(t[0]);
        const TeeModel m = tee(h, num(t[1]), num(t[2]), num(t[3]), p.parallelFlanges ? num(t[4]) : 0.0);
        EXPECT_NEAR(num(t[8]), m.centroidFromFlange, 2 * p.modelTolerance * h / 2);
        EXPECT_LT(num(t[8]), h / 4);
    }
}

TEST_P(RolledI, CastellatedRecordsCarryTheParent) {
    const auto& p = GetParam();
    const auto parents = records(p.family);
    const auto cs = records(p.castellated);
    ASSERT_EQ(cs.size(), parents.size());
    for (std::size_t i = 0; i < cs.size(); ++i) {
        SCOPED_TRACE(p.castellated + cs[i][0]);
        for (int k = 0; k < 8; ++k) EXPECT_EQ(cs[i][k], parents[i][k]) << "item " << k;
        const double h = num(cs[i][0]);
        EXPECT_TRUE(near(num(cs[i][8]), 1.5 * h)) << "castellated depth";
        EXPECT_TRUE(near(num(cs[i][9]), h)) << "opening height";
    }
}

INSTANTIATE_TEST_SUITE_P(Families, RolledI,
                         ::testing::Values(IFamily{"IPE", "HPE", "CPE", true, 0.01},
                                           IFamily{"IPB", "HPB", "CPB", true, 0.01},
                                           IFamily{"INP", "HNP", "CNP", false, 0.02}),
                         [](const auto& info) { return info.param.family; });

// HE A and HE M are selected by their nominal size (HE 200 A is 190 mm high, HE 200 M 220 mm):
// it leads each record, and the nine items after it are laid out as in the other I families.
class NominalSizeI : public ::testing::TestWithParam<std::string> {};

// The nine items after the nominal size.
Record afterNominal(const Record& r) { return r.empty() ? r : Record(r.begin() + 1, r.end()); }

TEST_P(NominalSizeI, RecordsAreThePublishedSizesUnderTheirNominalSize) {
    const std::string& family = GetParam();
    const auto rows = publishedFamily(family);
    const auto rs = records(family);
    ASSERT_FALSE(rows.empty());
    ASSERT_EQ(rs.size(), rows.size()) << "one record per published size";
    for (const auto& row : rows) {
        SCOPED_TRACE(row.designation);
        std::istringstream words(row.designation);  // "HE 200 A"
        std::string prefix;
        double nominalMm = 0;
        ASSERT_TRUE(words >> prefix >> nominalMm);
        const Record* rec = findByFirst(rs, nominalMm / 10);
        ASSERT_NE(rec, nullptr) << "no record under the nominal size";
        ASSERT_EQ(rec->size(), 10u);
        expectPublishedI(afterNominal(*rec), row);
    }
}

TEST_P(NominalSizeI, ValuesAgreeWithPlateModel) {
    for (const auto& r : records(GetParam())) {
        SCOPED_TRACE(GetParam() + r.at(0));
        expectPlateModel(afterNominal(r), true, 0.01);
    }
}

INSTANTIATE_TEST_SUITE_P(Families, NominalSizeI, ::testing::Values("IPBL", "IPBV"),
                         [](const auto& info) { return info.param; });

// ---------------------------------------------------------------------------------------------
// Channels.

TEST(Channels, RecordsAreThePublishedSizes) {
    const Csv t(kProfiles.string() + "/arcelor_upn.csv");
    const auto rs = records("UNP");
    ASSERT_EQ(rs.size(), t.size());
    for (std::size_t i = 0; i < t.size(); ++i) {
        SCOPED_TRACE(t.text(i, "designation"));
        const Record* rec = findByFirst(rs, t.value(i, "h_mm") / 10);
        ASSERT_NE(rec, nullptr);
        const Record& r = *rec;
        EXPECT_TRUE(near(num(r[1]), t.value(i, "b_mm") / 10));
        EXPECT_TRUE(near(num(r[2]), t.value(i, "tw_mm") / 10));
        EXPECT_TRUE(near(num(r[3]), t.value(i, "tf_mm") / 10));
        EXPECT_EQ(num(r[4]), t.value(i, "A_cm2"));
        EXPECT_EQ(num(r[5]), t.value(i, "Iy_cm4"));
        EXPECT_EQ(num(r[6]), t.value(i, "Iz_cm4"));
        EXPECT_EQ(num(r[7]), t.value(i, "ys_cm"));
    }
}

TEST(Channels, CentroidLiesBetweenWebAndFlangeMiddle) {
    for (const auto& r : records("UNP")) {
        SCOPED_TRACE("UNP" + r[0]);
        const double b = num(r[1]), tw = num(r[2]), e = num(r[7]);
        EXPECT_GT(e, tw / 2);
        EXPECT_LT(e, b / 2);
        EXPECT_LT(num(r[6]), num(r[5]));
    }
}

// ---------------------------------------------------------------------------------------------
// Angles.

TEST(Angles, L60IsThe6mmAngle) {
    const auto rs = records("L");
    const Record* r = findByFirst(rs, 6);
    ASSERT_NE(r, nullptr);
    const std::vector<double> expect{6, 0.6, 6.91, 1.69, 22.79, 36.21, 9.38};
    for (std::size_t k = 0; k < expect.size(); ++k) EXPECT_DOUBLE_EQ(num((*r)[k]), expect[k]) << "item " << k;
    EXPECT_NEAR(num((*r)[4]), 22.8, 0.05) << "the usual three-digit figure for I of 60x6";
}

// One record per published leg; its thickness is b/10 when the table has it, otherwise the
// nearest the table has (the thinner of two equally near), and its values are that row's.
TEST(Angles, OneRecordPerLegWithTheNearestThickness) {
    const Csv t(kProfiles.string() + "/arcelor_equal_angles.csv");
    std::map<double, std::vector<std::size_t>> legs;
    for (std::size_t i = 0; i < t.size(); ++i) legs[t.value(i, "b_mm")].push_back(i);
    const auto rs = records("L");
    ASSERT_EQ(rs.size(), legs.size());
    for (const auto& [leg, rows] : legs) {
        SCOPED_TRACE("leg " + std::to_string(leg));
        const Record* rec = findByFirst(rs, leg / 10);
        ASSERT_NE(rec, nullptr);
        const double t0 = num((*rec)[1]) * 10;
        std::size_t chosen = rows.size();
        for (std::size_t k = 0; k < rows.size(); ++k)
            if (std::fabs(t.value(rows[k], "t_mm") - t0) < 1e-9) chosen = k;
        ASSERT_NE(chosen, rows.size()) << "thickness " << t0 << " mm is not published for this leg";
        for (const auto row : rows) {
            const double other = t.value(row, "t_mm");
            const double dOther = std::fabs(other - leg / 10), dChosen = std::fabs(t0 - leg / 10);
            EXPECT_TRUE(dChosen < dOther - 1e-9 || (std::fabs(dChosen - dOther) < 1e-9 && t0 <= other))
                << "thickness " << other << " mm is nearer to " << leg / 10;
        }
        const std::size_t row = rows[chosen];
        EXPECT_EQ(num((*rec)[2]), t.value(row, "A_cm2"));
        EXPECT_EQ(num((*rec)[3]), t.value(row, "zs_eq_ys_cm"));
        EXPECT_EQ(num((*rec)[4]), t.value(row, "Iy_eq_Iz_cm4"));
        EXPECT_EQ(num((*rec)[5]), t.value(row, "Iu_cm4"));
        EXPECT_EQ(num((*rec)[6]), t.value(row, "Iv_cm4"));
    }
}

// The principal moments sum to the moments about any two perpendicular centroidal axes, here
// twice I; a swapped column would break it.
TEST(Angles, PrincipalMomentsSumToTwiceI) {
    for (const auto& r : records("L")) {
        SCOPED_TRACE("L" + r[0]);
        const double slack = halfUlp(r[5]) + halfUlp(r[6]) + 2 * halfUlp(r[4]);
        EXPECT_NEAR(num(r[5]) + num(r[6]), 2 * num(r[4]), slack);
        EXPECT_GT(num(r[5]), num(r[4]));
        EXPECT_LT(num(r[6]), num(r[4]));
        EXPECT_LT(num(r[3]), num(r[0]) / 2) << "centroid inside the leg's first half";
        EXPECT_GT(num(r[3]), num(r[1]) / 2);
    }
}

}  // namespace
