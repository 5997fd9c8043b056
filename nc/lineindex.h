#pragma once
// Where every program line starts in the file, so that a few lines can be read back from any
// place of a huge program without holding its text. Lines count from 1 and line L ends with the
// L-th line feed: a block ending there carries the interpreter's count of line feeds read, L,
// so node line L is text line L. Carriage returns, NUL and Ctrl-Z bytes are ordinary bytes of
// a line here, as they are line-neutral for the reader.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "nc/bytesource.h"

// Size and modification time of a file, to tell whether it still holds what was read.
struct FileStamp {
    bool exists = false;
    int64_t size = -1;
    int64_t mtimens = 0;

    static FileStamp of(const std::string& path);
    bool operator==(const FileStamp& o) const {
        return exists == o.exists && size == o.size && mtimens == o.mtimens;
    }
    bool operator!=(const FileStamp& o) const { return !(*this == o); }
};

class LineIndex {
  public:
    // Line lengths live in chunks so that a large program never needs one huge allocation.
    static constexpr int kChunkShift = 16;
    static constexpr int64_t kChunkSize = int64_t{1} << kChunkShift;
    // Every this many starts one is kept whole; the others are summed from it.
    static constexpr int kAnchorShift = 6;

    void clear();
    // Feeds the next bytes of the text in order.
    void addbytes(const uint8_t* data, size_t count);

    // Lines of the text: one per line feed, and the text after the last line feed if any.
    int64_t linecount() const;
    int64_t bytecount() const { return bytes_; }
    // Byte offset where line L (1..linecount) begins, and where its text ends (at its line
    // feed, or at the end of the text); lines outside give the nearer end of the text.
    int64_t linestart(int64_t line) const;
    int64_t lineend(int64_t line) const;
    size_t memorybytes() const;

  private:
    void push(int64_t offset);
    int64_t start(int64_t k) const;

    // A byte a line: program lines are short, and a whole start for every line would cost
    // four times as much on a program of millions of them. A line of kLongLine bytes or more
    // keeps that mark and its length in longs_ instead.
    static constexpr uint8_t kLongLine = 255;
    struct LongLine {
        int64_t index;
        int64_t length;
    };
    std::vector<std::unique_ptr<uint8_t[]>> chunks_;  // length of start k from start k - 1
    std::vector<int64_t> anchors_;                    // start k for every k a multiple of 64
    std::vector<LongLine> longs_;                     // by ascending index
    int64_t starts_ = 0;     // recorded starts of lines 2.. (one per line feed)
    int64_t laststart_ = 0;  // the newest start (0: line 1's)
    int64_t bytes_ = 0;
};

// Passes a source's bytes on unchanged while indexing their lines, so the index is built by
// whatever reads the program, on the thread that reads it.
class LineIndexingSource : public ByteSource {
  public:
    LineIndexingSource(ByteSource& inner, LineIndex& index) : inner_(inner), index_(index) {}
    size_t read(uint8_t* buffer, size_t capacity) override {
        const size_t got = inner_.read(buffer, capacity);
        index_.addbytes(buffer, got);
        return got;
    }
    int64_t size() const override { return inner_.size(); }
    bool atend() const override { return inner_.atend(); }
    // Read again, not indexed again.
    bool seekable() const override { return inner_.seekable(); }
    size_t readat(int64_t offset, uint8_t* buffer, size_t capacity) override {
        return inner_.readat(offset, buffer, capacity);
    }

  private:
    ByteSource& inner_;
    LineIndex& index_;
};
