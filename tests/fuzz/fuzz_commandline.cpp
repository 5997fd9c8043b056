// Any bytes as the process command line: the parser must keep its invariants and never fault.

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
                                        "/BL",        "/BR",      "/MIN"};
    for (const char* option : plain) {
        if (upper == option) return true;
    }
    return upper.rfind("/ARCMODE", 0) == 0 || upper.rfind("/RAPIDMODE", 0) == 0;
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

// Arguments without quotes or control bytes come back word for word, options removed.
void checkroundtrip(std::string_view data) {
    std::vector<std::string> args;
    std::vector<std::string> expected;
    std::size_t start = 0;
    while (start <= data.size() && args.size() < kCmdWordCapacity) {
        std::size_t end = data.find('\n', start);
        if (end == std::string_view::npos) end = data.size();
        std::string arg(data.substr(start, end - start));
        for (char c : arg) {
            if (static_cast<unsigned char>(c) < 0x20 || c == '"') return;
        }
        bool kept = !arg.empty() && (expected.empty() || !isoption(arg));
        if (kept) expected.push_back(arg);
        args.push_back(std::move(arg));
        start = end + 1;
    }
    std::vector<const char*> argv;
    for (const std::string& arg : args) argv.push_back(arg.c_str());
    CommandLine cmd;
    cmd.parse(commandlinetext(static_cast<int>(argv.size()), argv.data()));
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
    checkroundtrip(text);
    return 0;
}
