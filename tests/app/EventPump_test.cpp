#include "app/EventPump.h"

#include <QtTest>
#include <cstdint>
#include <vector>

using tarnvik::app::EventPump;

class EventPumpTest : public QObject {
  Q_OBJECT

 private slots:
  void processesAtMostOncePerInterval_data() {
    QTest::addColumn<QList<qint64>>("callsMs");    // moments of the Pump() calls
    QTest::addColumn<QList<qint64>>("processed");  // moments at which events were processed
    QTest::addColumn<qint64>("longestGapMs");
    QTest::newRow("first call processes") << QList<qint64>{3} << QList<qint64>{3} << qint64{3};
    QTest::newRow("calls in a burst")
        << QList<qint64>{1, 2, 5, 14, 16, 17, 40} << QList<qint64>{1, 16, 40} << qint64{24};
    QTest::newRow("slow calls all process")
        << QList<qint64>{20, 40, 60} << QList<qint64>{20, 40, 60} << qint64{20};
    QTest::newRow("exactly one interval later")
        << QList<qint64>{0, 15, 29, 30} << QList<qint64>{0, 15, 30} << qint64{15};
  }

  void processesAtMostOncePerInterval() {
    QFETCH(QList<qint64>, callsMs);
    QFETCH(QList<qint64>, processed);
    QFETCH(qint64, longestGapMs);
    int64_t now = 0;
    QList<qint64> seen;
    EventPump pump([&] { return now; }, [&] { seen << now / 1'000'000; });
    pump.BeginCommand();
    for (qint64 ms : callsMs) {
      now = ms * 1'000'000;
      pump.Pump();
    }
    pump.EndCommand();
    QCOMPARE(seen, processed);
    QCOMPARE(pump.Calls(), static_cast<int64_t>(callsMs.size()));
    QCOMPARE(pump.Processed(), static_cast<int64_t>(processed.size()));
    QCOMPARE(pump.LongestGapNs(), longestGapMs * 1'000'000);
  }

  void aNewCommandProcessesAtOnceAndCountsTheTailGap() {
    int64_t now = 0;
    int processed = 0;
    EventPump pump([&] { return now; }, [&] { ++processed; });
    pump.Pump();
    now = 5'000'000;
    pump.BeginCommand();
    pump.Pump();
    QCOMPARE(processed, 2);
    now = 95'000'000;
    pump.EndCommand();
    QCOMPARE(pump.LongestGapNs(), int64_t{90'000'000});
    QCOMPARE(pump.Calls(), int64_t{1});
  }

  void processingTimeIsNotAGap() {
    int64_t now = 0;
    // Each processing step takes 30 ms of the clock.
    EventPump pump([&] { return now; }, [&] { now += 30'000'000; });
    pump.BeginCommand();
    pump.Pump();
    now += 10'000'000;
    pump.Pump();
    now += 10'000'000;
    pump.Pump();
    pump.EndCommand();
    QCOMPARE(pump.Processed(), int64_t{2});
    QCOMPARE(pump.LongestGapNs(), int64_t{20'000'000});
  }
};

QTEST_GUILESS_MAIN(EventPumpTest)
#include "EventPump_test.moc"
