#include "app/commandline.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace {

constexpr unsigned char kQuote = 0x22;
constexpr unsigned char kSpace = 0x20;

// Options that are accepted and consumed so they never reach the positional parameters.
constexpr std::string_view kReservedOptions[] = {
    "/DEBUG",    "/Q",  "/QUIT", "/P",  "/PRINT", "/SAVEBMP",
    "/SNAPSHOT", "/UL", "/UR",   "/BL", "/BR",    "/MIN",
};

// Upper-cases ASCII letters only: file names may carry bytes of any encoding.
std::string asciiupper(std::string_view word) {
    std::string upper(word);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return upper;
}

int arcmodevalue(std::string_view value, int current) {
    if (value == "0" || value == "STARTCENTER") return 0;
    if (value == "1" || value == "CENTERSTART") return 1;
    if (value == "2" || value == "ABSOLUTE") return 2;
    return current;
}

bool isdecimaldigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t skipdigits(std::string_view s, std::size_t i) {
    while (i < s.size() && isdecimaldigit(s[i])) ++i;
    return i;
}

// The longest leading decimal number of s (no blanks, no sign): digits, fraction, exponent.
// Also reports the decimal exponent of its first significant digit, so that an out-of-range
// conversion can tell overflow from underflow.
struct NumberPrefix {
    std::string_view text;
    long magnitude = 0;
    bool nonzero = false;
};

long readexponent(std::string_view s, std::size_t& i) {
    std::size_t j = i + 1;
    bool negative = false;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) negative = s[j++] == '-';
    if (j >= s.size() || !isdecimaldigit(s[j])) return 0;  // no digits: the 'E' is not part of it
    long value = 0;
    for (; j < s.size() && isdecimaldigit(s[j]); ++j) {
        value = std::min(value * 10 + (s[j] - '0'), 1000000L);  // far beyond any double
    }
    i = j;
    return negative ? -value : value;
}

NumberPrefix numberprefix(std::string_view s) {
    NumberPrefix result;
    std::size_t intend = skipdigits(s, 0);
    std::size_t end = intend;
    if (end < s.size() && s[end] == '.') end = skipdigits(s, end + 1);
    bool hasdigits = intend > 0 || end > intend + 1;
    if (!hasdigits) return result;
    // Position of the first significant digit relative to the decimal point.
    long position = static_cast<long>(intend);
    for (std::size_t i = 0; i < end; ++i) {
        if (s[i] == '.') continue;
        if (s[i] != '0') {
            result.nonzero = true;
            break;
        }
        --position;
    }
    if (end < s.size() && (s[end] == 'e' || s[end] == 'E')) {
        result.magnitude = readexponent(s, end);
    }
    result.magnitude += position;
    result.text = s.substr(0, end);
    return result;
}

}  // namespace

void CommandLine::reset() {
    for (auto& word : cmdwords) word.clear();
    cmdlast = -1;
    cmdarcmode = 0;
    cmdrambuffer = false;
    cmdnosettings = false;
    cmddialect = NcDialect::Korven;
    cmdtools.clear();
}

void CommandLine::parse(std::string_view text) {
    reset();
    splitwords(text.substr(0, text.find('\0')));
    consumeoptions();
}

void CommandLine::parsewords(int argc, const char* const* argv) {
    reset();
    // Entry 0 is the program path even when the caller left it empty: otherwise the first
    // parameter would move into its place and never be examined.
    const bool hasprogram = argc > 0 && argv[0] != nullptr && argv[0][0] != '\0';
    cmdwords[0] = hasprogram ? argv[0] : "korven";
    cmdlast = 0;
    for (int i = 1; i < argc && cmdlast + 1 < kCmdWordCapacity; ++i) {
        if (argv[i] != nullptr && argv[i][0] != '\0') cmdwords[++cmdlast] = argv[i];
    }
    consumeoptions();
}

void CommandLine::splitwords(std::string_view text) {
    bool inquotes = false;
    std::string word;
    auto endword = [&] {
        if (!word.empty() && cmdlast + 1 < kCmdWordCapacity) cmdwords[++cmdlast] = word;
        word.clear();
    };
    for (char c : text) {
        auto byte = static_cast<unsigned char>(c);
        if (byte == kQuote) {
            inquotes = !inquotes;
        } else if (byte > kSpace || (byte == kSpace && inquotes)) {
            word += c;
        } else {
            endword();  // a blank outside quotes, or any control byte even inside quotes
        }
    }
    endword();  // the terminating zero byte
}

void CommandLine::consumeoptions() {
    int i = 1;
    while (i <= cmdlast) {
        if (applyoption(asciiupper(cmdwords[i]), cmdwords[i])) {
            removeword(i);  // the next word moved into i: examine i again
        } else {
            ++i;
        }
    }
}

// Applies the option the upper-cased word names; false when it names none.
bool CommandLine::applyoption(const std::string& upper, const std::string& word) {
    if (upper == "/RAMBUFFER") {
        cmdrambuffer = true;
        return true;
    }
    if (upper == "--NO-SETTINGS") {
        cmdnosettings = true;
        return true;
    }
    for (std::string_view reserved : kReservedOptions) {
        if (upper == reserved) return true;
    }
    if (upper.compare(0, 8, "/ARCMODE") == 0) {
        std::string_view value = upper.size() > 9 ? std::string_view(upper).substr(9) : "";
        cmdarcmode = arcmodevalue(value, cmdarcmode);
        return true;
    }
    if (upper.compare(0, 8, "/DIALECT") == 0) {
        // The same separators as /ARCMODE; an unknown language keeps the earlier choice.
        const std::string_view value = upper.size() > 9 ? std::string_view(upper).substr(9) : "";
        if (value == "NGC") cmddialect = NcDialect::Ngc;
        if (value == "FANUC") cmddialect = NcDialect::Fanuc;
        if (value == "KORVEN") cmddialect = NcDialect::Korven;
        return true;
    }
    if (upper.compare(0, 6, "/TOOLS") == 0) {
        // The file name keeps its case; an empty one keeps the earlier choice.
        if (word.size() > 7) cmdtools = word.substr(7);
        return true;
    }
    return upper.compare(0, 10, "/RAPIDMODE") == 0;
}

void CommandLine::removeword(int i) {
    if (i < 1 || i > cmdlast) return;
    for (int j = i; j < cmdlast; ++j) cmdwords[j] = std::move(cmdwords[j + 1]);
    cmdwords[cmdlast].clear();
    --cmdlast;
}

CommandLine parsecommandline(int argc, const char* const* argv) {
    CommandLine cmd;
    cmd.parsewords(argc, argv);
    return cmd;
}

double cmdnumber(std::string_view word) {
    std::size_t i = 0;
    while (i < word.size() && word[i] == ' ') ++i;
    bool negative = false;
    if (i < word.size() && (word[i] == '+' || word[i] == '-')) negative = word[i++] == '-';
    NumberPrefix prefix = numberprefix(word.substr(i));
    if (prefix.text.empty()) return 0.0;
    double value = 0.0;
    std::errc error = std::from_chars(prefix.text.data(), prefix.text.data() + prefix.text.size(),
                                      value, std::chars_format::general)
                          .ec;
    if (error == std::errc::result_out_of_range) {
        // Beyond the double range: a huge magnitude saturates, a tiny one is zero.
        value =
            prefix.nonzero && prefix.magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (error != std::errc()) {
        value = 0.0;
    }
    return negative ? -value : value;
}

std::string cutshortstring(std::string_view text, std::size_t max) {
    if (text.size() <= max) return std::string(text);
    std::size_t cut = max;
    // Walk back over continuation bytes to the lead byte of the sequence that the cut splits.
    std::size_t lead = cut;
    while (lead > 0 && cut - lead < 3 && (static_cast<unsigned char>(text[lead]) & 0xC0) == 0x80) {
        --lead;
    }
    auto leadbyte = static_cast<unsigned char>(text[lead]);
    std::size_t length = leadbyte >= 0xF0 ? 4 : leadbyte >= 0xE0 ? 3 : leadbyte >= 0xC0 ? 2 : 1;
    if (lead < cut && lead + length > cut) cut = lead;
    return std::string(text.substr(0, cut));
}

StartupParameters interpretpositional(const CommandLine& cmd) {
    StartupParameters start;
    if (!cmd.cmdwords[2].empty()) {
        double a = cmdnumber(cmd.cmdwords[1]);
        double b = cmdnumber(cmd.cmdwords[2]);
        start.zlimitsgiven = true;
        start.zupperlimit = std::max(a, b);
        start.zlowerlimit = std::min(a, b);
        return start;
    }
    start.ncpath = cmd.cmdwords[1];
    start.ncfilename = cutshortstring(start.ncpath);
    start.openatidle = !start.ncpath.empty();
    return start;
}
