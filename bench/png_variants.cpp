#include "png_variants.h"

#include <png.h>
#include <zlib.h>

namespace vireloc::bench {

namespace {

struct Filter {
  const char* name;
  int bits;
};

const Filter filters[] = {{"NONE", PNG_FILTER_NONE}, {"SUB", PNG_FILTER_SUB},
                          {"UP", PNG_FILTER_UP},     {"AVG", PNG_FILTER_AVG},
                          {"PAETH", PNG_FILTER_PAETH}, {"ALL", PNG_ALL_FILTERS}};

std::string name(int level, const Filter& filter, const char* strategy = "") {
  return "level " + std::to_string(level) + ", " + filter.name + strategy;
}

}  // namespace

std::vector<PngVariant> pngVariants() {
  std::vector<PngVariant> out;
  const Filter& all = filters[5];
  for (int level = 1; level <= 9; ++level) {
    out.push_back({name(level, all), {level, all.bits, Z_DEFAULT_STRATEGY}});
  }
  for (int level : {1, 3, 6}) {
    for (const Filter& f : filters) {
      if (f.bits == all.bits) continue;
      out.push_back({name(level, f), {level, f.bits, Z_DEFAULT_STRATEGY}});
    }
  }
  // Between the fast single filters and level 6: where the size and speed goals meet.
  const Filter upPaeth{"UP+PAETH", PNG_FILTER_UP | PNG_FILTER_PAETH};
  for (int level : {4, 5}) {
    for (const Filter& f : {filters[2], filters[4], upPaeth}) {
      out.push_back({name(level, f), {level, f.bits, Z_DEFAULT_STRATEGY}});
    }
  }
  out.push_back({name(6, upPaeth), {6, upPaeth.bits, Z_DEFAULT_STRATEGY}});
  for (const Filter& f : {filters[1], filters[2], filters[5]}) {
    out.push_back({name(1, f, ", Z_RLE"), {1, f.bits, Z_RLE}});
  }
  for (int level : {3, 6}) {
    for (const Filter& f : {filters[1], filters[2], filters[5]}) {
      out.push_back({name(level, f, ", Z_FILTERED"), {level, f.bits, Z_FILTERED}});
    }
  }
  return out;
}

}  // namespace vireloc::bench
