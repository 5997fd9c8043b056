#pragma once
// The link options of korven-info: "--pick X,Y" names the move the viewer would pick at that
// pixel of the fitted picture, "--highlight A[-B]" draws the picture with the moves of lines
// A..B highlighted. Only words are read here.

#include <cstdint>
#include <string>

class NcJob;
struct ViewPreset;

struct LinkRequest {
    bool pick = false;
    int x = 0;
    int y = 0;
    bool highlight = false;
    int64_t firstline = 0;
    int64_t lastline = 0;
    std::string error;  // non-empty: the options were wrong and this says how
};

// Takes "--pick X,Y" and "--highlight A[-B]" out of argv (shifting the rest down).
LinkRequest extractlinkoptions(int& argc, char** argv);

// Lines of the program file as the program pane counts them (the reading may stop early).
// Throws NcFileError.
int64_t programlinecount(const std::string& path);

// What is wrong with the --highlight lines for a program of `linecount` lines, else empty.
std::string highlightproblem(const LinkRequest& request, int64_t linecount);

// "pick LINE X Y Z" (end node of the picked move, three decimals) or "pick none", no line end,
// for a picture of width x height pixels.
std::string pickline(const NcJob& job, const ViewPreset& preset, int width, int height, int x,
                     int y);
