#include "nc/readingnotice.h"

#include <cstdio>
#include <map>
#include <utility>

void ReadingNotice::ignore(std::string_view code, int64_t line, int64_t times) {
    for (Ignored& entry : ignored_) {
        if (entry.code == code) {
            entry.count += times;
            return;
        }
    }
    ignored_.push_back({std::string(code), times, line});
}

void ReadingNotice::thousandth(std::string_view word, int64_t line, double valueasread,
                               int64_t times) {
    if (thousandths_.count == 0) {
        thousandths_.firstword = std::string(word);
        thousandths_.firstline = line;
        thousandths_.firstvalue = valueasread;
    }
    thousandths_.count += times;
}

void ReadingNotice::problem(int64_t line, std::string message) {
    problems_.push_back({line, std::move(message)});
}

void ReadingNotice::withdraw(const std::vector<Problem>& problems) {
    if (problems.empty()) return;
    // Counted, not searched for one by one: a plan may take back thousands of broken limits.
    std::map<std::pair<int64_t, std::string_view>, int64_t> due;
    for (const Problem& gone : problems) ++due[{gone.line, gone.message}];
    std::vector<Problem> kept;
    kept.reserve(problems_.size());
    for (Problem& p : problems_) {
        const auto it = due.find({p.line, p.message});
        if (it != due.end() && it->second > 0) {
            --it->second;
        } else {
            kept.push_back(std::move(p));
        }
    }
    problems_ = std::move(kept);
}

std::vector<std::string> ReadingNotice::reportlines() const {
    std::vector<std::string> lines;
    char buffer[160];
    for (const Ignored& entry : ignored_) {
        std::snprintf(buffer, sizeof buffer, "ignored: %s %lld time%s, first at line %lld",
                      entry.code.c_str(), static_cast<long long>(entry.count),
                      entry.count == 1 ? "" : "s", static_cast<long long>(entry.firstline));
        lines.emplace_back(buffer);
    }
    if (thousandths_.count > 0) {
        std::snprintf(buffer, sizeof buffer,
                      "thousandths: %lld number%s, first %s at line %lld read as %.10g",
                      static_cast<long long>(thousandths_.count),
                      thousandths_.count == 1 ? "" : "s", thousandths_.firstword.c_str(),
                      static_cast<long long>(thousandths_.firstline), thousandths_.firstvalue);
        lines.emplace_back(buffer);
    }
    for (const Problem& problem : problems_) {
        lines.push_back("line " + std::to_string(problem.line) + ": " + problem.message);
    }
    if (unlisted_ > 0) {
        lines.push_back(std::to_string(unlisted_) + " more problem" + (unlisted_ == 1 ? "" : "s") +
                        " not listed");
    }
    return lines;
}
