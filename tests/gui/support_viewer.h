#pragma once
// Driving the real viewer window in GUI tests: command lines, a real event loop (so the idle
// handler runs), program files, and pictures checked by colour and saved for a look.

#include <QImage>
#include <QRect>
#include <QString>
#include <QTimer>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "app/commandline.h"

class QMessageBox;
class Tvorlixform;

namespace guitest {

// The command line of `korven <args...>`.
CommandLine commandline(std::initializer_list<std::string> args);

// Runs the event loop (it blocks and so reports idle moments) for about ms milliseconds.
void runloop(int ms);
// Runs the event loop until done() holds or the time is up; returns done().
bool waituntil(const std::function<bool()>& done, int timeoutms = 20000);

// The test output folder, made if missing.
QString outdir();
// Writes a program into the test output folder and returns its path.
std::string writeprogram(const std::string& name, const std::string& text);
// Saves a picture into the test output folder and returns its path.
std::string savepicture(const QImage& image, const std::string& name);
// Pixels whose colour differs, alpha aside; -1 when the sizes differ.
int differingpixels(const QImage& a, const QImage& b);

// A shown window that has finished opening the program named on its command line.
std::unique_ptr<Tvorlixform> openwindow(std::initializer_list<std::string> args);
// The job has ended: first idle passed, progress bar gone.
bool jobdone(const Tvorlixform& window);

int countcolor(const QImage& image, QRgb color);
// Pixels whose colour is none of the given ones.
int countothers(const QImage& image, std::initializer_list<QRgb> colors);
// Bounding box of the pixels that are not black.
QRect drawnbox(const QImage& image);

// While it lives, answers every modal message box with answer(box, index) (by default
// accepts it) and keeps the boxes' texts in the order they came: a job holds the thread in
// the box's own event loop, so a test can only answer from a timer.
class MessageAnswerer {
  public:
    explicit MessageAnswerer(std::function<void(QMessageBox&, int)> answer = {}, int everyms = 20);
    std::vector<QString> texts;

  private:
    QTimer timer_;
};

// Two tools: a rectangle with the first, arcs with the second, rapids between.
extern const char* const kTwoToolProgram;

}  // namespace guitest
