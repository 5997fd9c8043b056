// korven-monkey: the real viewer window under a stream of random user actions.
//
//   korven-monkey [--seed N] [--seconds S] [--burst N] [--hang S] [--verbose] [FOLDER...]
//
// Without --seed the seed comes from the clock; it is printed at the start and on any failure,
// and --seed replays the same main sequence. FOLDERs hold programs to open (default: the
// shared corpus and the examples). Exit status 0: no fault in the time given.
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "app/commandline.h"
#include "app/translations.h"
#include "app/vorlixmain.h"
#include "tests/monkey/monkey.h"
#include "tests/monkey/monkeyfiles.h"
#include "tests/monkey/monkeyguard.h"

namespace {

struct Options {
    uint64_t seed = 0;
    bool seeded = false;
    bool verbose = false;
    int hangseconds = 60;
    monkey::MonkeyLimits limits;
    QStringList folders;
};

int usage() {
    std::fprintf(stderr,
                 "usage: korven-monkey [--seed N] [--seconds S] [--burst N] [--hang S] "
                 "[--verbose] [FOLDER...]\n");
    return 2;
}

bool number(const char* text, long long& value) {
    char* end = nullptr;
    value = std::strtoll(text, &end, 10);
    return end != text && *end == '\0' && value >= 0;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        long long value = 0;
        const bool valued =
            arg == "--seed" || arg == "--seconds" || arg == "--burst" || arg == "--hang";
        if (valued && (i + 1 >= argc || !number(argv[i + 1], value))) return usage();
        if (arg == "--seed") {
            options.seed = static_cast<uint64_t>(value);
            options.seeded = true;
        } else if (arg == "--seconds") {
            options.limits.seconds = static_cast<int>(value);
        } else if (arg == "--burst") {
            options.limits.burst = std::max(1, static_cast<int>(value));
        } else if (arg == "--hang") {
            options.hangseconds = std::max(1, static_cast<int>(value));
        } else if (arg == "--verbose") {
            options.verbose = true;
        } else if (!arg.empty() && arg[0] == '-') {
            return usage();
        } else {
            options.folders << QString::fromLocal8Bit(argv[i]);
        }
        i += valued ? 1 : 0;
    }
    if (!options.seeded) {
        options.seed = static_cast<uint64_t>(QDateTime::currentMSecsSinceEpoch()) % 1000000007ULL;
    }
    if (options.folders.isEmpty()) {
        options.folders << QStringLiteral(KORVEN_CORPUS)
                        << QStringLiteral(KORVEN_SOURCE_DIR "/examples");
    }
    std::fprintf(stderr, "monkey: seed %llu (replay with --seed %llu), %d s\n",
                 static_cast<unsigned long long>(options.seed),
                 static_cast<unsigned long long>(options.seed), options.limits.seconds);
    monkey::setverbose(options.verbose);
    monkey::guardrun(options.seed, options.hangseconds);

    // As the viewer starts, but the user's settings stay untouched.
    qputenv("KORVEN_NO_SETTINGS", "1");
    if (!qEnvironmentVariableIsSet("QT_ENABLE_HIGHDPI_SCALING")) {
        qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    }
    int qtargc = 1;
    char* qtargv[] = {argv[0], nullptr};
    QApplication app(qtargc, qtargv);
    installtranslation(QLocale::system().uiLanguages());
    QApplication::setApplicationName(QStringLiteral("KORVEN"));

    std::mt19937_64 filerng(options.seed);
    monkey::MonkeyFiles files(options.folders, filerng);
    if (!files.valid()) {
        std::fprintf(stderr, "monkey: no scratch folder for the hostile files\n");
        return 2;
    }
    // Sometimes a program named on the command line, sometimes the logo first; the reading
    // as the user may choose it there.
    std::vector<std::string> words{"korven"};
    if (filerng() % 5 == 0) words.emplace_back("/DIALECT:NGC");
    if (filerng() % 2 == 0) words.push_back(QFile::encodeName(files.pick(filerng)).toStdString());
    std::vector<const char*> wordptrs;
    for (const std::string& w : words) wordptrs.push_back(w.c_str());
    monkey::record("start: " + std::string(words.size() > 1 ? words.back() : "(no program)"));

    // The fly-in at its shortest: the logo is drawn once, the run goes to the window.
    Tvorlixform::defaultlogotiming = LogoFlyinTiming{1000, 0.0, 0};
    {
        Tvorlixform window(parsecommandline(static_cast<int>(wordptrs.size()), wordptrs.data()));
        window.show();
        monkey::Monkey monkey(window, files, options.seed, options.limits);
        monkey.run();
        monkey::standdown();
        std::fprintf(stderr, "monkey: seed %llu, %lld actions, no fault\n",
                     static_cast<unsigned long long>(options.seed),
                     static_cast<long long>(monkey::actioncount()));
    }
    return 0;
}
