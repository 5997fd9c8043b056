#pragma once
// Where the programs of a Fanuc-family file start and end, and the header of each program
// number, taken from the text as it goes by in order: a file read in pieces is indexed once,
// on its first pass, and never needs holding whole for it.

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "nc/fanuc/fanucblock.h"

// A place in the text: the byte offset of a line's start and its line number from 1.
struct FanucPlace {
    int64_t offset = 0;
    int64_t line = 1;
};

// A '%' line or an "O1234" / ":1234" header: where one program of the file ends.
bool fanucprogramboundary(const char* begin, const char* end);

class FanucHeaders {
  public:
    // The next bytes of the text, in order.
    void add(const char* bytes, size_t count);
    // The text ended after `size` bytes (all of them added).
    void finish(int64_t size);
    bool complete() const { return complete_; }
    // Bytes added so far.
    int64_t through() const { return added_; }

    // The line after the first header of program `number` among the lines seen so far.
    bool find(int64_t number, FanucPlace& body) const;
    // The program holding the (indexed) place at `offset`: its first body line (the text's start
    // for the first), and the offset of the boundary line ending it, or -1 while none was seen.
    void program(int64_t offset, FanucPlace& start, int64_t& stop) const;

  private:
    void line(const char* begin, const char* end, int64_t nextoffset);

    std::unordered_map<int64_t, FanucPlace> headers_;  // program number -> first body line
    std::vector<FanucPlace> starts_{FanucPlace{}};     // every program's first body line, in order
    std::vector<int64_t> ends_;                        // and the offset of the line ending it
    int64_t added_ = 0;
    int64_t linestart_ = 0;  // of the line being added
    int64_t lineno_ = 1;
    // A line begun in an earlier piece: its bytes so far, kept only while it may still be a
    // boundary (only blanks, or '%', 'O', ':' first).
    bool open_ = false;
    bool keep_ = false;
    std::string pending_;
    bool complete_ = false;
    FanucBlockParser parser_;
    FanucBlock block_;
};
