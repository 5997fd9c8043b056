#include "nc/ncjob.h"

#include <algorithm>
#include <iterator>

#include <cmath>
#include <cstdio>

#include "nc/fanuc/fanucinterpreter.h"
#include "nc/ncinterpreter.h"
#include "nc/ngc/ngcinterpreter.h"

namespace {

constexpr size_t kShortStringLength = 255;
// Smaller programs are read in well under the time a thread costs to start.
constexpr int64_t kReadAheadBytes = int64_t{1} << 20;

std::string stattext(const char* label, double value) {
    // A NaN's sign bit is an accident of how it arose (-inf + inf): write every NaN alike.
    if (std::isnan(value)) value = std::fabs(value);
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, "%s%8.3f", label, value);
    std::string text(buffer);
    if (text.size() > kShortStringLength) text.resize(kShortStringLength);
    return text;
}

}  // namespace

int32_t FeedSlots::select(int32_t feedkey, int32_t tooltag) {
    int slot = -1;
    for (int s = 0; s <= count; ++s) {
        if (key[static_cast<size_t>(s)] == feedkey) slot = s;
    }
    if (slot < 0) {
        if (count >= kFeedSlotCount - 1) {
            slot = kFeedSlotCount;  // overflow: shared, nothing stored
        } else {
            slot = ++count;
            key[static_cast<size_t>(slot)] = feedkey;
            tool[static_cast<size_t>(slot)] = tooltag;
        }
    }
    return colorindex(slot);
}

void NcJob::InitPlot(int32_t cmdarcmode) {
    arcmode = cmdarcmode;
    xmax = ymax = zmax = -9999;
    xmin = ymin = zmin = 9999;
    feedcolor = kFirstFeedColorIndex;
    inchunits = false;
    notice.clear();
    stoprequested = false;
    stoppedline = -1;
    filechanged = false;
}

void NcJob::PlotOnly(const std::string& path) {
    if (path.empty() || !interpreting) return;
    nodes.resetnodedata();
    contour.clear();
    events.clear();
    cleartexts();
    if (dialect == NcDialect::Ngc || dialect == NcDialect::Fanuc) {
        tools = ToolTable::readfile(toolfile.empty() ? ToolTable::besideprogram(path) : toolfile);
    }
    offsets = dialect == NcDialect::Fanuc ? OffsetTable::readfile(OffsetTable::besideprogram(path)) : OffsetTable();
    FileByteSource source(path);
    stamp = FileStamp::of(path);
    plotsource(source, source.size() >= kReadAheadBytes, path);
    nodes.endreading();
    filechanged = source.changed();
}

void NcJob::PlotMemory(std::string_view bytes) {
    interpreting = true;
    nodes.resetnodedata();
    contour.clear();
    events.clear();
    cleartexts();
    MemoryByteSource source(bytes);
    stamp = FileStamp{};
    plotsource(source, false, "");
}

void NcJob::PlotMemory(const uint8_t* data, size_t size) {
    PlotMemory(std::string_view(reinterpret_cast<const char*>(data), size));
}

void NcJob::cleartexts() {
    // A run that fails must not leave the last file's figures looking current.
    timetext.clear();
    zmaxtext.clear();
    zmintext.clear();
    zmaxcolor = zmincolor = 0;
}

void NcJob::plotsource(ByteSource& source, bool readahead, const std::string& path) {
    lines.clear();
    nodefiles.clear();
    nodefilenames.clear();
    // Line starts are taken from the bytes as the reading passes them, on its own thread.
    LineIndexingSource indexed(source, lines);
    ByteSource& read = indexlines ? static_cast<ByteSource&>(indexed) : source;
    if (dialect == NcDialect::Ngc) {
        // A program ended by M2 or M30 is complete though the file goes on.
        const size_t slash = path.rfind('/');
        const std::string folder = slash == std::string::npos ? (path.empty() ? "" : ".") : path.substr(0, slash + (slash == 0));
        NgcInterpreter(*this, read, readahead, folder, path).run();
        interpreting = false;
    } else if (dialect == NcDialect::Fanuc) {
        // Calls and jumps go back and forth in the text; the reading itself reads it to the end.
        FanucInterpreter(*this, read, readahead).run();
        interpreting = false;
    } else {
        NcInterpreter(*this, read, readahead).PO();
        if (source.atend()) interpreting = false;
    }
    contour.giveback();
}

void NcJob::buildtexts(double machiningtime) {
    timetext = stattext("Time: ", machiningtime);
    zmaxtext = stattext("ZMax: ", zmax);
    zmintext = stattext("ZMin: ", zmin);
    zmaxcolor = zmax > zupperlimit ? 255 : 0;
    zmincolor = zmin < zlowerlimit ? 255 : 0;
}

int32_t NcJob::nodefile(int64_t node) const {
    // The last range that starts at or before the node.
    const auto after = std::upper_bound(nodefiles.begin(), nodefiles.end(), node,
                                        [](int64_t n, const std::pair<int64_t, int32_t>& r) { return n < r.first; });
    return after == nodefiles.begin() ? 0 : std::prev(after)->second;
}
