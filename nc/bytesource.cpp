#include "nc/bytesource.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

[[noreturn]] void fail(const std::string& path, int error) {
    throw NcFileError(path + ": " + std::strerror(error));
}

}  // namespace

FileByteSource::FileByteSource(const std::string& path) : path_(path) {
    do {
        fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    } while (fd_ < 0 && errno == EINTR);
    if (fd_ < 0) fail(path_, errno);
    struct stat info {};
    if (::fstat(fd_, &info) != 0) {
        const int error = errno;
        ::close(fd_);
        fail(path_, error);
    }
    if (S_ISDIR(info.st_mode)) {
        ::close(fd_);
        fail(path_, EISDIR);
    }
    size_ = S_ISREG(info.st_mode) ? static_cast<int64_t>(info.st_size) : 0;
}

FileByteSource::~FileByteSource() {
    if (fd_ >= 0) ::close(fd_);
}

size_t FileByteSource::read(uint8_t* buffer, size_t capacity) {
    size_t got = 0;
    // Fill the whole buffer where the file allows, so short reads from pipes or network
    // file systems do not change where buffers begin.
    while (got < capacity) {
        const ssize_t n = ::read(fd_, buffer + got, capacity - got);
        if (n < 0) {
            if (errno == EINTR) continue;
            fail(path_, errno);
        }
        if (n == 0) {
            atend_ = true;
            break;
        }
        got += static_cast<size_t>(n);
    }
    consumed_ += static_cast<int64_t>(got);
    // A regular file is at its end once its last byte is in the buffer.
    if (size_ > 0 && consumed_ >= size_) atend_ = true;
    return got;
}

size_t MemoryByteSource::read(uint8_t* buffer, size_t capacity) {
    const size_t n = std::min(capacity, bytes_.size() - offset_);
    if (n > 0) std::memcpy(buffer, bytes_.data() + offset_, n);
    offset_ += n;
    return n;
}
