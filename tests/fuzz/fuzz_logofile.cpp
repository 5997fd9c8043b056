// Any bytes as a custom logo file: the reader must not fault, and what it hands on must be a
// stream GL can take.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "render/logo/logofile.h"
#include "tests/logo/logostream.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<LogoCommand> commands;
    LogoSequencer sequencer([&](const LogoCommand& c) { commands.push_back(c); }, [] {});
    std::size_t at = 0;
    readlogorecords(
        [&](char* buffer, std::size_t room) -> long {
            // Uneven pieces, so records straddle the reads.
            const std::size_t n = std::min({room, size - at, std::size_t{1} + at % 23});
            std::memcpy(buffer, data + at, n);
            at += n;
            return static_cast<long>(n);
        },
        sequencer);
    if (!grammarfault(commands).empty()) std::abort();
    return 0;
}
