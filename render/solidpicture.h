#pragma once
// The solid view without a window: the remaining stock of a simulation, lit and shaded by the
// window's own solid view and frame render on an off-screen target, framed like the viewer
// frames a job, with the toolpath over it when asked.

#include "render/headlesspicture.h"

class NcJob;
struct ViewPreset;
namespace sim {
class HeightMap;
}

HeadlessPicture drawsolidpicture(const NcJob& job, const sim::HeightMap& stock,
                                 const ViewPreset& preset, int width, int height,
                                 bool withtoolpath = false);
