#include "app/stockalarms.h"

#include "app/readingnoticerow.h"
#include "app/vorlixmain.h"
#include "sim/stocksimulation.h"

void StockAlarms::add(const std::vector<sim::SimulationAlarm>& alarms) {
    ReadingNotice notice = form_.job.notice;
    bool added = false;
    for (const sim::SimulationAlarm& alarm : alarms) {
        if (!lines_.insert(alarm.line).second) continue;
        added_.push_back({alarm.line, alarm.text()});
        notice.problem(alarm.line, alarm.text());
        added = true;
    }
    if (!added) return;
    form_.job.notice = notice;
    form_.noticerow->shownotice(notice);
}

void StockAlarms::withdraw() {
    if (!added_.empty()) {
        ReadingNotice notice = form_.job.notice;
        notice.withdraw(added_);
        form_.job.notice = notice;
        form_.noticerow->shownotice(notice);
    }
    forget();
}

void StockAlarms::forget() {
    lines_.clear();
    added_.clear();
}
