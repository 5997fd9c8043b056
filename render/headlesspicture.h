#pragma once
// Pictures of a job without a window: the frame the viewer's drawing surface shows after
// opening the job in a preset view, drawn by the same frame render and toolpath drawing on an
// off-screen target.

#include <cstdint>
#include <string>
#include <vector>

#include "nc/linenodes.h"

class NcJob;
struct ViewPreset;

struct HeadlessPicture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;  // 8-bit RGB, top row first
    std::string error;         // non-empty: no picture, and this says why (one line)
};

// How closely a picture follows the toolpath. A large toolpath is drawn from a simplified copy
// whose chords stray less than half a pixel from it: the picture barely differs, and drawing
// millions of nodes into a few thousand pixels would cost most of the time.
struct PictureDetail {
    double tolerancepixels = 0.4;  // 0: every node
    // Smaller toolpaths draw fast anyway, and whole they give the window's exact picture.
    int32_t simplifyfrom = 200000;
};

// The surface is width x height pixels; like the window's, its area for fitting is 4 pixels
// smaller each way. The moves into the highlighted nodes are drawn as the window's highlight.
HeadlessPicture drawjobpicture(const NcJob& job, const ViewPreset& preset, int width, int height,
                               const PictureDetail& detail = {}, NodeSpan highlighted = {});

// Writes the picture as PNG; false (and no file left behind) when it cannot be written.
bool savepng(const HeadlessPicture& picture, const std::string& path);
