// Host-side timings of a 30 MB clipboard text (15 million UTF-16 characters) in the core:
// the history's search and reordering, and the whole change handling on the simulated desktop
// with the history window open. The Wine side is bench/clipboard_text_bench.sh.
#include <benchmark/benchmark.h>

#include <string>

#include "app/main_form.h"
#include "clipboard/clip_history.h"
#include "platform/sim/sim_desktop.h"

namespace vireloc {
namespace {

// 15 million characters of ASCII: as long in UTF-8. Texts of one length that differ only in
// their last byte are the search's worst case: every comparison reads them to the end.
constexpr std::size_t kLength = 15'000'000;

std::string largeText(int variant) {
  std::string text(kLength, 'x');
  text.back() = static_cast<char>('A' + variant % 26);
  text[kLength - 2] = static_cast<char>('A' + variant / 26 % 26);
  return text;
}

sim::SimClipboardContent copied(std::string text) {
  sim::SimClipboardContent content;
  content.text = std::move(text);
  return content;
}

ClipHistory fullHistory() {
  ClipHistory history;
  for (int variant = 0; variant < ClipHistory::kSize; ++variant) history.record(largeText(variant));
  return history;
}

// A new text: compared with entries 0 to 3, then the oldest entry goes.
void recordNewText(benchmark::State& state) {
  ClipHistory history = fullHistory();
  int variant = ClipHistory::kSize;
  for (auto _ : state) {
    state.PauseTiming();
    std::string text = largeText(variant++);
    state.ResumeTiming();
    history.record(std::move(text));
  }
}
BENCHMARK(recordNewText)->Unit(benchmark::kMillisecond);

// A text equal to entry 3 moves to the top.
void recordKnownText(benchmark::State& state) {
  ClipHistory history = fullHistory();
  for (auto _ : state) {
    state.PauseTiming();
    std::string text = history.entry(3);
    state.ResumeTiming();
    history.record(std::move(text));
  }
}
BENCHMARK(recordKnownText)->Unit(benchmark::kMillisecond);

// Another program copies a new text; the watcher reads it, records it and refreshes the open
// history window.
void watcherRecordsWithWindowOpen(benchmark::State& state) {
  sim::SimDesktop desktop;
  Platform platform = desktop.platform();
  Application application(platform);
  application.setTitle("Dovrant");
  TForm1 mainWindow(platform, application);
  mainWindow.settings.AutoPopup = true;
  for (int variant = 0; variant < ClipHistory::kSize; ++variant)
    desktop.otherProgramCopies(copied(largeText(variant)));
  if (!mainWindow.historyWindow) state.SkipWithError("the history window did not open");
  int variant = ClipHistory::kSize;
  for (auto _ : state) {
    state.PauseTiming();
    sim::SimClipboardContent content = copied(largeText(variant++));
    state.ResumeTiming();
    desktop.otherProgramCopies(std::move(content));
  }
}
BENCHMARK(watcherRecordsWithWindowOpen)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vireloc

BENCHMARK_MAIN();
