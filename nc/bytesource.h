#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <ctime>
#ifdef _WIN32
#include <mutex>
#endif

// A program file that cannot be opened or read. what() is "<file name>: <reason>".
class NcFileError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Where the interpreter's bytes come from: a file, or memory for tests and fuzzing.
class ByteSource {
  public:
    virtual ~ByteSource() = default;
    // Reads up to capacity bytes; 0 means the end. Throws NcFileError on a read error.
    virtual size_t read(uint8_t* buffer, size_t capacity) = 0;
    // Byte count for the progress fraction (64-bit: files over 2 GiB are ordinary).
    virtual int64_t size() const = 0;
    // True once the last byte has been handed out.
    virtual bool atend() const = 0;
    // Whether readat() can read again from any place (a regular file, not a pipe): a reading
    // that goes back in the program then reads again what it needs instead of holding it all.
    virtual bool seekable() const { return false; }
    // Up to capacity bytes from offset, fewer only at the end, without moving where read()
    // goes on. Throws NcFileError on a read error.
    virtual size_t readat(int64_t offset, uint8_t* buffer, size_t capacity);
};

class FileByteSource : public ByteSource {
  public:
    // Throws NcFileError when the file cannot be opened or is not a regular file.
    explicit FileByteSource(const std::string& path);
    ~FileByteSource() override;
    FileByteSource(const FileByteSource&) = delete;
    FileByteSource& operator=(const FileByteSource&) = delete;

    size_t read(uint8_t* buffer, size_t capacity) override;
    int64_t size() const override { return size_; }
    bool atend() const override { return atend_; }
    bool seekable() const override { return true; }
    size_t readat(int64_t offset, uint8_t* buffer, size_t capacity) override;
    // Size or modification time differ from those at opening.
    bool changed() const;

  private:
    std::string path_;
    struct timespec mtime_ {};
    int fd_ = -1;
    int64_t size_ = 0;
    int64_t consumed_ = 0;
    bool atend_ = false;
#ifdef _WIN32
    std::mutex placed_;  // readat() moves the one place read() goes on from
#endif
};

class MemoryByteSource : public ByteSource {
  public:
    explicit MemoryByteSource(std::string_view bytes) : bytes_(bytes) {}
    size_t read(uint8_t* buffer, size_t capacity) override;
    int64_t size() const override { return static_cast<int64_t>(bytes_.size()); }
    bool atend() const override { return offset_ >= bytes_.size(); }

  private:
    std::string_view bytes_;
    size_t offset_ = 0;
};
