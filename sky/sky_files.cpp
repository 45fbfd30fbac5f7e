#include "sky/sky_files.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "sky/text.h"

namespace sky {
namespace {

constexpr int kMaxHr = 100000;  // far above the catalogue's 9110

// Reads a line's fields one after the other; any failure spoils the line.
class LineReader {
 public:
  explicit LineReader(std::string_view line) : m_line(line) {}

  bool Number(double* out) {
    Skip();
    const char* first = m_line.data() + m_pos;
    const char* last = m_line.data() + m_line.size();
    if (first < last && *first == '+') ++first;
    const auto result = std::from_chars(first, last, *out);
    if (result.ec != std::errc() || !std::isfinite(*out)) return false;
    m_pos = size_t(result.ptr - m_line.data());
    return true;
  }
  bool Whole(int* out) {
    Skip();
    const auto result = std::from_chars(m_line.data() + m_pos, m_line.data() + m_line.size(), *out);
    if (result.ec != std::errc()) return false;
    m_pos = size_t(result.ptr - m_line.data());
    return true;
  }
  // A text in double quotes, returned without them.
  bool Quoted(std::string_view* out) {
    Skip();
    if (m_pos >= m_line.size() || m_line[m_pos] != '"') return false;
    const size_t close = m_line.find('"', m_pos + 1);
    if (close == std::string_view::npos) return false;
    *out = m_line.substr(m_pos + 1, close - m_pos - 1);
    m_pos = close + 1;
    return true;
  }
  // Nothing but blanks or a "#" comment follows.
  bool AtEnd() {
    Skip();
    return m_pos >= m_line.size() || m_line[m_pos] == '#';
  }

 private:
  void Skip() {
    while (m_pos < m_line.size() && IsBlank(m_line[m_pos])) ++m_pos;
  }
  std::string_view m_line;
  size_t m_pos = 0;
};

bool IsPosition(double raHours, double decDegrees) {
  return raHours >= 0.0 && raHours <= 24.0 && decDegrees >= -90.0 && decDegrees <= 90.0;
}

// Calls `take` for each line that is neither empty nor a comment, and
// counts the lines it refuses.
template <typename Take>
int EachDataLine(std::string_view text, Take take) {
  int skipped = 0;
  for (size_t pos = 0; pos < text.size();) {
    size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = TrimBlanks(text.substr(pos, end - pos));
    pos = end + 1;
    if (line.empty() || line.front() == '#') continue;
    if (!take(line)) ++skipped;
  }
  return skipped;
}

bool ReadFile(const std::string& path, std::string* out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream text;
  text << in.rdbuf();
  *out = std::move(text).str();
  return true;
}

}  // namespace

void StarCatalogue::BuildIndex() {
  m_byHr.clear();
  for (size_t i = 0; i < stars.size(); ++i) {
    const int hr = stars[i].hr;
    if (size_t(hr) >= m_byHr.size()) m_byHr.resize(size_t(hr) + 1, -1);
    m_byHr[size_t(hr)] = int(i);
  }
}

const CatalogueStar* StarCatalogue::FindHr(int hr) const {
  if (hr <= 0 || size_t(hr) >= m_byHr.size() || m_byHr[size_t(hr)] < 0) return nullptr;
  return &stars[size_t(m_byHr[size_t(hr)])];
}

StarCatalogue ParseStarCatalogue(std::string_view text) {
  StarCatalogue catalogue;
  catalogue.skippedLines = EachDataLine(text, [&](std::string_view line) {
    LineReader r(line);
    CatalogueStar star;
    std::string_view name;
    if (!r.Number(&star.decDegrees) || !r.Number(&star.raHours) || !r.Number(&star.magnitude) ||
        !r.Quoted(&name) || !r.Whole(&star.hr)) {
      return false;
    }
    if (!IsPosition(star.raHours, star.decDegrees) || star.hr <= 0 || star.hr > kMaxHr ||
        star.magnitude < -30.0 || star.magnitude > 30.0) {
      return false;
    }
    // A name holds at most a handful of ASCII letters and digits.
    if (FindInvalidUtf8(name) != std::string_view::npos) return false;
    star.designation = std::string(TrimBlanks(name));
    catalogue.stars.push_back(std::move(star));
    return true;
  });
  catalogue.BuildIndex();
  return catalogue;
}

ConstellationFigures ParseConstellationFigures(std::string_view text) {
  ConstellationFigures figures;
  figures.skippedLines = EachDataLine(text, [&](std::string_view line) {
    LineReader r(line);
    FigureSegment s{};
    if (!r.Number(&s.decDegrees1) || !r.Number(&s.raHours1) || !r.Number(&s.decDegrees2) ||
        !r.Number(&s.raHours2) || !r.AtEnd()) {
      return false;
    }
    if (!IsPosition(s.raHours1, s.decDegrees1) || !IsPosition(s.raHours2, s.decDegrees2)) return false;
    figures.segments.push_back(s);
    return true;
  });
  return figures;
}

StarLabels ParseStarLabels(std::string_view text) {
  StarLabels labels;
  labels.skippedLines = EachDataLine(text, [&](std::string_view line) {
    LineReader r(line);
    StarLabel label;
    std::string_view name;
    if (!r.Number(&label.decDegrees) || !r.Number(&label.raHours) || !r.Quoted(&name)) return false;
    if (!IsPosition(label.raHours, label.decDegrees) || name.empty() ||
        FindInvalidUtf8(name) != std::string_view::npos) {
      return false;
    }
    label.name = std::string(name);
    labels.labels.push_back(std::move(label));
    return true;
  });
  return labels;
}

SkyFiles LoadSkyFiles(const std::string& directory) {
  SkyFiles files;
  std::string text;
  const std::string catalogue = directory + "/stars/BSC";
  if (ReadFile(catalogue, &text)) {
    files.catalogue = ParseStarCatalogue(text);
  } else {
    files.missing.push_back(catalogue);
  }
  const std::string figures = directory + "/arcs/constellations";
  if (ReadFile(figures, &text)) {
    files.figures = ParseConstellationFigures(text);
  } else {
    files.missing.push_back(figures);
  }
  const std::string labels = directory + "/markers/brightStars";
  if (ReadFile(labels, &text)) {
    files.labels = ParseStarLabels(text);
  } else {
    files.missing.push_back(labels);
  }
  return files;
}

std::string SkyDataDirectory() {
  const char* dir = std::getenv("LUMIRA_XPLANET_DIR");
  return dir && *dir ? std::string(dir) : std::string("/usr/share/xplanet");
}

}  // namespace sky
