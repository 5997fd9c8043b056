#include "plan/machineprofile.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <vector>

#include "nc/plaintext.h"

namespace {

constexpr const char* kAxisNames[3] = {"x", "y", "z"};

// A finite number and nothing else: "nan", "1e999", "12mm" and "" are refused.
bool number(std::string_view text, double& out) {
    const std::string s(text);
    if (s.empty()) return false;
    char* end = nullptr;
    errno = 0;
    const double v = std::strtod(s.c_str(), &end);
    if (end != s.c_str() + s.size() || errno == ERANGE || !std::isfinite(v)) return false;
    out = v;
    return true;
}

struct Key {
    const char* section;
    const char* name;
    double* value;
    bool positive;  // a rate or allowance: 0 would stall the machine
    bool signedok;  // a position; otherwise 0 or more
    bool seen = false;
};

}  // namespace

MachineProfileRead readmachineprofile(std::string_view text) {
    MachineProfileRead read;
    MachineProfile& p = read.profile;
    std::vector<Key> keys = {
        {"machine", "junction_deviation", &p.junctiondeviation, true, false},
        {"machine", "tool_change_seconds", &p.toolchangeseconds, false, false},
    };
    for (int a = 0; a < 3; ++a) {
        keys.push_back({kAxisNames[a], "min", &p.axis[a].min, false, true});
        keys.push_back({kAxisNames[a], "max", &p.axis[a].max, false, true});
        keys.push_back({kAxisNames[a], "rapid", &p.axis[a].rapid, true, false});
        keys.push_back({kAxisNames[a], "accel", &p.axis[a].accel, true, false});
        keys.push_back({"origin", kAxisNames[a], &p.origin[a], false, true});
    }
    bool unitsseen = false;
    std::string section;
    int lineno = 0;
    auto fail = [&](const std::string& message) {
        read.error = "machine profile line " + std::to_string(lineno) + ": " + message;
        return read;
    };
    while (!text.empty()) {
        const size_t eol = text.find('\n');
        std::string_view line = text.substr(0, eol);
        text.remove_prefix(eol == std::string_view::npos ? text.size() : eol + 1);
        ++lineno;
        const size_t comment = line.find_first_of(";#");
        if (comment != std::string_view::npos) line = line.substr(0, comment);
        line = trimblanks(line);
        if (line.empty()) continue;
        if (line.front() == '[') {
            if (line.back() != ']') return fail("a section name needs its closing ]");
            section = asciilower(trimblanks(line.substr(1, line.size() - 2)));
            if (section != "machine" && section != "origin" && section != "x" && section != "y" &&
                section != "z") {
                return fail("unknown section [" + section + "]");
            }
            continue;
        }
        const size_t eq = line.find('=');
        if (eq == std::string_view::npos) return fail("expected key=value");
        const std::string name = asciilower(trimblanks(line.substr(0, eq)));
        const std::string_view value = trimblanks(line.substr(eq + 1));
        const std::string where = "[" + section + "] " + name;
        if (section == "machine" && name == "units") {
            const std::string unit = asciilower(value);
            if (unit != "mm" && unit != "inch") return fail(where + " must be mm or inch");
            p.inch = unit == "inch";
            unitsseen = true;
            continue;
        }
        Key* key = nullptr;
        for (Key& k : keys) {
            if (section == k.section && name == k.name) key = &k;
        }
        if (key == nullptr) return fail("unknown key " + where);
        if (!number(value, *key->value)) return fail(where + " is not a finite number");
        if (key->positive && !(*key->value > 0)) return fail(where + " must be above 0");
        if (!key->positive && !key->signedok && *key->value < 0) {
            return fail(where + " must not be negative");
        }
        key->seen = true;
    }
    lineno = 0;
    if (!unitsseen) {
        read.error = "machine profile: missing key [machine] units";
        return read;
    }
    for (const Key& k : keys) {
        if (!k.seen) {
            read.error = std::string("machine profile: missing key [") + k.section + "] " + k.name;
            return read;
        }
    }
    for (int a = 0; a < 3; ++a) {
        if (!(p.axis[a].min < p.axis[a].max)) {
            read.error =
                std::string("machine profile: [") + kAxisNames[a] + "] min must be below max";
            return read;
        }
    }
    return read;
}

MachineProfileRead readmachineprofilefile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    // A profile is a few hundred bytes; reading stops long before anything far larger (or
    // endless, such as a device) could hold the caller up.
    std::string text(1 << 20, '\0');
    if (in) in.read(&text[0], static_cast<std::streamsize>(text.size()));
    if (!in && !in.eof()) {
        MachineProfileRead read;
        read.error = "cannot read machine profile " + path;
        return read;
    }
    text.resize(static_cast<size_t>(in.gcount()));
    return readmachineprofile(text);
}

double profilescale(const MachineProfile& profile, bool inchprogram) {
    if (profile.inch == inchprogram) return 1.0;
    return inchprogram ? 25.4 : 1.0 / 25.4;
}
