// The chart's data files, as the xplanet package installs them: the
// Bright Star Catalogue (stars/BSC), the constellation figures
// (arcs/constellations) and the names of the brightest stars
// (markers/brightStars).  The readers take the file's text and skip, and
// count, every line they cannot read; they never fail as a whole.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace sky {

// One star of the Bright Star Catalogue (5th revised edition): J2000
// position, visual magnitude and its number there (the HR number).  The
// file carries no proper motions, so the positions are those of J2000.
struct CatalogueStar {
  int hr = 0;
  double raHours = 0.0;
  double decDegrees = 0.0;
  double magnitude = 0.0;
  std::string designation;  // "9Alp CMa"; empty for most faint stars
};

class StarCatalogue {
 public:
  std::vector<CatalogueStar> stars;  // in the file's order (brightest first)
  int skippedLines = 0;

  // After the stars are in place: makes FindHr answer.
  void BuildIndex();
  const CatalogueStar* FindHr(int hr) const;

 private:
  std::vector<int> m_byHr;  // HR number -> index in `stars`, -1 where none
};

// Lines "dec ra mag \"name\" hr hd sao"; "#" starts a comment line.
StarCatalogue ParseStarCatalogue(std::string_view text);

// A segment of a constellation figure between two J2000 positions.
struct FigureSegment {
  double raHours1, decDegrees1, raHours2, decDegrees2;
};
struct ConstellationFigures {
  std::vector<FigureSegment> segments;
  int skippedLines = 0;
};
// Lines "dec1 ra1 dec2 ra2 # comment".
ConstellationFigures ParseConstellationFigures(std::string_view text);

// A star's common name at its J2000 position.
struct StarLabel {
  double raHours = 0.0;
  double decDegrees = 0.0;
  std::string name;
};
struct StarLabels {
  std::vector<StarLabel> labels;
  int skippedLines = 0;
};
// Lines "dec ra \"name\" options".
StarLabels ParseStarLabels(std::string_view text);

// The three files read from one directory; `missing` names each file that
// could not be read (its part stays empty).
struct SkyFiles {
  StarCatalogue catalogue;
  ConstellationFigures figures;
  StarLabels labels;
  std::vector<std::string> missing;
};
SkyFiles LoadSkyFiles(const std::string& directory);

// Where the files are: $LUMIRA_XPLANET_DIR when it is set and not empty,
// else the package's /usr/share/xplanet.
std::string SkyDataDirectory();

}  // namespace sky
