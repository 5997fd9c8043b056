#include "tests/monkey/monkeywatch.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QKeySequence>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "app/vorlixmain.h"
#include "tests/monkey/monkeyfiles.h"
#include "tests/monkey/monkeyguard.h"
#include "tests/monkey/monkeyinput.h"

namespace monkey {
namespace {

using Clock = std::chrono::steady_clock;

int64_t msince(Clock::time_point then) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - then).count();
}

}  // namespace

MonkeyWatch::MonkeyWatch(Tvorlixform& window, const MonkeyFiles& files, uint64_t seed,
                         int jobseconds)
    : window_(window), files_(files), jobseconds_(jobseconds), rng_(seed ^ 0x9E3779B97F4A7C15ULL) {
    connect(&ticker_, &QTimer::timeout, this, [this] { tick(); });
    ticker_.start(25);
}

void MonkeyWatch::tick() {
    heartbeat();
    if (ticking_) return;
    ticking_ = true;
    // A menu that runs its own loop (a context menu) holds the main sequence like a dialog.
    QWidget* modal = QApplication::activePopupWidget();
    if (modal == nullptr) modal = QApplication::activeModalWidget();
    if (modal != lastmodal_) {
        lastmodal_ = modal;
        modalseen_ = Clock::now();
    }
    if (modal != nullptr) {
        // Shown for a moment first, as a user takes a moment to read it.
        const bool popup = modal == QApplication::activePopupWidget();
        if (msince(modalseen_) > (popup ? 400 : 60)) answer(*modal);
    } else if (window_.jobrunning() && closing_ && !closesent_) {
        closesent_ = true;
        record("(job) close request");
        QCloseEvent request;
        QCoreApplication::sendEvent(window_.windowHandle(), &request);
    } else if (window_.jobrunning()) {
        injob();
    } else {
        injob_ = false;
    }
    ticking_ = false;
}

void MonkeyWatch::answer(QWidget& modal) {
    const auto roll = rng_() % 10;
    const std::string name = modal.metaObject()->className();
    if (roll == 0) {
        // The window under the dialog is blocked; input to it must go nowhere.
        randominput("(under a dialog)");
        return;
    }
    if (&modal == QApplication::activePopupWidget()) {
        const bool choose = roll < 6;
        record("(popup) " + std::string(choose ? "Down, Return" : "Escape") + " in the held " +
               name);
        if (choose) presskey(modal, Qt::Key_Down);
        presskey(modal, choose ? Qt::Key_Return : Qt::Key_Escape);
    } else if (auto* box = qobject_cast<QMessageBox*>(&modal)) {
        const QList<QAbstractButton*> buttons = box->buttons();
        if (roll < 3 || buttons.isEmpty()) {
            record("(dialog) Escape in the message box '" + box->text().left(60).toStdString() +
                   "'");
            presskey(*box, Qt::Key_Escape);
        } else {
            QAbstractButton* button = buttons[static_cast<int>(rng_() % buttons.size())];
            record("(dialog) '" + button->text().toStdString() + "' in the message box '" +
                   box->text().left(60).toStdString() + "'");
            button->click();
        }
    } else if (auto* input = qobject_cast<QInputDialog*>(&modal)) {
        if (roll < 4) {
            record("(dialog) Escape in the input dialog");
            presskey(*input, Qt::Key_Escape);
        } else {
            static const char* const answers[] = {"1", "0", "-5", "99999999999", "N120", "3"};
            const char* typed = answers[rng_() % (sizeof answers / sizeof *answers)];
            record(std::string("(dialog) types ") + typed + " and Return in the input dialog");
            QWidget* focus = input->focusWidget() != nullptr ? input->focusWidget() : input;
            QTest::keyClick(focus, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(focus, QString::fromLatin1(typed));
            presskey(*input, Qt::Key_Return);
        }
    } else if (auto* files = qobject_cast<QFileDialog*>(&modal)) {
        if (roll < 4) {
            record("(dialog) the open dialog cancelled");
            files->reject();
        } else {
            const QString path = files_.pick(rng_);
            record("(dialog) the open dialog chooses " + path.toStdString());
            files->selectFile(path);
            static_cast<QDialog*>(files)->accept();  // as the Open button does, checks included
        }
    } else if (auto* dialog = qobject_cast<QDialog*>(&modal)) {
        record("(dialog) " + name + " rejected");
        dialog->reject();
    } else {
        record("(dialog) " + name + " closed");
        modal.close();
    }
}

void MonkeyWatch::injob() {
    if (!injob_) {
        injob_ = true;
        jobbegan_ = Clock::now();
        // Mostly as impatient as a user watching a slowed drawing, now and then patient.
        escapeafterms_ = 30 + static_cast<int>(rng_() % 8 == 0 ? rng_() % 4000 : rng_() % 300);
    }
    const int64_t running = msince(jobbegan_);
    if (running > escapeafterms_ + int64_t{jobseconds_} * 1000) {
        fail("a job (or a slowed drawing) still runs " + std::to_string(running / 1000) +
             " s after it began, although Escape was pressed after " +
             std::to_string(escapeafterms_) + " ms");
    }
    if (running > escapeafterms_ && msince(lastescape_) > 500) {
        lastescape_ = Clock::now();
        record("(job) Escape after " + std::to_string(running) + " ms");
        presskey(window_, Qt::Key_Escape);
        return;
    }
    if (rng_() % 4 == 0) randominput("(job)");
}

void MonkeyWatch::randominput(const char* when) {
    const std::string prefix = std::string(when) + " ";
    const QPoint at = anywhere(window_, rng_);
    switch (rng_() % 8) {
        case 0:
        case 1: {
            static const Qt::Key keys[] = {Qt::Key_F1,    Qt::Key_Right, Qt::Key_PageUp,
                                           Qt::Key_F6,    Qt::Key_F5,    Qt::Key_Up,
                                           Qt::Key_Space, Qt::Key_Return};
            const Qt::Key key = keys[rng_() % (sizeof keys / sizeof *keys)];
            record(prefix + "key " + QKeySequence(key).toString().toStdString());
            presskey(window_, key);
            break;
        }
        case 2:
        case 3:
            record(prefix + "left click at (" + std::to_string(at.x()) + "," +
                   std::to_string(at.y()) + ")");
            click(window_, Qt::LeftButton, Qt::NoModifier, at);
            break;
        case 4:
            record(prefix + "right click at (" + std::to_string(at.x()) + "," +
                   std::to_string(at.y()) + ")");
            click(window_, Qt::RightButton, Qt::NoModifier, at);
            break;
        case 5:
            record(prefix + "wheel at (" + std::to_string(at.x()) + "," + std::to_string(at.y()) +
                   ")");
            if (QApplication::activeModalWidget() == nullptr) wheel(window_, at, 1, Qt::NoModifier);
            break;
        case 6: {
            record(prefix + "middle drag from (" + std::to_string(at.x()) + "," +
                   std::to_string(at.y()) + ")");
            press(window_, Qt::MiddleButton, Qt::NoModifier, at);
            moveto(window_, at + QPoint(40, 25));
            release(window_, Qt::MiddleButton, Qt::NoModifier, at + QPoint(40, 25));
            break;
        }
        default: {
            if (rng_() % 4 != 0) break;
            const QSize size(700 + static_cast<int>(rng_() % 581),
                             453 + static_cast<int>(rng_() % 572));
            record(prefix + "resize to " + std::to_string(size.width()) + "x" +
                   std::to_string(size.height()));
            window_.resize(size);
            break;
        }
    }
}

}  // namespace monkey
