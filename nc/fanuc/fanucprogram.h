#pragma once
// The whole text of a Fanuc-family program, held so that calls and jumps can go back and
// forth in it: a cursor walks it line by line, program headers are found by number and
// sequence numbers by searching the program the cursor is in, as the control searches.

#include <cstdint>
#include <string>
#include <map>
#include <unordered_map>
#include <utility>
#include <vector>

#include "nc/bytesource.h"
#include "nc/ncreader.h"

// A place in the text: the byte offset of a line's start and its line number from 1.
struct FanucPlace {
    int64_t offset = 0;
    int64_t line = 1;
};

class FanucProgram {
  public:
    // Reads the whole source; reports loading progress. Throws NcFileError.
    void load(ByteSource& source, const WorkingCallback& working);
    // Holds the text as given (tests).
    void hold(std::string text) { text_ = std::move(text); }

    int64_t size() const { return static_cast<int64_t>(text_.size()); }
    bool atend(const FanucPlace& at) const { return at.offset >= size(); }
    // The line at `at` (without its line feed), and the place of the line after it.
    void line(const FanucPlace& at, const char*& begin, const char*& end, FanucPlace& next) const;

    // The line after the header of program `number`; false when there is none.
    bool findprogram(int64_t number, FanucPlace& body);
    // The line with sequence number n in the program holding `from`: searched from `from` to
    // the program's end, then from its start, as the control does. False when none has it.
    bool findsequence(int64_t n, const FanucPlace& from, FanucPlace& found) const;
    // The place of the first line at or after `from` whose words start with `keyword` and
    // then the number `n` ("END1"), stopping at the program's end. False when none.
    bool findkeyword(const char* keyword, int64_t n, const FanucPlace& from, FanucPlace& found) const;

  private:
    // Where the program holding `at` starts (the line after its header, or the text's start).
    FanucPlace programstart(const FanucPlace& at) const;
    bool programboundary(const char* begin, const char* end) const;
    void indexheaders();

    std::string text_;
    bool indexed_ = false;
    std::unordered_map<int64_t, FanucPlace> headers_;  // program number -> first body line
    std::vector<FanucPlace> starts_;                   // every program's first body line, in order
    std::vector<int64_t> ends_;                        // and the offset of the line ending it
    // Jumps made again and again (a loop's GOTO or END) search once.
    mutable std::map<std::pair<int64_t, int64_t>, FanucPlace> sequencecache_;
};
