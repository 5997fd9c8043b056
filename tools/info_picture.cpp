#include "tools/info_picture.h"

#include <cstring>
#include <string_view>

namespace {

void removeargs(int& argc, char** argv, int at, int count) {
    for (int i = at; i + count <= argc; ++i) argv[i] = argv[i + count];
    argc -= count;
}

bool readsize(const char* text, int& width, int& height) {
    const char* x = std::strchr(text, 'x');
    if (x == nullptr) return false;
    const std::string first(text, x);
    return readpictureside(first.c_str(), width) && readpictureside(x + 1, height);
}

}  // namespace

bool readpictureside(const char* text, int& side) {
    const size_t length = std::strlen(text);
    if (length == 0 || length > 5 || std::strspn(text, "0123456789") != length) return false;
    const int value = std::stoi(text);
    if (value < 1 || value > kMaxPictureSide) return false;
    side = value;
    return true;
}

PictureRequest extractpictureoptions(int& argc, char** argv, bool sizealone) {
    PictureRequest request;
    bool sizegiven = false;
    int i = 1;
    while (i < argc) {
        const std::string_view arg = argv[i];
        if (arg == "--png") {
            if (i + 1 >= argc || argv[i + 1][0] == '\0') {
                request.error = "--png needs an output file";
                return request;
            }
            request.wanted = true;
            request.path = argv[i + 1];
            removeargs(argc, argv, i, 2);
        } else if (arg == "--size") {
            if (i + 1 >= argc || !readsize(argv[i + 1], request.width, request.height)) {
                request.error = "--size needs WxH, each side 1 to " +
                                std::to_string(kMaxPictureSide) + " pixels";
                return request;
            }
            sizegiven = true;
            removeargs(argc, argv, i, 2);
        } else {
            ++i;
        }
    }
    if (sizegiven && !request.wanted && !sizealone) request.error = "--size goes with --png";
    return request;
}
