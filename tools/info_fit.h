#pragma once
// The "--fit W H [--view NAME]" option of korven-info: after the report, frame the job's
// extents as the window would in a drawing area of W x H pixels under the named preset, and
// print "fit VIEWSCALE CX CY CZ".

#include <string>

#include "view/geometry.h"

struct FitRequest {
    bool wanted = false;  // --fit was given
    int width = 0;
    int height = 0;
    std::string view = "iso1";
    std::string error;  // non-empty: the options were wrong and this says how
};

// Takes "--fit W H" and "--view NAME" out of argv (shifting the rest down and lowering argc),
// so that the remaining arguments can be read as if they had not been there.
FitRequest extractfitoptions(int& argc, char** argv);

// Takes `count` arguments out of argv from `at` on, shifting the rest down.
void removeargs(int& argc, char** argv, int at, int count);

// "fit VIEWSCALE CX CY CZ", each with six decimals, no line end.
std::string fitline(const FitRequest& request, const WorldBox& extents);
