#include "app/blocknumber.h"

#include <QByteArray>
#include <QIODevice>

namespace {

// Past this many digits a number no longer fits: such a word names no block.
constexpr int kMaxDigits = 18;

bool blank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '/';
}

bool digit(char c) {
    return c >= '0' && c <= '9';
}

// Scans a line's start a byte at a time, so that a line may be fed in pieces.
class LineStart {
  public:
    void reset() {
        state_ = Leading;
        value_ = 0;
        digits_ = 0;
    }
    // False once the byte settles the matter (the line has no N word, or its number ended).
    bool take(char c) {
        switch (state_) {
            case Leading:
                if (blank(c)) return true;
                state_ = (c == 'N' || c == 'n') ? Number : Done;
                return state_ == Number;
            case Number:
                if (digit(c) && digits_ < kMaxDigits) {
                    value_ = value_ * 10 + static_cast<uint64_t>(c - '0');
                    ++digits_;
                    return true;
                }
                if (digit(c)) digits_ = kMaxDigits + 1;  // too long to be a number
                state_ = Done;
                return false;
            case Done:
                return false;
        }
        return false;
    }
    bool found() const { return digits_ > 0 && digits_ <= kMaxDigits; }
    uint64_t value() const { return value_; }
    int digits() const { return digits_; }

  private:
    enum State { Leading, Number, Done };
    State state_ = Leading;
    uint64_t value_ = 0;
    int digits_ = 0;
};

}  // namespace

QString blocknumberof(std::string_view line) {
    LineStart start;
    size_t at = 0;
    while (at < line.size() && start.take(line[at])) ++at;
    if (!start.found()) return {};
    return QStringLiteral("N") +
           QString::fromLatin1(line.data() + at - start.digits(), start.digits());
}

int64_t findblocknumber(QIODevice& file, uint64_t number) {
    if (!file.seek(0)) return -1;
    LineStart start;
    bool open = true;  // the line's start is still being read
    int64_t line = 1;
    QByteArray chunk;
    while (!(chunk = file.read(1 << 20)).isEmpty()) {
        for (const char c : chunk) {
            if (c == '\n') {
                if (start.found() && start.value() == number) return line;
                ++line;
                start.reset();
                open = true;
            } else if (open) {
                open = start.take(c);
            }
        }
    }
    return start.found() && start.value() == number ? line : -1;
}

bool parseblocknumber(const QString& text, uint64_t& number) {
    const QString t = text.trimmed();
    if (t.size() < 2 || t.size() > kMaxDigits + 1 || (t[0] != u'N' && t[0] != u'n')) return false;
    bool ok = false;
    number = t.mid(1).toULongLong(&ok);
    return ok && t[1].isDigit();
}
