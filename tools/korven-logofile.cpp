// korven-logofile: writes a custom logo file from a text description of solids, so a logo of
// one's own can replace the third section of the start-up logo.
//
//   korven-logofile OUTPUT.cfg [DESCRIPTION.txt]    (the description from stdin without one)
//
// The description, one statement a line, '#' starts a comment:
//   extents XMIN XMAX YMIN YMAX   the box the logo claims (the view is framed on it)
//   slab ZTOP ZBOTTOM             a solid begins: the outlines that follow, lifted between
//   loop                          a closed outline; its points follow as "X Y" lines
//   end                           the solid is complete
//   section N                     one of the built-in logo's sections (1 to 3) as it is
// Outer outlines run counterclockwise, holes clockwise, so that the walls face outward.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "render/logo/logodesign.h"
#include "render/logo/logofile.h"

namespace {

struct Description {
    std::vector<LogoCommand> commands;
    std::vector<LogoOutline> outlines;
    double ztop = 0, zbottom = 0;
    bool inslab = false;
};

bool numbers(std::istringstream& in, std::vector<double>& values, size_t count) {
    values.assign(count, 0.0);
    for (double& v : values) {
        if (!(in >> v)) return false;
    }
    std::string rest;
    return !(in >> rest);
}

// Takes one line; returns an error text, empty when the line was good.
std::string statement(const std::string& line, Description& d) {
    std::istringstream in(line.substr(0, line.find('#')));
    std::string word;
    if (!(in >> word)) return {};
    std::vector<double> v;
    const LogoSink out = [&](const LogoCommand& c) { d.commands.push_back(c); };
    if (word == "extents") {
        if (!numbers(in, v, 4)) return "extents takes XMIN XMAX YMIN YMAX";
        out({LogoOp::XMin, v[0]});
        out({LogoOp::XMax, v[1]});
        out({LogoOp::YMin, 0, v[2]});
        out({LogoOp::YMax, 0, v[3]});
    } else if (word == "slab") {
        if (d.inslab) return "slab inside a slab";
        if (!numbers(in, v, 2)) return "slab takes ZTOP ZBOTTOM";
        d = Description{std::move(d.commands), {}, v[0], v[1], true};
    } else if (word == "loop") {
        if (!d.inslab || !numbers(in, v, 0)) return "loop belongs inside a slab, alone";
        d.outlines.emplace_back();
    } else if (word == "end") {
        if (!d.inslab || !numbers(in, v, 0)) return "end without a slab";
        for (const LogoOutline& loop : d.outlines) {
            if (loop.size() < 3) return "an outline needs three points";
        }
        extrudeoutlines(d.outlines, d.ztop, d.zbottom, out);
        d.outlines.clear();
        d.inslab = false;
    } else if (word == "section") {
        if (!numbers(in, v, 1) || v[0] < 1 || v[0] > 3) return "section takes 1, 2 or 3";
        emitlogosection(static_cast<int>(v[0]), out);
    } else {
        std::istringstream point(line.substr(0, line.find('#')));
        char* end = nullptr;
        std::strtod(word.c_str(), &end);
        if (*end != '\0') return "unknown statement '" + word + "'";
        if (!numbers(point, v, 2)) return "a point is X Y";
        if (d.outlines.empty()) return "a point outside a loop";
        d.outlines.back().push_back({v[0], v[1]});
    }
    return {};
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::cerr << "usage: korven-logofile OUTPUT.cfg [DESCRIPTION.txt]\n";
        return 2;
    }
    std::ifstream file;
    if (argc == 3) {
        file.open(argv[2]);
        if (!file) {
            std::cerr << argv[2] << ": " << std::strerror(errno) << "\n";
            return 1;
        }
    }
    std::istream& in = argc == 3 ? static_cast<std::istream&>(file) : std::cin;
    Description d;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        const std::string error = statement(line, d);
        if (!error.empty()) {
            std::cerr << "line " << number << ": " << error << "\n";
            return 1;
        }
    }
    if (d.inslab) {
        std::cerr << "the last slab has no end\n";
        return 1;
    }
    const std::string bytes = logofilebytes(d.commands);
    std::FILE* out = std::fopen(argv[1], "wb");
    bool written = out != nullptr && std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    if (out != nullptr) written = std::fclose(out) == 0 && written;
    if (!written) {
        std::cerr << argv[1] << ": " << std::strerror(errno) << "\n";
        return 1;
    }
    std::cout << argv[1] << ": " << d.commands.size() << " records\n";
    return 0;
}
