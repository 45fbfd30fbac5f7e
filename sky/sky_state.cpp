#include "sky/sky_state.h"

#include "sky/text.h"

namespace sky {

bool CatalogFromName(std::string_view name, Catalog* out) {
  struct Entry { const char* name; Catalog catalog; };
  static constexpr Entry kNames[] = {
      {"Hipparcos", Catalog::Hipparcos}, {"Tycho", Catalog::Tycho},
      {"Tycho2", Catalog::Tycho2},       {"Tycho-2", Catalog::Tycho2},
      {"GSC-ACT", Catalog::GscAct},      {"GSCACT", Catalog::GscAct},
  };
  for (const Entry& e : kNames) {
    if (IEquals(name, e.name)) {
      *out = e.catalog;
      return true;
    }
  }
  return false;
}

const char* CatalogName(Catalog catalog) {
  switch (catalog) {
    case Catalog::Hipparcos: return "Hipparcos";
    case Catalog::Tycho: return "Tycho";
    case Catalog::Tycho2: return "Tycho2";
    case Catalog::GscAct: return "GSC-ACT";
  }
  return "Tycho2";
}

}  // namespace sky
