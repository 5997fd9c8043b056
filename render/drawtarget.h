#pragma once
// What the frame render draws on: a GL context bound to a picture of a known size. The window's
// drawing surface is one; an off-screen target for pictures without a display is another, so
// both run the very same drawing code.

#include <cstdint>

class DrawTarget {
  public:
    virtual ~DrawTarget() = default;

    // GL can be drawn now (a window's context exists only once it has been shown).
    virtual bool ready() const = 0;
    // Brackets for GL calls: the target's context is current between them.
    virtual void BeginGL() = 0;
    virtual void EndGL() = 0;
    // Presents what has been drawn so far; the context stays current for more drawing.
    virtual void ShowFrame() = 0;
    // Size of the GL picture in pixels.
    virtual int pixelwidth() const = 0;
    virtual int pixelheight() const = 0;
    // Background colour value (red in the low byte).
    virtual uint32_t Color() const = 0;
    // Frames become visible while they are drawn (the slowed-down drawing).
    virtual bool frontbuffer() const = 0;

    // Colour value (red in the low byte) to GL components in 0..1.
    static void ColorToGL(uint32_t color, float& r, float& g, float& b) {
        r = static_cast<float>(color & 255U) / 255.0F;
        g = static_cast<float>((color >> 8) & 255U) / 255.0F;
        b = static_cast<float>((color >> 16) & 255U) / 255.0F;
    }

  protected:
    DrawTarget() = default;
    DrawTarget(const DrawTarget&) = default;
    DrawTarget& operator=(const DrawTarget&) = default;
};
