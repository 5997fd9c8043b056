#pragma once

#include <string>
#include <string_view>

// A machine's travel, rates and accelerations, read from a small INI text. Every length is in
// the profile's own unit (mm or inch); rates are lengths per minute, accelerations lengths
// per second squared.
struct MachineProfile {
    struct Axis {
        double min = 0, max = 0;
        double rapid = 0;  // per minute
        double accel = 0;  // per second squared
    };
    bool inch = false;
    double junctiondeviation = 0;
    double toolchangeseconds = 0;
    Axis axis[3];
    double origin[3] = {0, 0, 0};  // the work origin in machine coordinates
};

struct MachineProfileRead {
    MachineProfile profile;
    std::string error;  // empty when the profile is sound; else one line naming the key
};

MachineProfileRead readmachineprofile(std::string_view text);
MachineProfileRead readmachineprofilefile(const std::string& path);

// Factor from a program's lengths to the profile's.
double profilescale(const MachineProfile& profile, bool inchprogram);
