#include "nc/fanuc/fanucinterpreter.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <memory>

#include "nc/fanuc/fanucblockfeed.h"
#include "nc/fanuc/fanuccodes.h"
#include "nc/fanuc/fanucmacro.h"
#include "nc/vectorstate.h"

FanucInterpreter::FanucInterpreter(NcJob& job, ByteSource& source, bool readahead)
    : job_(job), source_(source), readahead_(readahead), path_(job), comp_(job, path_),
      codesmemo_(std::make_unique<CodesMemo>()) {
    comp_.useoffsets(&job.offsets);
    comp_.allowplanes();
}

FanucInterpreter::~FanucInterpreter() {
    delete macro_;
}

void FanucInterpreter::problem(std::string message) {
    // A program that is wrong throughout (another dialect, say) says so often enough early on.
    if (problems_ < kListedProblems) {
        ++problems_;
        job_.notice.problem(line_, std::move(message));
    } else {
        ++unlisted_;
    }
}

void FanucInterpreter::run() {
    clearwidevectorstate();
    job_.feedslots.count = -1;
    job_.lastplotcolor = -1;
    // A large program is run while it is read, as the other readings do.
    if (readahead_) {
        program_.startload(source_, chunkbytes, chunks);
    } else {
        program_.load(source_, job_.working);
    }
    macro_ = new FanucMacro(*this, job_.linerunlimit > 0 ? job_.linerunlimit : FlowSteps::kDefaultLimit,
                            &job_.stoprequested);
    const double size = static_cast<double>(source_.size());
    auto lastprogress = std::chrono::steady_clock::now();
    int64_t sincecheck = 0;
    FanucBlock block;
    std::unique_ptr<FanucBlockFeed> feed;
    if (readahead_) feed = std::make_unique<FanucBlockFeed>(program_);
    try {
        while (!ended_) {
            current_ = next_;
            if (program_.atend(current_)) {
                program_.whole();  // a read that failed ends the run here
                // Past the last line: only the main program may end so.
                if (stack_.empty()) break;
                problem("subprogram ends without M99");
                giveback(NgcBlock{});
                continue;
            }
            line_ = static_cast<int32_t>(current_.line);
            bool stop = false;
            const FanucBlockFeed::Line* ahead = nullptr;
            const bool again = macro_->rerun(current_, next_, stop);
            if (again) {
                // A kept line of a loop or a subprogram: run and counted without reading it.
                if (stop) ended_ = true;
            } else if ((ahead = feed ? feed->take(current_) : nullptr) != nullptr &&
                       ahead->kind != FanucLineKind::Macro) {
                next_ = ahead->next;
                if (ahead->kind == FanucLineKind::Block && haswords(ahead->block)) {
                    // Nearly every line of a CAM program: straight to its execution.
                    mainstarted_ = true;
                    execute(ahead->block);
                } else {
                    dispatch(ahead->kind, ahead->block, ahead->message);
                }
            } else {
                const char *begin = nullptr, *end = nullptr;
                program_.line(current_, begin, end, next_);
                const FanucLineKind kind = parser_.parse(begin, end, block);
                if (kind == FanucLineKind::Macro) {
                    mainstarted_ = true;
                    macro_->execute(begin, end);
                } else {
                    dispatch(kind, block, parser_.message);
                }
            }
            if (!again && !macro_->step(current_)) ended_ = true;
            if (job_.stoprequested) {
                job_.stoppedline = line_;
                break;
            }
            if (++sincecheck == 4096) {
                sincecheck = 0;
                const auto now = std::chrono::steady_clock::now();
                if (job_.working && now - lastprogress > std::chrono::milliseconds(500)) {
                    lastprogress = now;
                    // Half for the bytes read, half for those run.
                    const double done = static_cast<double>(program_.size() + current_.offset) / (2 * size);
                    job_.working(NcReader::kLoadingCaption, size > 0 ? std::min(done, 1.0) : 1.0);
                    clearwidevectorstate();  // the screen update ran toolkit code
                }
            }
        }
    } catch (const FanucTextChanged& changed) {
        // A jump back found other bytes than the first pass read: what was drawn stays, and
        // nothing from the new text joins it.
        line_ = static_cast<int32_t>(current_.line);
        problem(changed.what());
    }
    comp_.finish();
    job_.notice.unlistedproblems(unlisted_);
    job_.inchunits = lengthsininch();
    job_.buildtexts(path_.time);
}

void FanucInterpreter::execute(const FanucBlock& written) {
    const Codes* sorted = gather(written.words);
    if (sorted == nullptr) return;
    const Codes& codes = *sorted;
    // Units come first: the block's own lengths are written in them.
    if (codes.group[6] >= 0) setunits(codes.group[6] == 200);
    const NgcBlock& block = scaled(written, codes);
    if (block.otheraxes != 0 && !codes.takesarguments()) {
        for (char axis : {'A', 'B', 'C', 'U', 'V', 'W'}) {
            if (block.otheraxes & (1u << (axis - 'A'))) ignore(std::string(1, axis));
        }
    }
    const int32_t refused = comp_.refuses(codes.group, codes.axisuser == 280 || codes.axisuser == 300 ? codes.axisuser : -1,
                                          codes.machine, motion_, block.hasaxis(), inch_);
    if (refused >= 0) return problem(NgcCompensation::refusal(refused));
    if (codes.group[5] >= 0) {
        path_.setinversetime(false);
        if (codes.group[5] == 950) ignore("G95");
    }
    const double scale = wordscale();
    if (block.has('F') && !codes.takesarguments()) {
        feed_ = block.get('F');
        path_.setfeed(feed_, tool_, scale);
    }
    if (block.has('T') && !codes.takesarguments()) {
        const double t = block.get('T');
        tool_ = t >= 0 && t < 2147483647.0 ? static_cast<int32_t>(t) : 0;
    }
    if (written.words.has('D') && codes.call != 650) {
        // The control keeps the D register until another is named, in any block.
        const double d = written.words.get('D');
        if (d >= 0 && d < 2147483647.0 && d == std::floor(d)) dregister_ = static_cast<int32_t>(d);
    }
    job_.events.written(job_.nodes.nodecount(), tool_, feed_);
    if (codes.toolchange) path_.toolchange(tool_);
    if (codes.axisuser == 40) {
        // P in milliseconds, or X in seconds (thousandths without a point).
        const NgcBlock& w = written.words;
        double seconds = -1;
        if (w.has('P')) seconds = w.get('P') / 1000;
        if (w.has('X')) seconds = (written.points & (1u << ('X' - 'A'))) ? w.get('X') : w.get('X') / 1000;
        if (!(seconds >= 0)) return problem("G4 needs P or X, the time to wait");
        path_.dwell(seconds);
    }
    // Most blocks of a CAM program change nothing but the motion: what they do not name is
    // not looked at.
    if (codes.any(Codes::bits({2, 3, 10, 14, 17}))) modes(codes, block);
    if (codes.group[7] >= 0) {
        // D names the offset register; the block's D word is taken as written.
        comp_.set(codes.group[7], written.words, line_, plane_, dregister_, lengthsininch(), scale);
    }
    // Under G49, or without G43, G44, G49 or H, the offset cannot change.
    const bool lengthchanged =
        (codes.group[8] >= 0 || (lengthmode_ != 490 && block.has('H'))) && lengthoffset(codes, block);
    const bool transformwords = codes.any(Codes::bits({11, 16, 22})) && transforms(codes, written, block);
    if (codes.axisuser >= 0 && !coordinates(block, codes)) return;
    if (codes.group[1] >= 0) {
        const int32_t g = codes.group[1];
        if (!fanuciscycle(g) || codes.cancelcycle) {
            hascycler_ = hascyclebottom_ = false;
            incycle_ = false;
        }
        motion_ = g;
    }
    const bool arcwords = block.has('I') || block.has('J') || block.has('K') || block.has('R');
    bool moved = false;
    if (codes.takesarguments()) {
        // G65 and G66 take every word as an argument.
    } else if (transformwords) {
        // The words were the centre of a coordinate change.
    } else if ((block.hasaxis() || (fanuciscycle(motion_) && codes.group[1] >= 0)) && codes.axisuser < 0) {
        motion(block, codes.machine);
        moved = true;
    } else if (arcwords && codes.axisuser < 0 && !codes.machine && (motion_ == 20 || motion_ == 30)) {
        arc(block);  // offsets alone: a whole circle back to where it starts
        moved = true;
    } else if (codes.machine) {
        problem("G53 without an axis word");
    } else if (lengthchanged && codes.axisuser < 0) {
        // G43, G44 or G49 without a Z word moves Z by the change at once; the programmed
        // height stays.
        moveto(motion_ != 10, prog_);
    }
    if (codes.stop) {
        ended_ = true;
        return;
    }
    if (codes.call >= 0 || codes.group[12] >= 0 || !modals_.empty()) calls(codes, block, moved);
}
