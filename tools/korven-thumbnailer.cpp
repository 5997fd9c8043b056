// korven-thumbnailer -s SIZE INPUT OUTPUT: the picture of an NC program for file managers, as
// the viewer shows it opened in its first isometric view, SIZE x SIZE pixels, as PNG. A
// program that cannot be read leaves no output, so the file manager shows its own icon.

#include <cstdio>
#include <cstring>
#include <string>

#include "nc/ncjob.h"
#include "render/headlesspicture.h"
#include "tools/info_picture.h"
#include "view/orientation.h"

namespace {

int usage(const char* problem) {
    std::fprintf(stderr,
                 "korven-thumbnailer: %s\n"
                 "usage: korven-thumbnailer -s SIZE INPUT OUTPUT\n",
                 problem);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5 || std::strcmp(argv[1], "-s") != 0) return usage("wrong arguments");
    int size = 0;
    if (!readpictureside(argv[2], size)) {
        return usage(("SIZE must be 1 to " + std::to_string(kMaxPictureSide)).c_str());
    }
    const std::string input = argv[3];
    const std::string output = argv[4];

    NcJob job;
    job.arcDataError = [] {};
    try {
        job.InitPlot(0);
        job.interpreting = true;
        job.PlotOnly(input);
    } catch (const NcFileError& error) {
        std::fprintf(stderr, "korven-thumbnailer: %s\n", error.what());
        return 1;
    }
    const HeadlessPicture picture = drawjobpicture(job, viewpreset(ViewPresetId::Iso1), size, size);
    if (!picture.error.empty()) {
        std::fprintf(stderr, "korven-thumbnailer: %s\n", picture.error.c_str());
        return 1;
    }
    if (!savepng(picture, output)) {
        std::fprintf(stderr, "korven-thumbnailer: cannot write %s\n", output.c_str());
        return 1;
    }
    return 0;
}
