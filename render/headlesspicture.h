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
// whose chords stray a fraction of a pixel from it: the picture barely differs, and drawing
// millions of nodes into a few thousand pixels would cost most of the time. Where few lines
// cross (the outline of a part) a stray of a fraction of a pixel still moves a pixel now and
// then, and a small picture has little besides its outline, so the allowed stray grows with the
// picture; long moves are never merged, and a toolpath with few nodes for the picture's pixels
// is drawn whole. On a 100 MB program, 0.15 pixel at 256 pixels differs in 0.25 % of the lit
// pixels (0.4 pixel and any move merged: 1.1 %); 0.2 pixel at 512 pixels in under 0.4 %.
struct PictureDetail {
    double tolerancepixels = 0.15;     // at a smaller side of 256 pixels, in proportion beyond
    double mosttolerancepixels = 0.2;  // and never more
    double longestpixels = 2.0;        // a node between longer moves is kept
    int smallestside = 128;            // smaller pictures are drawn whole
    // Smaller toolpaths draw fast anyway, and whole they give the window's exact picture.
    int32_t simplifyfrom = 200000;
    double nodesperpixel = 4.0;  // fewer nodes for the picture's pixels: drawn whole

    // The stray allowed in a picture of this size for this many nodes, in pixels; 0: every
    // node is drawn.
    double tolerancefor(int width, int height, int32_t nodes) const;
};

// The surface is width x height pixels; like the window's, its area for fitting is 4 pixels
// smaller each way. The moves into the highlighted nodes are drawn as the window's highlight.
HeadlessPicture drawjobpicture(const NcJob& job, const ViewPreset& preset, int width, int height,
                               const PictureDetail& detail = {}, NodeSpan highlighted = {});

// Writes the picture as PNG; false (and no file left behind) when it cannot be written.
bool savepng(const HeadlessPicture& picture, const std::string& path);
