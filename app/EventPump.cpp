#include "app/EventPump.h"

#include <QCoreApplication>
#include <algorithm>
#include <utility>

namespace tarnvik::app {

EventPump::EventPump() {
  timer_.start();
  clock_ = [this] { return static_cast<int64_t>(timer_.nsecsElapsed()); };
  process_ = [] { QCoreApplication::processEvents(); };
}

EventPump::EventPump(ClockNs clock, Process process)
    : clock_(std::move(clock)), process_(std::move(process)) {}

void EventPump::Pump() {
  ++calls_;
  const int64_t now = clock_();
  if (primed_ && now - lastEndNs_ < kIntervalNs) return;
  NoteGap(now);
  ++processed_;
  process_();
  primed_ = true;
  lastEndNs_ = clock_();
}

void EventPump::BeginCommand() {
  calls_ = 0;
  processed_ = 0;
  longestGapNs_ = 0;
  primed_ = false;
  lastEndNs_ = clock_();
}

void EventPump::EndCommand() { NoteGap(clock_()); }

void EventPump::NoteGap(int64_t now) { longestGapNs_ = std::max(longestGapNs_, now - lastEndNs_); }

}  // namespace tarnvik::app
