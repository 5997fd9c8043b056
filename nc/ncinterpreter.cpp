#include "nc/ncinterpreter.h"

#include <cmath>

#include "nc/arcgeometry.h"
#include "nc/vectorstate.h"

namespace {

// Rounds halves to even into 32 bits, wrapping like a 64-bit count cut to 32 bits;
// values no 64-bit integer can hold (and NaN) give 0.
int32_t roundtoint32(double value) {
    const double r = std::nearbyint(value);
    if (!(r >= -9223372036854775808.0 && r < 9223372036854775808.0)) return 0;
    const auto wide = static_cast<uint64_t>(static_cast<int64_t>(r));
    return static_cast<int32_t>(static_cast<uint32_t>(wide));
}

int32_t wrappingsum(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

}  // namespace

NcInterpreter::NcInterpreter(NcJob& job, ByteSource& source, bool readahead)
    : job_(job), words_(source, job.working, job.arcmode, readahead), recorder_(job) {}

void NcInterpreter::PO() {
    clearwidevectorstate();
    job_.feedslots.count = -1;
    job_.lastplotcolor = -1;
    uint8_t current = 0;
    try {
        do {
            i_ = j_ = k_ = 0;
            bool wordread = false;
            int32_t wordline = 0;
            do {
                const NcWord& word = words_.next();
                word_ = &word;
                act(word.letter, word.value);
                current = word.current;
                line_ = word.line;
                if (word.letter != NcReader::kEndOfText) {
                    wordread = true;
                    wordline = word.line;
                }
            } while (current != 10 && current != NcReader::kEndOfText);
            if (current == NcReader::kEndOfText) {
                lastblockend(wordread, wordline);
            } else {
                blockend();
                if (job_.stoprequested) {
                    job_.stoppedline = line_;
                    break;
                }
            }
        } while (current != NcReader::kEndOfText);
    } catch (...) {
        // What was read before the failure still stands.
        tally_.writeinto(job_.notice, words_.tally());
        throw;
    }
    tally_.writeinto(job_.notice, words_.tally());
    job_.buildtexts(time_);
}

void NcInterpreter::blockend() {
    if (recorder_.z0 != 999.0) {
        const double dx = x_ - recorder_.x0;
        const double dy = y_ - recorder_.y0;
        const double dz = z_ - recorder_.z0;
        const double d = std::sqrt(dx * dx + dy * dy + dz * dz);
        if (motion_ == 0) {
            time_ += d * 0.000125;  // rapids at 8000 length units per time unit
        } else if (feed_ != 0) {
            time_ += d / feed_;
        }
    }
    const int32_t next = job_.nodes.nodecount();
    job_.events.written(next, tool_, feed_);
    job_.events.toolchange(next, tool_);
    if (motion_ != 0) job_.events.feed(next, feed_);
    recorder_.LineTo(line_, plane_, motion_, x_, y_, z_, i_, j_, k_);
    recorder_.x0 = x_;
    recorder_.y0 = y_;
    recorder_.z0 = z_;
}

void NcInterpreter::lastblockend(bool wordread, int32_t wordline) {
    NodeStore& nodes = job_.nodes;
    const int32_t before = nodes.lastnode();
    const bool cutbefore = nodes.cutline() >= 0;
    // No line feed follows the last word, so the counter still stands on the line before it.
    if (wordread) line_ = static_cast<int32_t>(static_cast<uint32_t>(wordline) + 1u);
    blockend();
    if (wordread) return;
    // A block that read no word only repeats the position before it: its node goes, and a
    // full store that refused it has cut nothing the program asked for.
    if (nodes.lastnode() > before) nodes.droplast();
    if (!cutbefore) nodes.forgetcut();
}

void NcInterpreter::act(uint8_t letter, double value) {
    switch (letter) {
        case 'F':
            feed_ = value;
            selectfeedslot();
            break;
        case 'G':
            actg(value);
            break;
        case 'I':
            i_ = value;
            break;
        case 'J':
            j_ = value;
            break;
        case 'K':
            k_ = value;
            break;
        case 'R':
            r_ = value;
            radiuscentre();
            break;
        case 'T':
            tool_ = roundtoint32(value);
            break;
        case 'X':
            x_ = incremental_ ? recorder_.x0 + value : value;
            break;
        case 'Y':
            y_ = incremental_ ? recorder_.y0 + value : value;
            break;
        case 'Z':
            z_ = incremental_ ? recorder_.z0 + value : value;
            break;
        case 'M':
        case 'A':
        case 'B':
        case 'C':
        case 'U':
        case 'V':
        case 'W':
            passedover(letter, value);
            break;
        default:
            break;
    }
}

void NcInterpreter::actg(double value) {
    const double code = std::nearbyint(value);
    if (code == 0 || code == 1 || code == 2 || code == 3) {
        motion_ = static_cast<int32_t>(code);
    } else if (code == 17 || code == 18 || code == 19) {
        plane_ = static_cast<int32_t>(code);
    } else if (code == 90) {
        incremental_ = false;
    } else if (code == 91) {
        incremental_ = true;
    } else {
        passedover('G', value);
    }
}

void NcInterpreter::passedover(uint8_t letter, double value) {
    if (letter == 'M') {
        // Subprogram calls and returns: the moves they stand for are not drawn.
        value = std::nearbyint(value);
        if (value != 98 && value != 99) return;
    } else if (letter != 'G') {
        value = 0;  // other axes count by letter
    }
    tally_.note(letter, value, word_->line + (word_->current == 10 ? 0 : 1));
}

void NcInterpreter::selectfeedslot() {
    job_.feedcolor = job_.feedslots.select(wrappingsum(roundtoint32(feed_), tool_), tool_);
}

void NcInterpreter::radiuscentre() {
    const MoveRecorder& s = recorder_;
    bool ok = true;
    if (plane_ == 17) {
        ok = arcradiuscenter(motion_, i_, j_, r_, s.x0, s.y0, x_, y_);
    } else if (plane_ == 18) {
        // Taken in the order X, Z: the turning sense flips against the Z, X arc plane.
        ok = arcradiuscenter(5 - motion_, i_, k_, r_, s.x0, s.z0, x_, z_);
    } else if (plane_ == 19) {
        ok = arcradiuscenter(motion_, j_, k_, r_, s.y0, s.z0, y_, z_);
    }
    if (!ok && job_.arcDataError) job_.arcDataError();
}
