#pragma once
// While a job holds the thread the window still answers two things: Escape, which cuts the
// job short, and a close request, which ends the program. Everything else the user does to
// the window meanwhile is dropped, so that no click on a greyed button acts once the job is
// over; other windows (a message box the job shows) keep their input.

#include <QObject>
#include <chrono>
#include <functional>

class QWidget;

class JobInput : public QObject {
    Q_OBJECT
  public:
    explicit JobInput(QWidget& window);
    ~JobInput() override;

    // Brackets a job. Jobs may nest; the outermost one drops what was queued meanwhile.
    class Scope {
      public:
        explicit Scope(JobInput& input) : input_(input) { input_.begin(); }
        ~Scope() { input_.end(); }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

      private:
        JobInput& input_;
    };

    bool running() const { return depth_ > 0; }

    // Lets the queued events through, at most every 100 ms: Escape and close are noted, other
    // input to the window is dropped, paints are done.
    void poll();
    // Takes the Escape pressed since the last call.
    bool takeescape();
    bool closerequested() const { return close_; }

    // After the outermost job, before a close request is carried out.
    std::function<void()> finished;

    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void begin();
    void end();
    bool towindow(QObject* watched) const;
    void takeevents();

    QWidget& window_;
    int depth_ = 0;
    bool escape_ = false;
    bool close_ = false;
    std::chrono::steady_clock::time_point lastpoll_;
};
