#pragma once
// Command-line settings: parsed once at start-up, before the drawing surface and the main
// window exist, and read-only afterwards. Plain C++ so tests and tools can hand it any text.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "nc/ncdialect.h"

// Words kept from the command line: the program path plus 127 parameters.
constexpr int kCmdWordCapacity = 128;
// Short-string length used for the file name shown to the user.
constexpr std::size_t kShortStringMax = 255;

struct CommandLine {
    // Entry 0 is the program path as written; entries 1..cmdlast the remaining parameters.
    // Every entry after cmdlast is empty and no stored word is empty.
    std::array<std::string, kCmdWordCapacity> cmdwords;
    int32_t cmdlast = -1;       // -1 before parsing; 0 when only the program path was given
    int32_t cmdarcmode = 0;     // 0 STARTCENTER, 1 CENTERSTART, 2 ABSOLUTE
    bool cmdrambuffer = false;  // render into a memory bitmap instead of the window
    bool cmdnosettings = false; // --no-settings: the user's settings are neither read nor written
    NcDialect cmddialect = NcDialect::Korven;  // /DIALECT:NGC or /DIALECT:FANUC
    std::string cmdtools;       // /TOOLS:FILE: the tool table, as written; empty when not given

    // Splits the text into words and consumes the options. The text is the whole command
    // line, program path included, as a platform that hands over one text gives it (Windows);
    // it ends at its first zero byte. Parsing again starts afresh.
    void parse(std::string_view text);

    // Takes the words as a POSIX shell has already split and unquoted them: argv[0] is the
    // program path, every other non-empty element one word, quotes and blanks included.
    // Then consumes the options like parse. Parsing again starts afresh.
    void parsewords(int argc, const char* const* argv);

    // Removes entry i (1 <= i <= cmdlast) and shifts the later entries down; other i are ignored.
    void removeword(int i);

  private:
    void reset();
    void splitwords(std::string_view text);
    void consumeoptions();
    bool applyoption(const std::string& upper, const std::string& word);
};

// Convenience for main() and tools: parsewords on a fresh CommandLine.
CommandLine parsecommandline(int argc, const char* const* argv);

// What the main window takes from the positional parameters at creation.
struct StartupParameters {
    bool zlimitsgiven = false;     // two or more parameters: entries 1 and 2 are Z limits
    double zupperlimit = 99.999;   // the larger of the two numbers
    double zlowerlimit = -99.999;  // the smaller of the two numbers
    std::string ncfilename;        // entry 1 cut to kShortStringMax bytes, for display
    std::string ncpath;            // entry 1 whole: open this one, a cut path names another file
    bool openatidle = false;       // a file was named: open it at the first idle moment
};

// Two or more parameters give the Z limits (order irrelevant); otherwise entry 1, if any, is
// the file to open.
StartupParameters interpretpositional(const CommandLine& cmd);

// Reads a Z-limit word: optional leading blanks, sign, digits, fraction, exponent. Only the
// longest leading part that forms such a number counts ("5mm" gives 5); a word with no such
// part gives 0. Magnitudes beyond the double range give an infinity of the same sign.
double cmdnumber(std::string_view word);

// Cuts a text to at most max bytes without splitting a UTF-8 sequence at the cut.
std::string cutshortstring(std::string_view text, std::size_t max = kShortStringMax);
