#pragma once
// Test helpers: logo command streams recorded, written as files and checked for the grammar
// GL needs (every begin ended, nothing drawn outside its block).

#include <string>
#include <vector>

#include "render/logo/logocommand.h"
#include "render/logo/logosequencer.h"

struct RecordedLogo {
    std::vector<LogoCommand> commands;
    int beeps = 0;
};

// Runs a whole file's bytes through a sequencer.
RecordedLogo readbytes(const std::string& bytes);
// A file of the given opcodes (coordinates 1, 2, 3).
std::string fileof(const std::vector<int>& opcodes);
// Empty when the stream is one GL can take (blocks in order and ended, finite coordinates,
// polygons within the tessellator's store); otherwise what is wrong.
std::string grammarfault(const std::vector<LogoCommand>& commands);
std::vector<int> opsof(const std::vector<LogoCommand>& commands);
