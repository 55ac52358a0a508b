// make_catalogue: writes the profile catalogue files cte/stahl.* from the published
// dimension tables kept in data/profiles.
//
//   make_catalogue <output-dir> [<profiles-dir>]
//
// Table values are carried as exact decimals so that a conversion such as 5.7 mm -> 0.57 cm
// never picks up binary noise; only the tee values of the half-profile files are computed
// in floating point, and those are written to six significant digits.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#ifndef MAKE_CATALOGUE_DEFAULT_PROFILES
#define MAKE_CATALOGUE_DEFAULT_PROFILES "data/profiles"
#endif

namespace {

namespace fs = std::filesystem;

[[noreturn]] void fail(const std::string& what) { throw std::runtime_error(what); }

// A table number held exactly as mantissa * 10^exponent.
struct Decimal {
    long long mantissa = 0;
    int exponent = 0;

    static Decimal parse(const std::string& text) {
        Decimal d;
        bool seenPoint = false;
        bool seenDigit = false;
        std::size_t i = 0;
        if (text.empty()) fail("empty number");
        for (; i < text.size(); ++i) {
            const char c = text[i];
            if (c == '.' && !seenPoint) {
                seenPoint = true;
            } else if (c >= '0' && c <= '9') {
                if (d.mantissa > 99'999'999'999'999LL) fail("number too long: " + text);
                d.mantissa = d.mantissa * 10 + (c - '0');
                if (seenPoint) --d.exponent;
                seenDigit = true;
            } else {
                fail("not a plain decimal number: '" + text + "'");
            }
        }
        if (!seenDigit) fail("not a number: '" + text + "'");
        return d.normalised();
    }

    // Drops trailing zeros after the decimal point so 1.50 and 1.5 print alike.
    Decimal normalised() const {
        Decimal d = *this;
        while (d.exponent < 0 && d.mantissa % 10 == 0 && d.mantissa != 0) {
            d.mantissa /= 10;
            ++d.exponent;
        }
        if (d.mantissa == 0) d.exponent = 0;
        return d;
    }

    // Exact value * factor * 10^shift.
    Decimal scaled(long long factor, int shift) const {
        return Decimal{mantissa * factor, exponent + shift}.normalised();
    }
    Decimal mmToCm() const { return scaled(1, -1); }
    Decimal half() const { return scaled(5, -1); }

    double value() const { return static_cast<double>(mantissa) * std::pow(10.0, exponent); }

    std::string text() const {
        std::string digits = std::to_string(mantissa);
        if (exponent >= 0) return digits + std::string(static_cast<std::size_t>(exponent), '0');
        const auto decimals = static_cast<std::size_t>(-exponent);
        if (digits.size() <= decimals) digits.insert(0, decimals - digits.size() + 1, '0');
        digits.insert(digits.size() - decimals, ".");
        return digits;
    }
};

// Six significant digits, trailing zeros trimmed, never exponent notation.
std::string sixDigits(double v) {
    if (!std::isfinite(v)) fail("non-finite derived value");
    if (v == 0.0) return "0";
    const int magnitude = static_cast<int>(std::floor(std::log10(std::fabs(v))));
    const int decimals = 5 - magnitude;
    if (decimals <= 0) {
        const double unit = std::pow(10.0, -decimals);
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.0f", std::round(v / unit) * unit);
        return buf;
    }
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    std::string s = buf;
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
    return s;
}

// CSV with a header line; fields may be double-quoted (the tables quote labels with commas).
class Table {
public:
    explicit Table(const fs::path& file) : name_(file.filename().string()) {
        std::ifstream in(file, std::ios::binary);
        if (!in) fail("cannot open " + file.string());
        std::string line;
        bool header = true;
        while (std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (line.empty()) continue;
            auto fields = split(line);
            if (header) {
                for (std::size_t i = 0; i < fields.size(); ++i) column_[fields[i]] = i;
                width_ = fields.size();
                header = false;
            } else {
                if (fields.size() != width_) fail(name_ + ": row with wrong field count: " + line);
                rows_.push_back(std::move(fields));
            }
        }
    }

    std::size_t size() const { return rows_.size(); }
    const std::string& text(std::size_t row, const std::string& col) const {
        const auto it = column_.find(col);
        if (it == column_.end()) fail(name_ + ": no column " + col);
        return rows_.at(row).at(it->second);
    }
    Decimal number(std::size_t row, const std::string& col) const {
        const std::string& t = text(row, col);
        if (t.empty()) fail(name_ + ": empty " + col + " in row " + text(row, "designation"));
        return Decimal::parse(t);
    }

private:
    static std::vector<std::string> split(const std::string& line) {
        std::vector<std::string> out(1);
        bool quoted = false;
        for (std::size_t i = 0; i < line.size(); ++i) {
            const char c = line[i];
            if (quoted) {
                if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
                    out.back() += '"';
                    ++i;
                } else if (c == '"') {
                    quoted = false;
                } else {
                    out.back() += c;
                }
            } else if (c == '"') {
                quoted = true;
            } else if (c == ',') {
                out.emplace_back();
            } else {
                out.back() += c;
            }
        }
        if (quoted) fail("unterminated quote in: " + line);
        return out;
    }

    std::string name_;
    std::map<std::string, std::size_t> column_;
    std::size_t width_ = 0;
    std::vector<std::vector<std::string>> rows_;
};

// A doubly symmetric rolled I as the tables give it (mm, cm², cm⁴, cm³).
struct IProfile {
    std::string designation;
    Decimal h, b, tw, tf, r, A, Iy, Iz, Wply;
};

IProfile readI(const Table& t, std::size_t row, const std::string& rootRadiusColumn) {
    return IProfile{t.text(row, "designation"), t.number(row, "h_mm"),    t.number(row, "b_mm"),
                    t.number(row, "tw_mm"),     t.number(row, "tf_mm"),   t.number(row, rootRadiusColumn),
                    t.number(row, "A_cm2"),     t.number(row, "Iy_cm4"),  t.number(row, "Iz_cm4"),
                    t.number(row, "Wpl_y_cm3")};
}

void sortByHeight(std::vector<IProfile>& v) {
    std::stable_sort(v.begin(), v.end(),
                     [](const IProfile& a, const IProfile& b) { return a.h.value() < b.h.value(); });
}

// IPE: the main table's plain IPE series, plus any size only the second table lists (IPE 80).
std::vector<IProfile> loadIpe(const fs::path& dir) {
    const Table main(dir / "arcelor_ipe.csv");
    const Table second(dir / "eurocodepy_i_profiles.csv");
    std::vector<IProfile> out;
    for (std::size_t i = 0; i < main.size(); ++i)
        if (main.text(i, "series") == "IPE") out.push_back(readI(main, i, "r_mm"));
    for (std::size_t i = 0; i < second.size(); ++i) {
        if (second.text(i, "designation").rfind("IPE ", 0) != 0) continue;
        IProfile p = readI(second, i, "r_mm");
        const bool known = std::any_of(out.begin(), out.end(),
                                       [&](const IProfile& q) { return q.h.value() == p.h.value(); });
        if (!known) out.push_back(p);
    }
    sortByHeight(out);
    return out;
}

// One plain series of the wide-flange table ("HE A", "HE B", "HE M"; not HE AA or the HL/HD rows).
std::vector<IProfile> loadHe(const Table& t, const std::string& series) {
    std::vector<IProfile> out;
    for (std::size_t i = 0; i < t.size(); ++i)
        if (t.text(i, "series") == series) out.push_back(readI(t, i, "r_mm"));
    sortByHeight(out);
    return out;
}

// IPN has two radii; r1 is the root radius between web and flange.
std::vector<IProfile> loadIpn(const fs::path& dir) {
    const Table t(dir / "arcelor_ipn.csv");
    std::vector<IProfile> out;
    for (std::size_t i = 0; i < t.size(); ++i) out.push_back(readI(t, i, "r1_mm"));
    sortByHeight(out);
    return out;
}

struct Record {
    double key;
    std::string label;
    std::vector<std::string> items;
};

using Catalogue = std::vector<Record>;

void sortByKey(Catalogue& c) {
    std::stable_sort(c.begin(), c.end(), [](const Record& a, const Record& b) { return a.key < b.key; });
}

std::vector<std::string> dims(const IProfile& p) {
    return {p.h.mmToCm().text(), p.b.mmToCm().text(), p.tw.mmToCm().text(), p.tf.mmToCm().text(),
            p.r.mmToCm().text()};
}

Catalogue rolledI(const std::vector<IProfile>& v) {
    Catalogue c;
    for (const auto& p : v) {
        auto items = dims(p);
        // Sx: first moment of half the section, which for a doubly symmetric I is Wpl,y/2.
        for (const auto& d : {p.A, p.Iy, p.Iz, p.Wply.half()}) items.push_back(d.text());
        c.push_back({p.h.mmToCm().value(), p.designation, items});
    }
    return c;
}

// The nominal size in mm a designation names: "HE 200 A" -> 200.
Decimal nominalSize(const std::string& designation) {
    const std::string prefix = "HE ";
    const auto end = designation.find(' ', prefix.size());
    if (designation.rfind(prefix, 0) != 0 || end == std::string::npos)
        fail("no nominal size in " + designation);
    return Decimal::parse(designation.substr(prefix.size(), end - prefix.size()));
}

// HE A and HE M are selected by their nominal size, not their height (HE 200 A is 190 mm
// high), so their records lead with it and are ordered by it.
Catalogue nominalI(const std::vector<IProfile>& v) {
    Catalogue c = rolledI(v);
    for (auto& r : c) {
        const Decimal size = nominalSize(r.label).mmToCm();
        r.key = size.value();
        r.items.insert(r.items.begin(), size.text());
    }
    sortByKey(c);
    return c;
}

// One tee cut at mid-height: its centroid lies Wpl/A from the cut, and its own-axis inertia
// is what remains of Iy/2 after the parallel-axis share.
Catalogue halfProfiles(const std::vector<IProfile>& v) {
    Catalogue c;
    for (const auto& p : v) {
        const double h = p.h.mmToCm().value();
        const double fromCut = p.Wply.value() / p.A.value();
        const double ownIx = p.Iy.value() / 2.0 - p.A.value() / 2.0 * fromCut * fromCut;
        const double fromFlange = h / 2.0 - fromCut;
        if (!(ownIx > 0.0) || !(fromFlange > 0.0) || !(fromFlange < h / 2.0))
            fail("implausible tee from " + p.designation);
        auto items = dims(p);
        items.push_back(p.A.half().text());
        items.push_back(sixDigits(ownIx));
        items.push_back(p.Iz.half().text());
        items.push_back(sixDigits(fromFlange));
        c.push_back({h, p.designation, items});
    }
    return c;
}

// The two trailing items are for the reader's information: the depth of the castellated beam
// and the height of its openings, both set by cutting the parent's web and shifting by h/2.
Catalogue castellated(const std::vector<IProfile>& v) {
    Catalogue c;
    for (const auto& p : v) {
        auto items = dims(p);
        for (const auto& d : {p.A, p.Iy, p.Iz}) items.push_back(d.text());
        items.push_back(p.h.scaled(15, -2).text());
        items.push_back(p.h.mmToCm().text());
        c.push_back({p.h.mmToCm().value(), p.designation, items});
    }
    return c;
}

Catalogue channels(const fs::path& dir) {
    const Table t(dir / "arcelor_upn.csv");
    Catalogue c;
    for (std::size_t i = 0; i < t.size(); ++i) {
        std::vector<std::string> items;
        for (const char* col : {"h_mm", "b_mm", "tw_mm", "tf_mm"}) items.push_back(t.number(i, col).mmToCm().text());
        for (const char* col : {"A_cm2", "Iy_cm4", "Iz_cm4", "ys_cm"}) items.push_back(t.number(i, col).text());
        c.push_back({t.number(i, "h_mm").mmToCm().value(), t.text(i, "designation"), items});
    }
    sortByKey(c);
    return c;
}

// The designation of an angle names only its leg, so each leg gets one thickness: b/10 when the
// table has it, else the nearest one, the thinner on a tie (it gives the lower capacity).
Catalogue angles(const fs::path& dir, std::ostream& log) {
    const Table t(dir / "arcelor_equal_angles.csv");
    std::map<long long, std::size_t> chosen;  // leg in µm -> row
    auto microns = [](const Decimal& mm) { return std::llround(mm.value() * 1000.0); };
    for (std::size_t i = 0; i < t.size(); ++i) {
        const long long leg = microns(t.number(i, "b_mm"));
        const long long target = leg / 10;
        const auto it = chosen.find(leg);
        if (it == chosen.end()) {
            chosen[leg] = i;
            continue;
        }
        const long long thick = microns(t.number(i, "t_mm"));
        const long long held = microns(t.number(it->second, "t_mm"));
        const long long dNew = std::llabs(thick - target);
        const long long dHeld = std::llabs(held - target);
        if (dNew < dHeld || (dNew == dHeld && thick < held)) it->second = i;
    }
    Catalogue c;
    for (const auto& [leg, row] : chosen) {
        const Decimal b = t.number(row, "b_mm");
        const Decimal th = t.number(row, "t_mm");
        if (microns(th) * 10 != leg)
            log << "  L" << b.text() << ": no " << b.mmToCm().text() << " mm thickness, took "
                << t.text(row, "designation") << '\n';
        std::vector<std::string> items{b.mmToCm().text(), th.mmToCm().text()};
        for (const char* col : {"A_cm2", "zs_eq_ys_cm", "Iy_eq_Iz_cm4", "Iu_cm4", "Iv_cm4"})
            items.push_back(t.number(row, col).text());
        c.push_back({b.mmToCm().value(), t.text(row, "designation"), items});
    }
    return c;
}

void write(const fs::path& out, const std::string& family, const Catalogue& c, std::size_t width) {
    // The program picks the first record whose height reaches the key, so a repeated or
    // descending height would hide a profile.
    for (std::size_t i = 0; i < c.size(); ++i) {
        if (c[i].items.size() != width) fail(family + ": wrong item count for " + c[i].label);
        if (i > 0 && !(c[i - 1].key < c[i].key))
            fail(family + ": " + c[i].label + " does not follow " + c[i - 1].label + " in ascending order");
    }
    if (c.empty() || c.size() > 32767) fail(family + ": record count out of range");
    std::ostringstream text;
    text << c.size() << '\n';
    for (const auto& r : c) {
        for (std::size_t i = 0; i < r.items.size(); ++i) text << (i ? ", " : "") << r.items[i];
        text << '\n';
    }
    const fs::path file = out / ("stahl." + family);
    std::ofstream f(file, std::ios::binary | std::ios::trunc);
    if (!f || !(f << text.str()) || !f.flush()) fail("cannot write " + file.string());
    std::cout << "stahl." << family << ": " << c.size() << " records\n";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::cerr << "usage: make_catalogue <output-dir> [<profiles-dir>]\n";
        return 2;
    }
    try {
        const fs::path out = argv[1];
        const fs::path dir = argc == 3 ? fs::path(argv[2]) : fs::path(MAKE_CATALOGUE_DEFAULT_PROFILES);
        fs::create_directories(out);

        const auto ipe = loadIpe(dir);
        const auto ipn = loadIpn(dir);
        const Table wideFlange(dir / "arcelor_he_hl.csv");
        const auto heb = loadHe(wideFlange, "HE B");

        std::ostringstream notes;
        write(out, "L", angles(dir, notes), 7);
        write(out, "UNP", channels(dir), 8);
        write(out, "INP", rolledI(ipn), 9);
        write(out, "IPE", rolledI(ipe), 9);
        write(out, "IPB", rolledI(heb), 9);
        write(out, "IPBL", nominalI(loadHe(wideFlange, "HE A")), 10);
        write(out, "IPBV", nominalI(loadHe(wideFlange, "HE M")), 10);
        write(out, "HPE", halfProfiles(ipe), 9);
        write(out, "HNP", halfProfiles(ipn), 9);
        write(out, "HPB", halfProfiles(heb), 9);
        write(out, "CNP", castellated(ipn), 10);
        write(out, "CPE", castellated(ipe), 10);
        write(out, "CPB", castellated(heb), 10);
        if (!notes.str().empty()) std::cout << "angle legs without a b/10 thickness:\n" << notes.str();
    } catch (const std::exception& e) {
        std::cerr << "make_catalogue: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
