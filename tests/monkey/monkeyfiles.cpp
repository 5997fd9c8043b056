#include "tests/monkey/monkeyfiles.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace monkey {
namespace {

QByteArray randombytes(std::mt19937_64& rng, int size) {
    QByteArray bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(rng() & 0xFF);
    return bytes;
}

// G-code words in random order with random numbers: each block is plausible, the program is
// nonsense, which is what the interpreter's recovery paths need.
QByteArray randomprogram(std::mt19937_64& rng, int blocks) {
    static const char* const words[] = {
        "G0",  "G1",  "G2",  "G3",  "G17", "G18", "G19", "G20", "G21", "G81",      "G83", "G80",
        "G90", "G91", "G98", "G99", "M6",  "M30", "T",   "F",   "X",   "Y",        "Z",   "I",
        "J",   "K",   "R",   "N",   "(",   ")",   "%",   ";",   "/",   "ARCMODE:", "\r",  "\t"};
    QByteArray text;
    for (int b = 0; b < blocks; ++b) {
        const int n = 1 + static_cast<int>(rng() % 6);
        for (int w = 0; w < n; ++w) {
            text += words[rng() % (sizeof words / sizeof *words)];
            switch (rng() % 5) {
                case 0:
                    text += QByteArray::number(static_cast<int>(rng() % 2001) - 1000);
                    break;
                case 1:
                    text += QByteArray::number(static_cast<double>(rng() % 100000) / 7.0 - 5000.0,
                                               'f', 4);
                    break;
                case 2:
                    text += "-.";
                    break;
                default:
                    break;
            }
            text += ' ';
        }
        text += '\n';
    }
    return text;
}

const char* const kSmallProgram =
    "%\nT1 M6\nG90 G21\nG0 X0. Y0. Z5.\nG1 Z-1. F100.\nX50.\nY30.\nX0.\nY0.\nG0 Z5.\n"
    "T2 M6\nG0 X10. Y10.\nG1 Z-2. F250.\nG2 X40. Y10. I15. J0.\nG1 Y20.\nG3 X10. Y20. I-15. J0.\n"
    "G0 Z5.\nM30\n";

const char* const kHugeNumbers =
    "G0 X1e308 Y-1e308 Z1e308\n"
    "G1 X99999999999999999999999999999999 Y-99999999999999999999999 F1\n"
    "G1 X1.7976931348623157E308 Y-1.7976931348623157E308 Z4.9E-324 F99999999999999999999\n"
    "G2 X0. Y0. I1e300 J-1e300\n"
    "G3 X1. Y1. R0.0000000000000000000001\n"
    "G2 X100000000. Y0. I50000000. J0.\n"
    "G3 X-100000000. Y0. R-100000000.\n"
    "N999999999999999999999 G1 X.000000000000000000000000000001\n"
    "T99999999999999 M6\nT-1 M6\nF-5 G1 X1\nF0 G1 Y1\n"
    "G1 X1..2.3 Y--4 Z+-+5 F.\n"
    "G91 G1 X1e300\nX1e300\nX1e300\nG90\n"
    "G17 G2 I.5 J.5\nG18 G3 I-1e200 K1e200\nG19 G2 J1e-300 K1e-300\n"
    "G81 X1 Y1 Z-1e300 R1e300 F1\nG83 Z-5 R1 Q0.0000001 F1\nG80\n"
    "(ARCMODE:99999999999)\n(ARCMODE:-1)\n(ARCMODE:\nM30\n";

QByteArray longdigits() {
    QByteArray text = "G1 X";
    text += QByteArray(20000, '9');
    text += " Y-";
    text += QByteArray(20000, '0');
    text += "1 F100\nG2 X1 Y1 I";
    text += QByteArray(5000, '7');
    text += "\n";
    return text;
}

QByteArray controlbytes() {
    QByteArray text = "G1 X1\rY2\r\rZ3\0G1 X4\n(unclosed comment G1 X5\nG1 X6 (a(b)c) Y7\n";
    text += QByteArray("\xEF\xBB\xBFG0 X1 Y1\n\xFF\xFE G1 X2\n%%%\n;;;\n/G1 X9\n");
    for (int c = 0; c < 32; ++c) {
        text += "G1 X";
        text += QByteArray::number(c);
        text += static_cast<char>(c);
        text += "Y1\n";
    }
    return text;
}

QByteArray oneline(int size) {
    QByteArray text;
    while (text.size() < size) text += "G1 X1. Y2. Z-.5 F100 G2 X3 Y3 R2 ";
    return text;  // no line feed at the end
}

}  // namespace

MonkeyFiles::MonkeyFiles(const QStringList& programfolders, std::mt19937_64& rng) {
    for (const QString& folder : programfolders) {
        const QDir dir(folder);
        for (const QFileInfo& info : dir.entryInfoList(QDir::Files | QDir::Readable, QDir::Name)) {
            // Programs of some megabytes stay; the sanitizers make anything larger slow.
            if (info.size() <= 4 * 1024 * 1024) programs_ << info.absoluteFilePath();
        }
    }
    if (!scratch_.isValid()) return;
    programs_ << make(QStringLiteral("small.nc"), kSmallProgram);
    programs_ << make(QStringLiteral("random.nc"), randomprogram(rng, 3000));
    programs_ << make(QStringLiteral("random-short.ngc"), randomprogram(rng, 40));

    hostile_ << make(QStringLiteral("empty.nc"), {});
    hostile_ << make(QStringLiteral("garbage.bin"), randombytes(rng, 64 * 1024));
    hostile_ << make(QStringLiteral("nul.nc"), QByteArray(100 * 1024, '\0'));
    hostile_ << make(QStringLiteral("hugenumbers.nc"), kHugeNumbers);
    hostile_ << make(QStringLiteral("longdigits.nc"), longdigits());
    hostile_ << make(QStringLiteral("controlbytes.nc"), controlbytes());
    hostile_ << make(QStringLiteral("oneline.nc"), oneline(512 * 1024));
    hostile_ << make(QString::fromUtf8("程式 with spaces.nc"), kSmallProgram);
    // A name that is not valid UTF-8: the file system allows it, text does not.
    const QString badname =
        QFile::decodeName(QFile::encodeName(scratch_.path()) + QByteArray("/bad\xff\xfe name.nc"));
    {
        QFile file(badname);
        if (file.open(QIODevice::WriteOnly)) file.write(kSmallProgram);
        hostile_ << badname;
    }
    const QString fifo = scratch_.filePath(QStringLiteral("fifo.nc"));
    if (mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0) hostile_ << fifo;
    const QString folder = scratch_.filePath(QStringLiteral("folder.nc"));
    if (QDir().mkpath(folder)) hostile_ << folder;
    const QString loop = scratch_.filePath(QStringLiteral("loop.nc"));
    if (symlink("loop.nc", QFile::encodeName(loop).constData()) == 0) hostile_ << loop;
    hostile_ << scratch_.filePath(QStringLiteral("missing.nc"));
    hostile_ << QString() << QStringLiteral("/");
    for (const char* device : {"/dev/null", "/dev/zero", "/dev/urandom"}) {
        if (QFileInfo::exists(QString::fromLatin1(device))) hostile_ << QString::fromLatin1(device);
    }
    followed_ = make(QStringLiteral("followed.nc"), kSmallProgram);
}

QString MonkeyFiles::make(const QString& name, const QByteArray& bytes) {
    const QString path = scratch_.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) file.write(bytes);
    return path;
}

QString MonkeyFiles::pick(std::mt19937_64& rng) const {
    const auto roll = rng() % 10;
    if (roll < 5 && !programs_.isEmpty())
        return programs_[static_cast<int>(rng() % programs_.size())];
    if (roll < 9 && !hostile_.isEmpty()) return hostile_[static_cast<int>(rng() % hostile_.size())];
    return followed_;
}

QString MonkeyFiles::changefollowed(std::mt19937_64& rng) const {
    const QByteArray path = QFile::encodeName(followed_);
    // Whatever stands there now goes first: a file, a FIFO or a folder.
    if (rmdir(path.constData()) != 0) unlink(path.constData());
    const auto roll = rng() % 8;
    auto write = [&](const QByteArray& bytes) {
        QFile file(followed_);
        if (file.open(QIODevice::WriteOnly)) file.write(bytes);
    };
    switch (roll) {
        case 0:
            write(kSmallProgram);
            return QStringLiteral("a small program");
        case 1:
            write(randomprogram(rng, 200));
            return QStringLiteral("random blocks");
        case 2:
            write({});
            return QStringLiteral("nothing (emptied)");
        case 3:
            write(randombytes(rng, 4096));
            return QStringLiteral("garbage");
        case 4:
            mkfifo(path.constData(), 0600);
            return QStringLiteral("a FIFO");
        case 5:
            QDir().mkpath(followed_);
            return QStringLiteral("a folder");
        case 6:
            return QStringLiteral("removed");
        default: {
            // Written in two steps, as an editor saving slowly would leave it in between.
            QByteArray text = kSmallProgram;
            write(text.left(static_cast<int>(rng() % text.size())));
            return QStringLiteral("half written");
        }
    }
}

}  // namespace monkey
