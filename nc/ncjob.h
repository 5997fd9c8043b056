#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "nc/bytesource.h"
#include "nc/lineindex.h"
#include "nc/moveevents.h"
#include "nc/ncdialect.h"
#include "nc/ncreader.h"
#include "nc/nodestore.h"
#include "nc/offsettable.h"
#include "nc/palette.h"
#include "nc/programmedcontour.h"
#include "nc/readingnotice.h"
#include "nc/tooltable.h"

// The tools and feeds a program used, in the order they first appeared.
struct FeedSlots {
    int32_t count = -1;  // index of the last used slot; -1 when none is used
    std::array<int32_t, kFeedSlotCount> tool{};
    std::array<int32_t, kFeedSlotCount> key{};  // rounded feed + tool number
    std::array<uint32_t, kFeedSlotCount + 1> colors = calctcary();

    static uint8_t colorindex(int slot) { return kSlotColorIndex[static_cast<size_t>(slot)]; }
    // The colour of the slot for this feed key and tool: an earlier slot with the same key, else
    // the next free one, else the shared overflow slot once all are taken.
    int32_t select(int32_t key, int32_t tool);
};


// One plot job: the interpreted toolpath of a program with its extents, tool table and
// statistics. The window composes it; progress and the bad-radius message reach the
// window through the callbacks, which may stay empty.
class NcJob {
  public:
    NodeStore nodes;

    // Extents of the feed moves (rapids never count).
    double xmin = 9999, xmax = -9999;
    double ymin = 9999, ymax = -9999;
    double zmin = 9999, zmax = -9999;

    FeedSlots feedslots;
    // Feeds, dwells and tool changes by node, for naming a move's own T and F and for planning
    // the machine's time.
    MoveEvents events;
    int32_t arcmode = 0;  // 0 offsets from start, 1 from end, 2 absolute centre
    int32_t feedcolor = kFirstFeedColorIndex;
    uint8_t curcolor = kRapidColorIndex;
    int32_t lastplotcolor = -1;
    bool interpreting = false;  // set by the caller before PlotOnly; cleared by a complete run
    // Set (from the progress callback) to end the run after the block being read; the nodes
    // read so far stay. stoppedline is then the line of the last block taken, else -1.
    bool stoprequested = false;
    int32_t stoppedline = -1;
    // The file's size or modification time changed while it was read.
    bool filechanged = false;
    NcDialect dialect = NcDialect::Korven;  // kept from file to file
    bool inchunits = false;  // lengths are in inches: G20 was in force at the first move

    std::string timetext, zmaxtext, zmintext;
    uint32_t zmaxcolor = 0, zmincolor = 0;  // 255 (red) when outside the limits
    double zupperlimit = 99.999;
    double zlowerlimit = -99.999;

    // The tool table named by the user; when empty, "tool.tbl" beside the program. tools is
    // the table the RS274/NGC reading of the last file read (or what the caller put there
    // before reading bytes held in memory).
    std::string toolfile;
    ToolTable tools;
    // The Fanuc-family reading's D and H registers: "offset.tbl" beside the program. Where it
    // is not found, the registers are the tool table's tools.
    OffsetTable offsets;
    // The programmed contour of the moves compensation drew beside it; empty otherwise.
    ProgrammedContour contour;

    // What the reading passed over or found wrong; filled during a run, cleared by InitPlot.
    ReadingNotice notice;

    // Line starts of the last program read, kept only when indexlines is set (the viewer's
    // program pane reads lines back through it), and the file's stamp when it was read.
    bool indexlines = false;
    LineIndex lines;
    FileStamp stamp;
    // Moves written in a file other than the program (a subroutine called by name from its
    // own file): from which node on the lines are which file's, as (first node, file) in
    // node order. nodefilenames[file] is its path; file 0 is the program itself.
    std::vector<std::pair<int64_t, int32_t>> nodefiles;
    std::vector<std::string> nodefilenames;
    // The file whose line a node's line is: an index into nodefilenames, 0 for the program.
    int32_t nodefile(int64_t node) const;

    WorkingCallback working;
    std::function<void()> arcDataError;

    // How often one line of a loop or subroutine may run before the reading takes the loop
    // for one without end; 0 for the reading's own bound. A lower one only serves fuzzing.
    int64_t linerunlimit = 0;
    // Store limits below the full ones only serve tests (see NodeStore).
    explicit NcJob(int maxblocks = NodeStore::kMaxBlocks,
                   int memorychunks = NodeStore::kMaxChunks)
        : nodes(maxblocks, memorychunks) {
        nodes.initnodedata();
    }

    // Prepares a new file: the command line's arc mode, empty extents, the first feed colour.
    void InitPlot(int32_t cmdarcmode);

    // Interprets the program file while `interpreting` is on. Throws NcFileError when the
    // file cannot be opened or read; the statistics texts then stay empty.
    void PlotOnly(const std::string& path);

    // Interprets bytes held in memory as if they were a whole program file.
    void PlotMemory(std::string_view bytes);
    void PlotMemory(const uint8_t* data, size_t size);

    // The T and F in force for node `node` of the last run, as the program wrote them.
    ToolFeed toolfeedat(int64_t node) const { return events.writtenat(node, nodes.lastnode()); }

    // The statistics texts and colours at the end of a run.
    void buildtexts(double machiningtime);

  private:
    void cleartexts();
    void plotsource(ByteSource& source, bool readahead, const std::string& path);
};
