#include "tools/info_fit.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "view/orientation.h"
#include "view/viewstate.h"

namespace {

// Larger than any screen; keeps the pixel arithmetic far from overflow.
constexpr long kMaxAreaSide = 1000000;

bool readside(const char* text, int& side) {
    errno = 0;
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || errno != 0 || value < 0 || value > kMaxAreaSide)
        return false;
    side = static_cast<int>(value);
    return true;
}

}  // namespace

void removeargs(int& argc, char** argv, int at, int count) {
    for (int i = at; i + count <= argc; ++i) argv[i] = argv[i + count];
    argc -= count;
}

FitRequest extractfitoptions(int& argc, char** argv) {
    FitRequest request;
    int i = 1;
    while (i < argc && request.error.empty()) {
        const std::string_view arg = argv[i];
        if (arg == "--fit") {
            if (i + 2 >= argc || !readside(argv[i + 1], request.width) ||
                !readside(argv[i + 2], request.height)) {
                request.error = "--fit needs a width and a height in pixels (0 to 1000000)";
                break;
            }
            request.wanted = true;
            removeargs(argc, argv, i, 3);
        } else if (arg == "--view") {
            if (i + 1 >= argc || findviewpreset(argv[i + 1]) == nullptr) {
                request.error = "--view needs one of top, front, left, iso1, iso2, iso3, iso4";
                break;
            }
            request.view = argv[i + 1];
            removeargs(argc, argv, i, 2);
        } else {
            ++i;
        }
    }
    return request;
}

std::string fitline(const FitRequest& request, const WorldBox& extents) {
    ViewState view;
    view.areawidth = request.width;
    view.areaheight = request.height;
    const ViewPreset* preset = findviewpreset(request.view);
    view.setviewangles(preset ? *preset : viewpreset(ViewPresetId::Iso1));
    view.fitjob(extents);
    char line[256];
    std::snprintf(line, sizeof line, "fit %.6f %.6f %.6f %.6f", view.viewscale,
                  view.viewcenter.x, view.viewcenter.y, view.viewcenter.z);
    return line;
}
