// The benchmark's results as markdown: one table per frame, then the goals it must meet.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace vireloc::bench {

struct Row {
  std::string format, method;
  double ms = 0;  // best of the repetitions, from pixels in memory to a closed file
  std::uintmax_t bytes = 0;
  bool reference = false;  // what the format's goal is measured against
};

void printTable(const std::string& title, const std::vector<Row>& rows);

// Checks: PNG at least 2x faster than ImageMagick with at most 10% larger files, judged
// against ImageMagick's encoding alone (without its start-up and read), which is stricter;
// JPEG within 10% of cjpeg; BMP close to a raw write (within 2x: the bottom-up rows cost one
// copy). Also lists every PNG setting that meets the PNG goal.
void printGoals(const std::string& title, const std::vector<Row>& rows);

}  // namespace vireloc::bench
