#pragma once

#include <QElapsedTimer>
#include <cstdint>
#include <functional>

namespace tarnvik::app {

// Lets the event loop run during long work on the UI thread, at most once
// per interval: the engine asks after every folder, partition and mark
// (tens of thousands of times per search), while a repaint every 15 ms
// keeps the windows live. Skipping a call changes nothing but the timing.
//
// Also keeps the longest stretch of the current command during which no
// events were processed. UI thread only.
class EventPump {
 public:
  using ClockNs = std::function<int64_t()>;
  using Process = std::function<void()>;

  static constexpr int64_t kIntervalNs = 15'000'000;

  // Processes events with QCoreApplication::processEvents, timed by a
  // monotonic clock.
  EventPump();
  // The same with a given clock (nanoseconds) and processing step (tests).
  EventPump(ClockNs clock, Process process);

  // Processes pending events unless the last processing ended less than
  // kIntervalNs ago.
  void Pump();

  // Starts a command: the next Pump() processes events at once, and the
  // longest gap is measured from now.
  void BeginCommand();
  // Ends a command: the gap from the last processing to now counts too.
  void EndCommand();

  // Calls of Pump() since BeginCommand(), and how many of them processed.
  int64_t Calls() const { return calls_; }
  int64_t Processed() const { return processed_; }
  // The longest time in the current (or last) command without processing.
  int64_t LongestGapNs() const { return longestGapNs_; }

 private:
  void NoteGap(int64_t now);

  ClockNs clock_;
  Process process_;
  QElapsedTimer timer_;
  bool primed_ = false;
  int64_t lastEndNs_ = 0;
  int64_t calls_ = 0;
  int64_t processed_ = 0;
  int64_t longestGapNs_ = 0;
};

}  // namespace tarnvik::app
