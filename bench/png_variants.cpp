#include "png_variants.h"

namespace vireloc::bench {

std::vector<PngVariant> pngVariants() {
  struct Filter {
    const char* name;
    PngRowFilter filter;
  };
  std::vector<PngVariant> out;
  for (Filter f : {Filter{"NONE", PngRowFilter::none}, Filter{"UP", PngRowFilter::up},
                   Filter{"UP or SUB per row", PngRowFilter::upOrSub}}) {
    for (int level : {1, 3, 4, 5, 6, 7, 9}) {
      if (f.filter == PngRowFilter::none && level != 1 && level != 6) continue;
      out.push_back({"level " + std::to_string(level) + ", " + f.name, {level, f.filter}});
    }
  }
  return out;
}

}  // namespace vireloc::bench
