#pragma once
// What a reading of a program passed over that a real controller would have acted on, and the
// problems it met: kept per kind with a count and the first line, so a program of millions of
// blocks costs one entry per kind, not one per word.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class ReadingNotice {
  public:
    struct Ignored {
        std::string code;  // "G81", "M98", "A", "g" ...
        int64_t count = 0;
        int64_t firstline = 0;
    };
    struct Thousandths {
        int64_t count = 0;
        std::string firstword;  // "Z15", as written
        int64_t firstline = 0;
        double firstvalue = 0;  // as read: 0.015
    };
    struct Problem {
        int64_t line = 0;
        std::string message;
    };

    // A code or word that had no effect here but would move the tool on a real controller.
    // A reading that counts as it goes may hand over `times` of one kind at once.
    void ignore(std::string_view code, int64_t line, int64_t times = 1);
    // A number without a decimal point read as thousandths.
    void thousandth(std::string_view word, int64_t line, double valueasread, int64_t times = 1);
    // A fault in the program: the line and what is wrong with it.
    void problem(int64_t line, std::string message);
    // Takes back problems added after the reading (a finding that was worked out again), each
    // the first one equal to it, so what others added in between stays.
    void withdraw(const std::vector<Problem>& problems);
    // Faults beyond those listed, counted only: a program wrong throughout has millions.
    void unlistedproblems(int64_t count) { unlisted_ += count; }

    const std::vector<Ignored>& ignored() const { return ignored_; }
    const Thousandths& thousandths() const { return thousandths_; }
    const std::vector<Problem>& problems() const { return problems_; }
    int64_t unlistedproblems() const { return unlisted_; }
    // Every problem met, listed or not.
    int64_t problemcount() const { return static_cast<int64_t>(problems_.size()) + unlisted_; }
    bool empty() const { return ignored_.empty() && thousandths_.count == 0 && problemcount() == 0; }
    void clear() { *this = ReadingNotice(); }

    // One line each, in a fixed form: "ignored: G81 12 times, first at line 40"; the
    // problems not listed end the list with one line of their count, which names no line.
    std::vector<std::string> reportlines() const;

  private:
    std::vector<Ignored> ignored_;
    Thousandths thousandths_;
    std::vector<Problem> problems_;
    int64_t unlisted_ = 0;
};
