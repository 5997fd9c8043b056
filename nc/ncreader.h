#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

#include "nc/bytesource.h"
#include "nc/inlining.h"
#include "nc/ncnumber.h"
#include "nc/readertally.h"

using WorkingCallback = std::function<void(const std::string& caption, double fraction)>;

// Splits program text into address words: a capital letter and its number. Reads the
// source in buffers of 10240 bytes, skips comments (acting on the ARCMODE: directive),
// passes carriage returns over, counts line feeds and reports loading progress.
class NcReader {
  public:
    static constexpr int32_t kBufferSize = 10240;
    static constexpr uint8_t kEndOfText = 26;
    static constexpr uint8_t kEscape = 27;
    static constexpr const char* kLoadingCaption = "Loading : ";

    // arcmode is changed in place by ARCMODE: comments.
    NcReader(ByteSource& source, const WorkingCallback& working, int32_t& arcmode);

    // Reads the next word into letter and value; letter is 26 at the end of the text.
    // Inlined into the one loop that splits the whole text: as a call it cost 3 % of a run.
    KORVEN_HOT_INLINE void readword() {
        while (current != kEndOfText && !(current >= 'A' && current <= 'Z')) {
            if (static_cast<uint8_t>(current - 'a') < 26u) {
                skiplowercase();
            } else {
                current = readncchar();
            }
        }
        letter = current;
        if (current == kEndOfText) return;
        bool point = false;
        if (!readnumberfast(point)) readnumber(point);
        // I, J, K, R, X, Y and Z written without a point are in thousandths.
        constexpr uint32_t kScaled =
            (1u << ('I' - 'A')) | (1u << ('J' - 'A')) | (1u << ('K' - 'A')) | (1u << ('R' - 'A')) |
            (1u << ('X' - 'A')) | (1u << ('Y' - 'A')) | (1u << ('Z' - 'A'));
        if (!point && ((kScaled >> (letter - 'A')) & 1u) != 0) {
            // A zero reads the same either way and is not worth a word.
            if (value != 0 && tally.thousandths++ == 0) notefirstthousandth();
            value *= 0.001;
        }
    }

    uint8_t letter = kEndOfText;
    double value = 0.0;
    uint8_t current = kEscape;  // the character after the last word
    int32_t line = 0;           // line feeds read so far
    ReaderTally tally;          // what was passed over or scaled since it was last emptied

  private:
    uint8_t readrawchar() {
        if (++position_ < fill_) return buffer_[static_cast<size_t>(position_)];
        return refill();
    }
    uint8_t readncchar() {
        uint8_t c = readrawchar();
        if (c == '(') c = readcomment();
        while (c == 13) c = readrawchar();
        if (c == 10) {
            countline();
        } else if (c == kEscape) {
            c = kEndOfText;
        }
        return c;
    }
    // The 1-based line of the word just read: its number may have taken the line feed after it.
    int32_t wordline() const { return line + (current == 10 ? 0 : 1); }
    void skiplowercase();
    void notefirstthousandth();
    bool readnumberfast(bool& point);
    void readnumber(bool& point);
    // The counter is 32 bits; a file of more than 2^31 lines wraps it instead of overflowing.
    void countline() { line = static_cast<int32_t>(static_cast<uint32_t>(line) + 1u); }
    uint8_t refill();
    uint8_t readcomment();
    void applydirective(const std::string& upper);
    void progress(double fraction);

    ByteSource& source_;
    const WorkingCallback& working_;
    int32_t& arcmode_;
    int64_t bytesread_ = 0;
    int32_t position_ = -1;
    int32_t fill_ = -1;
    bool exhausted_ = false;
    std::chrono::steady_clock::time_point lastprogress_;
    // The byte past the data always holds a zero, which no number scan takes for a digit,
    // so the fast path scans without bounds checks and compares with the end only once.
    static constexpr size_t kPadding = 1;
    std::array<uint8_t, kBufferSize + kPadding> buffer_{};
};
