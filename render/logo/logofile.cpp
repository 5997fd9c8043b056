#include "render/logo/logofile.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

float floatat(const unsigned char* p) {
    const std::uint32_t bits = static_cast<std::uint32_t>(p[0]) |
                               (static_cast<std::uint32_t>(p[1]) << 8) |
                               (static_cast<std::uint32_t>(p[2]) << 16) |
                               (static_cast<std::uint32_t>(p[3]) << 24);
    float value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

void putfloat(std::string& out, float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<char>((bits >> shift) & 0xFFU));
    }
}

LogoCommand decode(const unsigned char* record) {
    LogoCommand c;
    c.op = static_cast<LogoOp>(static_cast<std::int8_t>(record[0]));
    c.x = floatat(record + 4);
    c.y = floatat(record + 8);
    c.z = floatat(record + 12);
    return c;
}

}  // namespace

LogoReadResult readlogorecords(const LogoByteSource& source, LogoSequencer& sequencer) {
    LogoReadResult result;
    constexpr std::size_t kBuffer = 4096 * kLogoRecordSize;
    std::array<unsigned char, kBuffer> buffer{};
    std::size_t have = 0;
    std::uint64_t offset = 0;  // file offset of buffer[0]
    for (;;) {
        const long n = source(reinterpret_cast<char*>(buffer.data() + have), kBuffer - have);
        if (n < 0) {
            result.ok = false;
            result.error = std::strerror(errno);
            break;
        }
        if (n == 0) break;  // a partial record left in the buffer is ignored
        have += static_cast<std::size_t>(n);
        std::size_t used = 0;
        for (; have - used >= kLogoRecordSize; used += kLogoRecordSize) {
            if (offset + used < kLogoHeaderBytes) continue;
            if (result.records == kMaxLogoRecords) {
                result.capped = true;
                break;
            }
            ++result.records;
            sequencer.put(decode(buffer.data() + used));
        }
        if (result.capped) {
            sequencer.reject();
            break;
        }
        offset += used;
        std::memmove(buffer.data(), buffer.data() + used, have - used);
        have -= used;
    }
    sequencer.finish();
    return result;
}

LogoReadResult readlogofile(const std::string& path, LogoSequencer& sequencer) {
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                                &std::fclose);
    if (!file) {
        LogoReadResult failed;
        failed.ok = false;
        failed.error = std::strerror(errno);
        sequencer.finish();
        return failed;
    }
    return readlogorecords(
        [&](char* buffer, std::size_t size) -> long {
            const std::size_t n = std::fread(buffer, 1, size, file.get());
            if (n == 0 && std::ferror(file.get())) return -1;
            return static_cast<long>(n);
        },
        sequencer);
}

void appendlogorecord(std::string& out, LogoOp op, float x, float y, float z) {
    out.push_back(static_cast<char>(op));
    out.append(3, '\0');
    putfloat(out, x);
    putfloat(out, y);
    putfloat(out, z);
}

std::string logofilebytes(const std::vector<LogoCommand>& commands) {
    std::string out = "KORVEN logo\n";
    out.resize(kLogoHeaderBytes, '\0');
    for (const LogoCommand& c : commands) {
        appendlogorecord(out, c.op, static_cast<float>(c.x), static_cast<float>(c.y),
                         static_cast<float>(c.z));
    }
    return out;
}
