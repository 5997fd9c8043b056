// Parameters and O-words where a report is a poor witness: a loop that never ends, Escape in
// a long loop, subroutines from files of their own, and input that must not crash or hang.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "nc/ngc/ngcinterpreter.h"
#include "tests/nc/ncrun.h"

namespace {

std::string problems(const NcJob& job) {
    std::string text;
    for (const std::string& line : job.notice.reportlines()) text += line + "\n";
    return text;
}

// A folder of its own for the program and the files it calls.
struct Folder {
    std::string path;
    Folder() {
        char name[] = "/tmp/korven-ngcflow-XXXXXX";
        path = mkdtemp(name);
    }
    ~Folder() { std::system(("rm -rf '" + path + "'").c_str()); }
    std::string write(const std::string& name, const std::string& text) const {
        std::ofstream(path + "/" + name) << text;
        return path + "/" + name;
    }
};

void runfile(NcJob& job, const std::string& path) {
    job.dialect = NcDialect::Ngc;
    job.InitPlot(0);
    job.interpreting = true;
    job.PlotOnly(path);
}

}  // namespace

TEST(NgcFlow, ALoopWithoutEndStopsAndKeepsWhatItDrew) {
    NcJob job;
    job.dialect = NcDialect::Ngc;
    job.InitPlot(0);
    job.nodes.resetnodedata();
    job.interpreting = true;
    const std::string text = "G0 X1\no1 while [1]\nG91 G1 X1 F100\no1 endwhile\nG90 G0 X99\n";
    MemoryByteSource source(text);
    NgcInterpreter reading(job, source, false);
    reading.setsteplimit(500);
    reading.run();
    // The loop's move ran 499 times before its while line's 500th run; nothing after it runs.
    EXPECT_EQ(job.nodes.lastnode(), 1 + 499);
    EXPECT_EQ(job.nodes.node(job.nodes.lastnode()).x, 500);
    EXPECT_NE(problems(job).find("line 2: stopped: line 2 ran 500 times"), std::string::npos) << problems(job);
}

TEST(NgcFlow, EscapeStopsALongLoopAtOnce) {
    NcJob job;
    job.dialect = NcDialect::Ngc;
    int calls = 0;
    // The first report is the reading's own, before the loop; the second comes from the loop.
    job.working = [&job, &calls](const std::string&, double) {
        if (++calls == 2) job.stoprequested = true;
    };
    job.InitPlot(0);
    job.PlotMemory(std::string_view(
        "G0 X1\n#1=0\no1 while [#1 LT 1000000000]\n#1=[#1+1]\no1 endwhile\nG0 X5\n"));
    EXPECT_GE(job.stoppedline, 3);
    EXPECT_LE(job.stoppedline, 5);
    EXPECT_EQ(job.nodes.node(job.nodes.lastnode()).x, 1);
}

TEST(NgcFlow, SubroutineFilesAreFoundAndTheirMovesNamed) {
    Folder here, elsewhere;
    here.write("corner.ngc", "(a corner)\no<corner> sub\nG1 X#1 F100\nG1 Y#2\no<corner> endsub\nM2\n");
    elsewhere.write("hop.ngc", "G0 Z#1\n");  // a body without sub lines
    const std::string program =
        here.write("main.ngc", "G0 X1\no<corner> call [4] [5]\no<hop> call [7]\nG0 X0\n");
    setenv("KORVEN_NGC_PATH", ("/nonexistent:" + elsewhere.path).c_str(), 1);
    NcJob job;
    runfile(job, program);
    unsetenv("KORVEN_NGC_PATH");
    EXPECT_EQ(problems(job), "");
    ASSERT_EQ(job.nodes.lastnode(), 5);
    // Lines 3 and 4 of corner.ngc, line 1 of hop.ngc, then line 4 of the program again.
    EXPECT_EQ(job.nodes.node(2).line, 3);
    EXPECT_EQ(job.nodes.node(3).line, 4);
    EXPECT_EQ(job.nodes.node(3).y, 5);
    EXPECT_EQ(job.nodes.node(4).line, 1);
    EXPECT_EQ(job.nodes.node(4).z, 7);
    EXPECT_EQ(job.nodes.node(5).line, 4);
    EXPECT_EQ(job.nodefile(1), 0);
    EXPECT_EQ(job.nodefilenames[static_cast<size_t>(job.nodefile(2))], here.path + "/corner.ngc");
    EXPECT_EQ(job.nodefilenames[static_cast<size_t>(job.nodefile(4))], elsewhere.path + "/hop.ngc");
    EXPECT_EQ(job.nodefile(5), 0);
}

TEST(NgcFlow, BadProgramsAreNamedProblemsNotCrashesOrHangs) {
    Folder here;
    ASSERT_EQ(mkfifo((here.path + "/pipe.ngc").c_str(), 0600), 0);
    const std::string calls = "o<pipe> call\no<gone> call\nG0 X1\n";
    NcJob job;
    runfile(job, here.write("main.ngc", calls));
    EXPECT_EQ(problems(job), "line 1: o<pipe> call: " + here.path + "/pipe.ngc is not a regular file\n"
                             "line 2: o<gone> call: no such subroutine\n");
    EXPECT_EQ(job.nodes.lastnode(), 1);

    // Calls ten thousand deep, a subroutine that calls itself, an expression a hundred
    // thousand brackets deep, a while never closed.
    std::string text = "o<d> sub\n#1=[#1+1]\no<d> call [#1]\no<d> endsub\no<d> call [0]\n";
    runprogram(job, text);
    EXPECT_EQ(problems(job), "line 3: o<d> call: calls nested deeper than 1000\n");
    text = "#1=" + std::string(100000, '[') + "1" + std::string(100000, ']') + "\nG0 X1\n"
           "o2 while [1]\nG0 X2\n";
    runprogram(job, text);
    EXPECT_EQ(problems(job), "line 1: expression nested too deep\nline 3: o2 while without its endwhile\n");
    EXPECT_EQ(job.nodes.node(job.nodes.lastnode()).x, 1);
}
