// Any bytes as the process command line (one text, or shell words split at newlines): the parser must keep its invariants and never fault.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "app/commandline.h"

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

bool isoption(std::string upper) {
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    static const char* const plain[] = {"/RAMBUFFER", "/DEBUG",   "/Q",        "/QUIT", "/P",
                                        "/PRINT",     "/SAVEBMP", "/SNAPSHOT", "/UL",   "/UR",
                                        "/BL",        "/BR",      "/MIN",      "--NO-SETTINGS"};
    for (const char* option : plain) {
        if (upper == option) return true;
    }
    return upper.rfind("/ARCMODE", 0) == 0 || upper.rfind("/RAPIDMODE", 0) == 0 ||
           upper.rfind("/DIALECT", 0) == 0 || upper.rfind("/TOOLS", 0) == 0;
}

void checkparsed(const CommandLine& cmd) {
    require(cmd.cmdlast >= -1 && cmd.cmdlast <= kCmdWordCapacity - 1);
    require(cmd.cmdarcmode >= 0 && cmd.cmdarcmode <= 2);
    for (int i = 0; i < kCmdWordCapacity; ++i) {
        const std::string& word = cmd.cmdwords[i];
        require(i <= cmd.cmdlast ? !word.empty() : word.empty());
        for (char c : word) {
            auto byte = static_cast<unsigned char>(c);
            require(byte >= 0x20 && byte != '"');
        }
        if (i >= 1 && i <= cmd.cmdlast) require(!isoption(word));
    }
    StartupParameters start = interpretpositional(cmd);
    require(start.ncfilename.size() <= kShortStringMax);
    require(start.ncpath.compare(0, start.ncfilename.size(), start.ncfilename) == 0);
    require(start.openatidle == !start.ncpath.empty());
    require(!(start.zupperlimit < start.zlowerlimit));
}

// Shell words come back word for word, whatever bytes they hold: the first 128 non-empty ones
// are stored, then the options among the parameters are removed.
void checkwords(std::string_view data) {
    std::vector<std::string> args;
    for (std::size_t start = 0; start <= data.size();) {
        std::size_t end = std::min(data.find('\n', start), data.size());
        std::string arg(data.substr(start, end - start));
        args.push_back(arg.substr(0, arg.find('\0')));  // as a C string ends
        start = end + 1;
    }
    std::vector<std::string> expected{args[0].empty() ? "korven" : args[0]};
    int stored = 1;
    for (std::size_t i = 1; i < args.size() && stored < kCmdWordCapacity; ++i) {
        if (args[i].empty()) continue;
        ++stored;
        if (!isoption(args[i])) expected.push_back(args[i]);
    }
    std::vector<const char*> argv;
    for (const std::string& arg : args) argv.push_back(arg.c_str());
    CommandLine cmd;
    cmd.parsewords(static_cast<int>(argv.size()), argv.data());
    require(cmd.cmdlast + 1 == static_cast<int32_t>(expected.size()));
    for (std::size_t i = 0; i < expected.size(); ++i) require(cmd.cmdwords[i] == expected[i]);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    CommandLine cmd;
    cmd.parse(text);
    checkparsed(cmd);
    for (int i = 0; i <= cmd.cmdlast; ++i) (void)cmdnumber(cmd.cmdwords[i]);
    (void)cmdnumber(text);
    (void)cutshortstring(text, size / 2);
    checkwords(text);
    return 0;
}
