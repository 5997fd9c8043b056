// The run over the program's lines: blocks to execute, the rest to NgcFlow or the notice.

#include "nc/ngc/ngcblockfeed.h"
#include "nc/ngc/ngcinterpreter.h"
#include "nc/vectorstate.h"

void NgcInterpreter::problem(std::string message) {
    // A program that is wrong throughout (another dialect, say) says so often enough early on.
    if (problems_ < kListedProblems) {
        ++problems_;
        if (flow_.file() != 0) message += " (in " + flow_.filename(flow_.file()) + ")";
        job_.notice.problem(line_, std::move(message));
    } else {
        ++unlisted_;
    }
}

void NgcInterpreter::ignore(const std::string& code) {
    job_.notice.ignore(code, line_);
}

void NgcInterpreter::poll() {
    if (job_.working) job_.working(NcReader::kLoadingCaption, fraction_);
}

void NgcInterpreter::executeline(const NgcBlock& block) {
    if (block.letters != 0 || block.gcount != 0 || block.mcount != 0 || block.hasradius || block.hasangle) {
        blockseen_ = true;
        execute(block);
    }
}

void NgcInterpreter::run() {
    clearwidevectorstate();
    job_.feedslots.count = -1;
    job_.lastplotcolor = -1;
    // Progress passes through here, so that a long loop that reads nothing can say how far
    // the reading had come.
    progress_ = [this](const std::string& caption, double fraction) {
        fraction_ = fraction;
        if (job_.working) job_.working(caption, fraction);
    };
    NgcBlockFeed lines(source_, progress_, readahead_);
    bool percentseen = false;
    while (!ended_) {
        const NgcLine* read = lines.next();
        if (read == nullptr) break;
        line_ = static_cast<int32_t>(read->line);
        flow_.inprogram();
        if (read->cut) problem("line too long: only its start is read");
        switch (read->kind) {
            case NgcLineKind::Block:
                executeline(read->block);
                break;
            case NgcLineKind::Percent:
                // The second '%' ends the program like M2.
                if (percentseen && blockseen_) ended_ = true;
                percentseen = true;
                break;
            case NgcLineKind::Deleted:
                break;
            case NgcLineKind::Computed:
                flow_.take(*read, lines);
                break;
            case NgcLineKind::Bad:
                problem(read->message);
                break;
        }
        if (job_.stoprequested) {
            job_.stoppedline = line_;
            break;
        }
    }
    comp_.finish();
    job_.notice.unlistedproblems(unlisted_);
    job_.inchunits = lengthsininch();
    job_.buildtexts(path_.time);
}
