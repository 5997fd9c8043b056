#pragma once
// Pixel expectations shared by the GUI tests that paint into images.

#include <gtest/gtest.h>

#include <QImage>
#include <initializer_list>

const QRgb kSilver = qRgb(192, 192, 192);
const QRgb kGrey = qRgb(128, 128, 128);
const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kBlack = qRgb(0, 0, 0);

struct PixelCheck {
    int x, y;
    QRgb color;
};

inline void expectPixels(const QImage& image, std::initializer_list<PixelCheck> checks) {
    for (const PixelCheck& p : checks) {
        EXPECT_EQ(image.pixel(p.x, p.y), p.color) << "at " << p.x << "," << p.y;
    }
}
