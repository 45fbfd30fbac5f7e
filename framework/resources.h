// A module's resources: dialog templates, the string table and bitmaps,
// read from the module's resource script (Windows .rc syntax, the subset
// the pad uses) and its bitmap files, both compiled in with Qt's resource
// system under one prefix (":/qelpad/").
#pragma once

#include <QImage>
#include <QString>
#include <map>
#include <optional>
#include <vector>

#include "framework/wintypes.h"

// Window styles a template may carry (values as on the original platform).
constexpr std::uint32_t WS_CHILD = 0x40000000;
constexpr std::uint32_t WS_VISIBLE = 0x10000000;
constexpr std::uint32_t WS_DISABLED = 0x08000000;
constexpr std::uint32_t WS_POPUP = 0x80000000;
constexpr std::uint32_t WS_BORDER = 0x00800000;
constexpr std::uint32_t WS_TABSTOP = 0x00010000;
constexpr std::uint32_t WS_GROUP = 0x00020000;
constexpr std::uint32_t WS_VSCROLL = 0x00200000;
constexpr std::uint32_t WS_EX_CLIENTEDGE = 0x00000200;
constexpr std::uint32_t SS_LEFT = 0x0000;
constexpr std::uint32_t SS_RIGHT = 0x0002;
constexpr std::uint32_t SS_BLACKFRAME = 0x0007;
constexpr std::uint32_t SS_BITMAP = 0x000E;
constexpr std::uint32_t BS_PUSHBUTTON = 0x0000;
constexpr std::uint32_t BS_AUTORADIOBUTTON = 0x0009;
constexpr std::uint32_t BS_OWNERDRAW = 0x000B;
constexpr std::uint32_t BS_BITMAP = 0x0080;
constexpr std::uint32_t ES_LEFT = 0x0000;
constexpr std::uint32_t ES_RIGHT = 0x0002;
constexpr std::uint32_t ES_AUTOHSCROLL = 0x0080;
constexpr std::uint32_t CBS_DROPDOWNLIST = 0x0003;

struct CControlTemplate {
  int id = 0;
  QString className;  // "Static", "Button", "Edit", "ComboBox"
  QString text;       // "#6013" names a bitmap for SS_BITMAP statics
  std::uint32_t style = 0;
  int x = 0, y = 0, cx = 0, cy = 0;  // dialog units
};

struct CDialogTemplate {
  int id = 0;
  std::uint32_t style = 0;
  std::uint32_t exStyle = 0;
  int x = 0, y = 0, cx = 0, cy = 0;  // dialog units
  QString caption;
  QString fontName;
  int fontPoints = 9;
  std::vector<CControlTemplate> controls;
};

class CResources {
 public:
  // Reads `<prefix>resources.rc` and the bitmaps it names; `error` says
  // what failed.  A prefix is ":/qelpad/" for the pad module.
  bool Load(const QString& prefix, QString* error);

  const CDialogTemplate* Dialog(int id) const;
  std::optional<QString> String(UINT id) const;
  QImage Bitmap(const QString& name) const;  // "DATEU" or "6233"
  // The bitmap drawn for a bar size: the file NAME@PERCENT next to the
  // named one (the generator draws each offered size), else the actual-size
  // picture with each pixel repeated.
  QImage Bitmap(const QString& name, int percent) const;

  // Parses resource-script text (exposed for tests and the fuzzer).
  bool Parse(const QString& script, QString* error);

 private:
  QString m_prefix;
  std::map<int, CDialogTemplate> m_dialogs;
  std::map<UINT, QString> m_strings;
  std::map<QString, QString> m_bitmapFiles;  // name -> file under prefix
};

// A text of the resource script (a string-table entry, a dialog caption
// or a control's text) in the application's language: the script keeps
// the module's own (Japanese) texts, and an installed translator gives
// them in another language under the context "resources".  Without one,
// or for a text it does not know (bitmap names, the bar's "AD"), the text
// itself.
QString ResourceText(const QString& text);

// Dialog units to pixels for a dialog font, as MapDialogRect does:
// x * baseX / 4, y * baseY / 8, rounded like MulDiv.
struct CDialogUnits {
  int baseX = 7, baseY = 13;
  static CDialogUnits ForFont(const QString& family, int points);
  CRect Map(int x, int y, int cx, int cy) const;
};

// Maps the dialogs' Japanese font names to the installed stand-in
// (IPA P Gothic); call once when the application starts.
void InstallFontSubstitutions();
