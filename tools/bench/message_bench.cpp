// Costs of the alarm list as it grows: Message.ini in and out, the hour's rebuild and the tick's
// minute work.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "alarms/alarm_tracker.h"
#include "alarms/message_file.h"
#include "line_file.h"

namespace {

const LocalTime kNow{2026, 12, 9, 3, 7, 4, 30};

// A list as users make it: all four date units, mostly timed items, messages of a few lines
// of Japanese text.
std::vector<CMessageRecord> MakeList(int count) {
  std::vector<CMessageRecord> list;
  list.reserve(count);
  for (int i = 0; i < count; ++i) {
    CMessageRecord r;
    r.title = "\x8b\x4e\x8f\xb0 " + std::to_string(i);  // 起床 n
    r.alarm = i % 3 ? "C:\\sounds\\bell" + std::to_string(i % 7) + ".wav" : "NULL";
    r.message = i % 5 ? "\x82\xa8\x82\xcd\x82\xe6\x82\xa4\r\nline two of " + std::to_string(i)
                      : std::string("NULL");
    switch (i % 4) {
      case 0:
        r.dateUnit = kYearly;
        r.dateDetail = std::to_string(i % 12 + 1) + "/" + std::to_string(i % 28 + 1);
        break;
      case 1:
        r.dateUnit = kMonthly;
        r.dateDetail = std::to_string(i % 31 + 1);
        break;
      case 2:
        r.dateUnit = kWeekly;
        r.dateDetail = std::to_string(i % 7);
        break;
      default:
        r.dateUnit = kDaily;
        r.dateDetail = "NULL";
    }
    if (i % 10 == 9) {
      r.timeUnit = kHourly;
      r.timeDetail = std::to_string(i % 60);
    } else {
      r.timeUnit = kAtTime;
      r.timeDetail = std::to_string(i % 24) + ":" + std::to_string(i * 7 % 60);
    }
    list.push_back(std::move(r));
  }
  return list;
}

void Sizes(benchmark::internal::Benchmark* b) {
  for (int n : {100, 1000, 10000, 100000}) b->Arg(n);
  b->Unit(benchmark::kMicrosecond);
}

void BM_Load(benchmark::State& state) {
  const std::string bytes = FormatMessageFile(MakeList(static_cast<int>(state.range(0))));
  for (auto _ : state) benchmark::DoNotOptimize(ParseMessageFile(bytes));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}
BENCHMARK(BM_Load)->Apply(Sizes);

void BM_Save(benchmark::State& state) {
  const auto list = MakeList(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(FormatMessageFile(list));
}
BENCHMARK(BM_Save)->Apply(Sizes);

// Through a real file: read and parse, then format and the atomic write (with its flush to
// disk), as start-up and exit do.
void BM_LoadAndSaveFile(benchmark::State& state) {
  const FilePath path = "/tmp/alarms_bench_Message.ini";
  const std::string bytes = FormatMessageFile(MakeList(static_cast<int>(state.range(0))));
  if (!WriteFileBytes(path, bytes)) state.SkipWithError("cannot write the file");
  for (auto _ : state) {
    auto list = ParseMessageFile(ReadFileBytes(path).value_or(""));
    if (!WriteFileBytes(path, FormatMessageFile(list))) state.SkipWithError("save failed");
  }
  std::remove(path.c_str());
}
BENCHMARK(BM_LoadAndSaveFile)->Apply(Sizes);

void BM_RebuildHourMessages(benchmark::State& state) {
  const auto list = MakeList(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(BuildHourMessages(list, kNow));
  state.counters["candidates"] = static_cast<double>(BuildHourMessages(list, kNow).size());
}
BENCHMARK(BM_RebuildHourMessages)->Apply(Sizes);

// A tick at a new minute of the same hour: the minute check over the hour's candidates.
void BM_MinuteCheck(benchmark::State& state) {
  const auto list = MakeList(static_cast<int>(state.range(0)));
  auto hour = BuildHourMessages(list, kNow);
  LocalTime now = kNow;
  for (auto _ : state) {
    state.PauseTiming();
    CAlarmTracker tracker(kNow);
    tracker.Rebuilt(kNow);
    now.minute = kNow.minute + 1;
    state.ResumeTiming();
    benchmark::DoNotOptimize(tracker.Tick(now, list, hour));
  }
}
BENCHMARK(BM_MinuteCheck)->Apply(Sizes);

// The other 59 ticks of a minute: nothing to do, whatever the list's size.
void BM_TickWithinTheMinute(benchmark::State& state) {
  const auto list = MakeList(static_cast<int>(state.range(0)));
  auto hour = BuildHourMessages(list, kNow);
  CAlarmTracker tracker(kNow);
  tracker.Rebuilt(kNow);
  LocalTime now = kNow;
  for (auto _ : state) {
    now.second = (now.second + 1) % 60;
    benchmark::DoNotOptimize(tracker.Tick(now, list, hour));
  }
}
BENCHMARK(BM_TickWithinTheMinute)->Apply(Sizes);

}  // namespace

BENCHMARK_MAIN();
