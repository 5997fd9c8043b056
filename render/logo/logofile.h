#pragma once
// The custom logo file: 16-byte records (opcode byte, three unused bytes, then x, y, z as
// little-endian single floats) after a 256-byte header that readers skip. Reading streams
// through a fixed buffer, so a file of any size costs the same memory.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "render/logo/logocommand.h"
#include "render/logo/logosequencer.h"

constexpr std::size_t kLogoRecordSize = 16;
constexpr std::size_t kLogoHeaderBytes = 16 * kLogoRecordSize;
// A logo of a million records is far beyond any emblem; past it the file is not a logo and
// the display list would only eat the card's memory.
constexpr std::int64_t kMaxLogoRecords = 1 << 20;

// Fills up to size bytes; returns how many, 0 at the end, -1 on a read error (errno set).
using LogoByteSource = std::function<long(char* buffer, std::size_t size)>;

struct LogoReadResult {
    bool ok = true;       // false: a read error, described in error
    std::string error;    // the system's reason
    std::int64_t records = 0;  // records run through the opcode table
    bool capped = false;  // stopped at kMaxLogoRecords
};

// Runs every record after the header through the sequencer and finishes it, also after an
// error. A last record cut short is ignored.
LogoReadResult readlogorecords(const LogoByteSource& source, LogoSequencer& sequencer);
// The same from a file; a file that cannot be opened gives ok = false.
LogoReadResult readlogofile(const std::string& path, LogoSequencer& sequencer);

// One record as the file holds it (coordinates narrowed to single floats).
void appendlogorecord(std::string& out, LogoOp op, float x = 0, float y = 0, float z = 0);
// A whole file: the header, then one record per command.
std::string logofilebytes(const std::vector<LogoCommand>& commands);
