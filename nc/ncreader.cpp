#include "nc/ncreader.h"

#include <algorithm>

#include "nc/vectorstate.h"

namespace {

constexpr size_t kShortStringLength = 255;

bool isdecimaldigit(uint8_t c) {
    return c >= '0' && c <= '9';
}
bool isnumberchar(uint8_t c) {
    return isdecimaldigit(c) || c == '-' || c == '.';
}

// Bytes that may not directly follow a number taken by the fast path: those that would
// continue it, and those that readncchar treats specially.
bool endsnofastnumber(uint8_t c) {
    return isnumberchar(c) || c == ' ' || c == '(' || c == 13 || c == NcReader::kEscape;
}

// Appends the digits at p to mantissa, moves p past them and returns how many there were.
// The zero after the buffer's data stops the scan at the end.
int scandigits(const uint8_t*& p, uint64_t& mantissa) {
    const uint8_t* const first = p;
    for (unsigned d; (d = *p - unsigned{'0'}) < 10; ++p) mantissa = mantissa * 10 + d;
    return static_cast<int>(p - first);
}

constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                             1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr uint64_t kExactMantissa = uint64_t{1} << 53;

}  // namespace

NcReader::NcReader(ByteSource& source, const WorkingCallback& working, int32_t& arcmode)
    : source_(source),
      working_(working),
      arcmode_(arcmode),
      lastprogress_(std::chrono::steady_clock::now()) {}

void NcReader::progress(double fraction) {
    if (working_) {
        working_(kLoadingCaption, fraction);
        clearwidevectorstate();  // the screen update ran toolkit and driver code
    }
}

uint8_t NcReader::refill() {
    const size_t got = source_.read(buffer_.data(), kBufferSize);
    fill_ = static_cast<int32_t>(got);
    std::fill_n(buffer_.data() + got, kPadding, uint8_t{0});
    bytesread_ += static_cast<int64_t>(got);
    const auto now = std::chrono::steady_clock::now();
    if (now - lastprogress_ > std::chrono::milliseconds(500)) {
        lastprogress_ = now;
        const int64_t size = source_.size();
        // A file that grows while it is read must not show more than all of it.
        const double read = static_cast<double>(bytesread_);
        progress(size > 0 ? std::min(1.0, read / static_cast<double>(size)) : 1.0);
    }
    if (got > 0) {
        position_ = 0;
        return buffer_[0];
    }
    // Past the end every call delivers the end-of-text byte again.
    position_ = -1;
    exhausted_ = true;
    progress(1.0);
    return kEndOfText;
}

uint8_t NcReader::readcomment() {
    // Everything up to the closing parenthesis belongs to the comment, including carriage
    // returns, ESC and Ctrl-Z bytes; only the real end of the file stops it early.
    std::string text(1, '(');
    const int32_t linebefore = line;
    uint8_t c = 0;
    do {
        c = readrawchar();
        if (text.size() < kShortStringLength) text.push_back(static_cast<char>(c));
        if (c == 10) countline();
    } while (c != ')' && !exhausted_);
    // A comment the text never closes swallows the rest of the file, line feeds included:
    // the block it cut off carries the line where its words stand, not the file's last line.
    if (c != ')') line = linebefore;
    for (char& ch : text) {
        if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
    }
    applydirective(text);
    return readrawchar();
}

void NcReader::applydirective(const std::string& upper) {
    if (upper.size() < 10 || upper.compare(1, 8, "ARCMODE:") != 0) return;
    const std::string mode = upper.substr(9, upper.size() - 10);
    if (mode == "0" || mode == "STARTCENTER") {
        arcmode_ = 0;
    } else if (mode == "1" || mode == "CENTERSTART") {
        arcmode_ = 1;
    } else if (mode == "2" || mode == "ABSOLUTE") {
        arcmode_ = 2;
    }
}

void NcReader::skiplowercase() {
    // Skipped like any stray text, but counted when it is a word: a letter with a number
    // directly after it, not the tail of a run of letters. The byte before it is looked up in
    // the buffer so that the common path keeps no history; at a buffer's start it is unknown
    // and taken for no letter.
    const uint8_t lower = current;
    const uint8_t before = position_ > 0 ? buffer_[static_cast<size_t>(position_ - 1)] : 0;
    current = readncchar();
    const bool afterletter = (before >= 'A' && before <= 'Z') || (before >= 'a' && before <= 'z');
    if (!afterletter && isnumberchar(current)) tally.notelowercase(lower, line + 1);
}

void NcReader::notefirstthousandth() {
    tally.thousandthletter = letter;
    tally.thousandthwritten = value;
    tally.thousandthline = wordline();
}

void NcReader::readnumber(bool& point) {
    NumberText number;
    uint8_t c = 0;
    for (;;) {
        c = readncchar();
        // One blank may stand before each character of the number, two may not.
        if (c == ' ') c = readncchar();
        if (!isnumberchar(c)) break;
        number.push(static_cast<char>(c));
    }
    current = c;
    value = number.value();
    point = number.haspoint();
}

bool NcReader::readnumberfast(bool& point) {
    // The common form: [-]digits[.digits] in the buffer, ended by a byte that needs none of
    // readncchar's special handling. Anything else goes the general way from the start.
    const uint8_t* const end = buffer_.data() + fill_;
    const uint8_t* p = buffer_.data() + position_ + 1;
    const bool negative = *p == '-';
    p += negative;
    uint64_t mantissa = 0;  // wraps on very long numbers, which are sent the general way
    int digits = scandigits(p, mantissa);
    int fraction = 0;
    if (*p == '.') {
        point = true;
        ++p;
        fraction = scandigits(p, mantissa);
        digits += fraction;
    }
    if (digits > 19 || mantissa > kExactMantissa || fraction > 22) return false;
    const uint8_t* t = p;
    if (*t == ' ' || *t == 13) ++t;
    if (t >= end || endsnofastnumber(*t)) return false;
    if (*p == 13 && *t != 10) return false;
    position_ = static_cast<int32_t>(t - buffer_.data());
    current = *t;
    if (current == 10) countline();
    // Both operands exact, one rounding: the quotient is correctly rounded.
    double v = static_cast<double>(mantissa);
    if (fraction > 0) v /= kPow10[fraction];
    if (negative && (digits > 0 || point)) v = -v;
    value = v;
    return true;
}
