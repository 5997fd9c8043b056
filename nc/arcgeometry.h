#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// Chord points of one arc along its two plane axes; an arc never has more than 50 chords.
struct ChordList {
    static constexpr int kMaxChords = 50;
    std::array<double, kMaxChords + 1> first;
    std::array<double, kMaxChords + 1> second;
};

// Angle of (x, y) in radians, from 0 up to 2 pi; (0, 0) gives pi / 2.
double AT(double x, double y);

// Breaks the arc from start to end about start + offset (offsets first read under
// arcmode) into chords: 50 to a full turn. Fills points 0..n and returns n.
int32_t DrawCircleSeg(int32_t motion, int32_t arcmode, double startfirst, double startsecond,
                      double offsetfirst, double offsetsecond, double endfirst, double endsecond,
                      ChordList& chords);

// Centre offsets (from the start point) of the arc of radius R from start to end turning
// in direction 2 (clockwise) or 3; a negative R asks for the longer arc. Returns false,
// with both offsets 0, when the radius is shorter than half the chord or the arithmetic
// overflows so far that this cannot be told.
bool arcradiuscenter(int32_t direction, double& offsetfirst, double& offsetsecond, double r,
                     double startfirst, double startsecond, double endfirst, double endsecond);

// The centre of an R-form arc as the computing readings take it: a radius written rounded up to
// `tolerance` short of half the chord is a half circle, not an arc that cannot reach its end.
// False, with the centre where arcradiuscenter leaves it, when R cannot reach the end point.
bool roundedradiuscentre(int32_t direction, double r, double startfirst, double startsecond,
                         double endfirst, double endsecond, double tolerance, double& centrefirst,
                         double& centresecond);
