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
    // Without O_NONBLOCK a FIFO with no writer would hold the open for good; whatever is not
    // a regular file (FIFO, device, directory) is refused before a byte is read.
    do {
        fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    } while (fd_ < 0 && errno == EINTR);
    if (fd_ < 0) fail(path_, errno);
    struct stat info {};
    if (::fstat(fd_, &info) != 0) {
        const int error = errno;
        ::close(fd_);
        fail(path_, error);
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd_);
        throw NcFileError(path_ + ": not a regular file");
    }
    const int flags = ::fcntl(fd_, F_GETFL);
    if (flags >= 0) ::fcntl(fd_, F_SETFL, flags & ~O_NONBLOCK);
    size_ = static_cast<int64_t>(info.st_size);
    mtime_ = info.st_mtim;
}

bool FileByteSource::changed() const {
    // The path, not the open file: a program saved anew under the same name counts too.
    struct stat now {};
    if (::stat(path_.c_str(), &now) != 0) return true;
    return static_cast<int64_t>(now.st_size) != size_ || now.st_mtim.tv_sec != mtime_.tv_sec ||
           now.st_mtim.tv_nsec != mtime_.tv_nsec;
}

FileByteSource::~FileByteSource() {
    if (fd_ >= 0) ::close(fd_);
}

size_t FileByteSource::read(uint8_t* buffer, size_t capacity) {
#ifdef _WIN32
    std::lock_guard<std::mutex> lock(placed_);
#endif
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

size_t ByteSource::readat(int64_t, uint8_t*, size_t) {
    throw NcFileError("the program cannot be read again from a place");
}

size_t FileByteSource::readat(int64_t offset, uint8_t* buffer, size_t capacity) {
    size_t got = 0;
    while (got < capacity) {
        const int64_t at = offset + static_cast<int64_t>(got);
#ifdef _WIN32
        // No positioned read: the place is moved and put back, with read() not running meanwhile.
        std::lock_guard<std::mutex> lock(placed_);
        const int64_t was = ::_lseeki64(fd_, 0, SEEK_CUR);
        int n = -1;
        if (was >= 0 && ::_lseeki64(fd_, at, SEEK_SET) == at) {
            n = ::_read(fd_, buffer + got, static_cast<unsigned>(std::min<size_t>(capacity - got, 1u << 30)));
        }
        const int error = errno;
        if (was >= 0) ::_lseeki64(fd_, was, SEEK_SET);
        errno = error;
#else
        const ssize_t n = ::pread(fd_, buffer + got, capacity - got, static_cast<off_t>(at));
#endif
        if (n < 0) {
            if (errno == EINTR) continue;
            fail(path_, errno);
        }
        if (n == 0) break;
        got += static_cast<size_t>(n);
    }
    return got;
}

size_t MemoryByteSource::read(uint8_t* buffer, size_t capacity) {
    const size_t n = std::min(capacity, bytes_.size() - offset_);
    if (n > 0) std::memcpy(buffer, bytes_.data() + offset_, n);
    offset_ += n;
    return n;
}
