#pragma once
// The "Error in Arc Datas...." box of one job. A program with many bad radius words would
// otherwise hold the user at one modal box per word before any picture appears; "Ignore All"
// stops the boxes for the rest of the job and one box at its end says how many were skipped.

#include <cstdint>

class QWidget;

class ArcDataMessages {
  public:
    explicit ArcDataMessages(QWidget* parent) : parent_(parent) {}

    // A new job shows the box again.
    void startjob();
    // One radius too short for its chord.
    void report();
    // The count of messages skipped since "Ignore All", if any, in one last box.
    void endjob();

  private:
    QWidget* parent_;
    bool ignoreall_ = false;
    int64_t ignored_ = 0;
};
