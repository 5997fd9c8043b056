#pragma once
// The picture options of korven-info ("--png OUT [--size WxH]") and the size words shared with
// the thumbnailer. Only words are read here; drawing needs the GL side.

#include <string>

// Sides beyond this would need gigabytes for one picture.
constexpr int kMaxPictureSide = 8192;

struct PictureRequest {
    bool wanted = false;  // --png was given
    std::string path;
    int width = 800;
    int height = 600;
    std::string error;  // non-empty: the options were wrong and this says how
};

// One side in pixels, 1 to kMaxPictureSide, digits only.
bool readpictureside(const char* text, int& side);

// Takes "--png OUT" and "--size WxH" out of argv (shifting the rest down and lowering argc).
// sizealone: something other than a picture (a pick) takes the size too.
PictureRequest extractpictureoptions(int& argc, char** argv, bool sizealone = false);
