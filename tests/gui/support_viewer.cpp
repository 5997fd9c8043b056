#include "tests/gui/support_viewer.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QMessageBox>
#include <QTimer>
#include <vector>

#include "app/vorlixmain.h"
#include "app/workingbar.h"

namespace guitest {

const char* const kTwoToolProgram =
    "%\n"
    "T1 M6\n"
    "G90 G21\n"
    "G0 X0. Y0. Z5.\n"
    "G1 Z-1. F100.\n"
    "X50.\n"
    "Y30.\n"
    "X0.\n"
    "Y0.\n"
    "G0 Z5.\n"
    "T2 M6\n"
    "G0 X10. Y10.\n"
    "G1 Z-2. F250.\n"
    "G2 X40. Y10. I15. J0.\n"
    "G1 Y20.\n"
    "G3 X10. Y20. I-15. J0.\n"
    "G0 Z5.\n"
    "M30\n";

CommandLine commandline(std::initializer_list<std::string> args) {
    std::vector<const char*> argv{"korven"};
    for (const std::string& a : args) argv.push_back(a.c_str());
    return parsecommandline(static_cast<int>(argv.size()), argv.data());
}

void runloop(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

bool waituntil(const std::function<bool()>& done, int timeoutms) {
    for (int waited = 0; waited < timeoutms && !done(); waited += 20) runloop(20);
    return done();
}

QString outdir() {
    // Test programs running side by side each get a folder of their own from the runner.
    const QString dir =
        qEnvironmentVariable("KORVEN_GUI_OUT_DIR", QStringLiteral(KORVEN_GUI_OUT_DIR));
    QDir().mkpath(dir);
    return dir;
}

std::string writeprogram(const std::string& name, const std::string& text) {
    const QString path = outdir() + QLatin1Char('/') + QString::fromStdString(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) file.write(text.data(), static_cast<qint64>(text.size()));
    return path.toStdString();
}

int differingpixels(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return -1;
    int n = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x)
            n += (a.pixel(x, y) & 0xFFFFFFU) != (b.pixel(x, y) & 0xFFFFFFU);
    }
    return n;
}

std::string savepicture(const QImage& image, const std::string& name) {
    const QString path = outdir() + QLatin1Char('/') + QString::fromStdString(name) + ".png";
    image.save(path);
    return path.toStdString();
}

MessageAnswerer::MessageAnswerer(std::function<void(QMessageBox&, int)> answer, int everyms) {
    QObject::connect(&timer_, &QTimer::timeout, [this, answer] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            texts.push_back(box->text());
            if (answer) {
                answer(*box, static_cast<int>(texts.size()) - 1);
            } else {
                box->accept();
            }
        }
    });
    timer_.start(everyms);
}

bool jobdone(const Tvorlixform& window) {
    return !window.firstidle && !window.openatidle && !window.WorkingBar->isVisible();
}

std::unique_ptr<Tvorlixform> openwindow(std::initializer_list<std::string> args) {
    auto window = std::make_unique<Tvorlixform>(commandline(args));
    window->job.arcDataError = [] {};
    window->show();
    waituntil([&] { return jobdone(*window); });
    runloop(50);
    return window;
}

int countcolor(const QImage& image, QRgb color) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            n += (image.pixel(x, y) & 0xFFFFFFU) == (color & 0xFFFFFFU);
    }
    return n;
}

int countothers(const QImage& image, std::initializer_list<QRgb> colors) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y) & 0xFFFFFFU;
            bool known = false;
            for (const QRgb c : colors) known = known || p == (c & 0xFFFFFFU);
            n += known ? 0 : 1;
        }
    }
    return n;
}

QRect drawnbox(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if ((image.pixel(x, y) & 0xFFFFFFU) != 0) box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

}  // namespace guitest
