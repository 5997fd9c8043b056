#pragma once
// G16 polar coordinates in the plane in force: the plane's first axis word is the radius, the
// second the angle in degrees, counter-clockwise from the first axis.
//
// A radius in G90 is measured from the work zero, a radius in G91 from where the tool stands
// (that point becomes the centre); an angle in G90 is absolute, in G91 it adds to the last
// angle. A word left out keeps the last radius (and centre) or angle; the first polar point
// after G16 starts from the tool's point seen from the work zero.

struct FanucPolar {
    bool on = false;

    void start() {
        on = true;
        fresh_ = true;
    }
    // The point in the plane; false when the block has neither word.
    bool point(bool hasradius, double radius, bool hasangle, double angle, bool incremental,
               const double current[2], double out[2]);

  private:
    bool fresh_ = true;
    double radius_ = 0, angle_ = 0;
    double centre_[2] = {0, 0};
};
