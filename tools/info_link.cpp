#include "tools/info_link.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "nc/lineindex.h"
#include "nc/ncjob.h"
#include "tools/info_fit.h"
#include "view/fittedview.h"
#include "view/pick.h"

namespace {

// A whole number 0..limit followed by `end`; moves text past it.
bool readnumber(const char*& text, int64_t limit, char end, int64_t& value) {
    if (*text < '0' || *text > '9') return false;
    errno = 0;
    char* after = nullptr;
    const long long v = std::strtoll(text, &after, 10);
    if (errno != 0 || v > limit || *after != end) return false;
    value = v;
    text = after;
    return true;
}

bool readpoint(const char* text, int& x, int& y) {
    int64_t a = 0, b = 0;
    if (!readnumber(text, 1000000, ',', a)) return false;
    ++text;
    if (!readnumber(text, 1000000, '\0', b)) return false;
    x = static_cast<int>(a);
    y = static_cast<int>(b);
    return true;
}

bool readlines(const char* text, int64_t& first, int64_t& last) {
    const char* dash = text;
    while (*dash != '\0' && *dash != '-') ++dash;
    constexpr int64_t kLimit = int64_t{1} << 40;
    if (*dash == '\0') {
        if (!readnumber(text, kLimit, '\0', first)) return false;
        last = first;
        return true;
    }
    if (!readnumber(text, kLimit, '-', first)) return false;
    ++text;
    return readnumber(text, kLimit, '\0', last);
}

}  // namespace

LinkRequest extractlinkoptions(int& argc, char** argv) {
    LinkRequest request;
    int i = 1;
    while (i < argc && request.error.empty()) {
        const std::string_view arg = argv[i];
        if (arg == "--pick") {
            if (i + 1 >= argc || !readpoint(argv[i + 1], request.x, request.y)) {
                request.error = "--pick needs X,Y in pixels";
                break;
            }
            request.pick = true;
            removeargs(argc, argv, i, 2);
        } else if (arg == "--highlight") {
            if (i + 1 >= argc || !readlines(argv[i + 1], request.firstline, request.lastline)) {
                request.error = "--highlight needs a line A or lines A-B";
                break;
            }
            request.highlight = true;
            removeargs(argc, argv, i, 2);
        } else {
            ++i;
        }
    }
    return request;
}

int64_t programlinecount(const std::string& path) {
    FileByteSource source(path);
    LineIndex index;
    std::vector<uint8_t> buffer(size_t{1} << 16);
    for (size_t got; (got = source.read(buffer.data(), buffer.size())) > 0;) {
        index.addbytes(buffer.data(), got);
    }
    return index.linecount();
}

std::string highlightproblem(const LinkRequest& request, int64_t linecount) {
    // A line outside the program would highlight nothing and look like a program without it.
    if (linecount < 1) return "--highlight: the program has no lines";
    for (const int64_t line : {request.firstline, request.lastline}) {
        if (line < 1 || line > linecount) {
            return "--highlight: line " + std::to_string(line) + " is not in the program (lines 1 to " +
                   std::to_string(linecount) + ")";
        }
    }
    return {};
}

std::string pickline(const NcJob& job, const ViewPreset& preset, int width, int height, int x,
                     int y) {
    ViewState view;
    fitsurfaceview(view, {job.xmin, job.xmax, job.ymin, job.ymax, job.zmin, job.zmax}, preset,
                   width, height);
    const PickHit hit = pickonce(job.nodes, 0, job.nodes.lastnode(),
                                 pickviewof(view, width, height), x + 0.5, y + 0.5);
    if (hit.node < 0) return "pick none";
    const Tnodedata& n = job.nodes.node(hit.node);
    char line[256];
    std::snprintf(line, sizeof line, "pick %d %.3f %.3f %.3f", static_cast<int>(n.line), n.x, n.y,
                  n.z);
    return line;
}
