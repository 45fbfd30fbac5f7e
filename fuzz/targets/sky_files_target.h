// The chart's data file readers on arbitrary bytes: the star catalogue
// (with the marker file's names) and the constellation figures.  Besides
// not crashing: every line is either read or counted as skipped, and what
// is read lies on the sky.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "sky/sky_files.h"

namespace fuzz {

inline int DataLines(std::string_view text) {
  int lines = 0;
  for (size_t pos = 0; pos < text.size();) {
    size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    while (!line.empty() && std::string_view(" \t\r\v\f").find(line.front()) != std::string_view::npos) {
      line.remove_prefix(1);
    }
    if (!line.empty() && line.front() != '#') ++lines;
    pos = end + 1;
  }
  return lines;
}

inline bool OnTheSky(double raHours, double decDegrees) {
  return raHours >= 0.0 && raHours <= 24.0 && decDegrees >= -90.0 && decDegrees <= 90.0;
}

class CStarCatalogueFuzz {
 public:
  void Run(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const sky::StarCatalogue catalogue = sky::ParseStarCatalogue(text);
    FUZZ_CHECK(int(catalogue.stars.size()) + catalogue.skippedLines <= DataLines(text), "%zu stars, %d skipped",
               catalogue.stars.size(), catalogue.skippedLines);
    for (const sky::CatalogueStar& s : catalogue.stars) {
      FUZZ_CHECK(OnTheSky(s.raHours, s.decDegrees) && std::isfinite(s.magnitude), "star HR %d off the sky", s.hr);
      FUZZ_CHECK(catalogue.FindHr(s.hr) != nullptr, "HR %d not found", s.hr);
    }
    const sky::StarLabels labels = sky::ParseStarLabels(text);
    for (const sky::StarLabel& l : labels.labels) {
      FUZZ_CHECK(OnTheSky(l.raHours, l.decDegrees) && !l.name.empty(), "label off the sky");
    }
  }
};

class CConstellationsFuzz {
 public:
  void Run(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const sky::ConstellationFigures figures = sky::ParseConstellationFigures(text);
    FUZZ_CHECK(int(figures.segments.size()) + figures.skippedLines <= DataLines(text), "%zu segments, %d skipped",
               figures.segments.size(), figures.skippedLines);
    for (const sky::FigureSegment& s : figures.segments) {
      FUZZ_CHECK(OnTheSky(s.raHours1, s.decDegrees1) && OnTheSky(s.raHours2, s.decDegrees2), "segment off the sky");
    }
  }
};

}  // namespace fuzz
