// The resource script reader: dialogs, the string table and bitmap names,
// in the subset of the Windows resource-script syntax the pad's script
// uses.  Whatever the input, the reader stops with a message naming the
// line rather than crashing: the script is data.
#include "framework/resources.h"

#include <QCoreApplication>
#include <QFile>
#include <QFont>
#include <QFontMetrics>
#include <algorithm>
#include <functional>

#include "framework/rc_lexer.h"
#include "framework/rc_names.h"
#include "framework/scale.h"

namespace {

constexpr int kMaxNesting = 32;

// Control statements of the short form: keyword, class, whether a text
// comes first, the style the resource compiler gives by default.
struct ShortForm {
  const char* keyword;
  const char* className;
  bool hasText;
  std::uint32_t style;
};

constexpr std::uint32_t kChild = WS_CHILD | WS_VISIBLE;
const ShortForm kShortForms[] = {
    {"LTEXT", "Static", true, kChild | WS_GROUP | SS_LEFT},
    {"RTEXT", "Static", true, kChild | WS_GROUP | SS_RIGHT},
    {"CTEXT", "Static", true, kChild | WS_GROUP | 0x0001},
    {"EDITTEXT", "Edit", false, kChild | WS_TABSTOP | WS_BORDER | ES_LEFT},
    {"PUSHBUTTON", "Button", true, kChild | WS_TABSTOP | BS_PUSHBUTTON},
    {"DEFPUSHBUTTON", "Button", true, kChild | WS_TABSTOP | 0x0001},
    {"AUTORADIOBUTTON", "Button", true, kChild | WS_TABSTOP | BS_AUTORADIOBUTTON},
    {"RADIOBUTTON", "Button", true, kChild | WS_TABSTOP | 0x0004},
    {"CHECKBOX", "Button", true, kChild | WS_TABSTOP | 0x0002},
    {"AUTOCHECKBOX", "Button", true, kChild | WS_TABSTOP | 0x0003},
    {"GROUPBOX", "Button", true, kChild | 0x0007},
    {"COMBOBOX", "ComboBox", false, kChild | WS_TABSTOP},
    {"LISTBOX", "ListBox", false, kChild | WS_TABSTOP | WS_BORDER},
};

QString CanonicalClass(const QString& name) {
  for (const char* known : {"Static", "Button", "Edit", "ComboBox", "ListBox", "ScrollBar"}) {
    if (name.compare(QLatin1String(known), Qt::CaseInsensitive) == 0) return QLatin1String(known);
  }
  return name;
}

// A recursive-descent reader over the tokens; every method returns false
// after setting the error.
class RcParser {
 public:
  explicit RcParser(const std::vector<CRcToken>& tokens) : m_t(tokens) {}

  std::map<int, CDialogTemplate> dialogs;
  std::map<UINT, QString> strings;
  std::map<QString, QString> bitmaps;
  QString error;

  bool Run() {
    while (!At(CRcToken::End)) {
      if (!Statement()) return false;
    }
    return true;
  }

 private:
  const std::vector<CRcToken>& m_t;
  size_t m_pos = 0;
  std::map<QString, long long> m_defines;

  const CRcToken& Peek(size_t ahead = 0) const {
    const size_t i = std::min(m_pos + ahead, m_t.size() - 1);
    return m_t[i];
  }
  bool At(CRcToken::Kind k) const { return Peek().kind == k; }
  bool AtName(const char* name) const {
    return Peek().kind == CRcToken::Name && Peek().text.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
  }
  const CRcToken& Next() {
    const CRcToken& t = Peek();
    if (m_pos < m_t.size() - 1) ++m_pos;
    return t;
  }
  bool Fail(const QString& what) {
    error = QStringLiteral("line %1: %2").arg(Peek().line).arg(what);
    return false;
  }
  static QString Describe(const CRcToken& t) {
    switch (t.kind) {
      case CRcToken::End: return QStringLiteral("end of file");
      case CRcToken::Text: return QStringLiteral("text \"%1\"").arg(t.text.left(40));
      default: return QStringLiteral("\"%1\"").arg(t.text.left(40));
    }
  }
  bool Unexpected(const QString& expected) {
    return Fail(QStringLiteral("expected %1, found %2").arg(expected, Describe(Peek())));
  }
  bool Comma() {
    if (!At(CRcToken::Comma)) return Unexpected(QStringLiteral("\",\""));
    Next();
    return true;
  }
  void OptionalComma() {
    if (At(CRcToken::Comma)) Next();
  }

  // value := ['-'|'+'] (number | define | '(' expression ')')
  bool Value(long long* v, int depth) {
    if (depth > kMaxNesting) return Fail(QStringLiteral("expression nested too deeply"));
    if (At(CRcToken::Minus) || At(CRcToken::Plus)) {
      const bool neg = Next().kind == CRcToken::Minus;
      if (!Value(v, depth + 1)) return false;
      if (neg) *v = -*v;
      return true;
    }
    if (At(CRcToken::Number)) { *v = Next().number; return true; }
    if (At(CRcToken::LParen)) {
      Next();
      if (!Expression(v, 0, depth + 1)) return false;
      if (!At(CRcToken::RParen)) return Unexpected(QStringLiteral("\")\""));
      Next();
      return true;
    }
    if (At(CRcToken::Name)) {
      const QString name = Peek().text;
      if (auto it = m_defines.find(name); it != m_defines.end()) { Next(); *v = it->second; return true; }
      if (name == QLatin1String("IDC_STATIC")) { Next(); *v = -1; return true; }
      if (auto style = RcStyleValue(name)) { Next(); *v = *style; return true; }
      return Fail(QStringLiteral("unknown name \"%1\"").arg(name.left(40)));
    }
    return Unexpected(QStringLiteral("a number"));
  }

  // expression := term (('|' | '+' | '-') term)*; term := ['NOT'] value.
  // NOT clears its bits from what has been built so far (starting from
  // `start`, the statement's default style); + and - are arithmetic.
  bool Expression(long long* v, long long start, int depth) {
    long long acc = start;
    bool first = true;
    CRcToken::Kind op = CRcToken::Bar;
    for (;;) {
      bool negate = false;
      if (AtName("NOT")) { Next(); negate = true; }
      long long term = 0;
      if (!Value(&term, depth + 1)) return false;
      if (negate) acc &= ~term;
      else if (first && start == 0) acc = term;
      else if (op == CRcToken::Plus) acc += term;
      else if (op == CRcToken::Minus) acc -= term;
      else acc |= term;
      acc = std::clamp(acc, -0xFFFFFFFFLL, 0xFFFFFFFFLL);  // keeps later arithmetic defined
      first = false;
      if (At(CRcToken::Bar) || At(CRcToken::Plus) || At(CRcToken::Minus)) {
        op = Next().kind;
        continue;
      }
      break;
    }
    *v = acc;
    return true;
  }

  bool Int(int* out, long long lo, long long hi, const char* what) {
    long long v = 0;
    const int line = Peek().line;
    if (!Expression(&v, 0, 0)) return false;
    if (v < lo || v > hi) {
      error = QStringLiteral("line %1: %2 %3 out of range").arg(line).arg(QLatin1String(what)).arg(v);
      return false;
    }
    *out = int(v);
    return true;
  }

  bool Style(std::uint32_t* out, std::uint32_t start) {
    long long v = 0;
    if (!Expression(&v, start, 0)) return false;
    *out = std::uint32_t(v & 0xFFFFFFFF);
    return true;
  }

  bool Coordinates(int* x, int* y, int* cx, int* cy) {
    return Int(x, -32768, 32767, "x") && Comma() && Int(y, -32768, 32767, "y") && Comma() &&
           Int(cx, 0, 32767, "width") && Comma() && Int(cy, 0, 32767, "height");
  }

  bool Statement() {
    if (AtName("#define")) {
      Next();
      const QString name = Next().text;
      m_defines[name] = Next().number;
      return true;
    }
    if (AtName("LANGUAGE")) return Language();
    if (AtName("STRINGTABLE")) return StringTable();
    // NAME-OR-ID TYPE ...
    const CRcToken& idTok = Peek();
    if (idTok.kind != CRcToken::Number && idTok.kind != CRcToken::Name) {
      return Unexpected(QStringLiteral("a resource statement"));
    }
    QString key = idTok.text;
    bool numeric = idTok.kind == CRcToken::Number;
    long long id = idTok.number;
    if (!numeric) {
      if (auto it = m_defines.find(key); it != m_defines.end()) { numeric = true; id = it->second; }
    }
    if (numeric) key = QString::number(id);
    Next();
    if (!At(CRcToken::Name)) return Unexpected(QStringLiteral("a resource type"));
    if (AtName("DIALOGEX") || AtName("DIALOG")) {
      Next();
      if (!numeric || id < 0 || id > 65535) return Fail(QStringLiteral("dialog needs a number id"));
      return Dialog(int(id));
    }
    if (AtName("BITMAP")) {
      Next();
      return Bitmap(key);
    }
    return SkipResource();
  }

  // LANGUAGE primary, sub: names of the platform's headers or numbers,
  // taken as they are (the layer has one language).
  bool Language() {
    Next();
    if (!At(CRcToken::Name) && !At(CRcToken::Number)) return Unexpected(QStringLiteral("a language"));
    Next();
    if (!Comma()) return false;
    if (!At(CRcToken::Name) && !At(CRcToken::Number)) return Unexpected(QStringLiteral("a sublanguage"));
    Next();
    return true;
  }

  // Resources the layer does not use (icons, menus, version blocks...):
  // options, then either a file name or a BEGIN ... END block.
  bool SkipResource() {
    Next();
    while (At(CRcToken::Name) && !AtName("BEGIN")) Next();
    if (At(CRcToken::Text)) { Next(); return true; }
    if (!AtName("BEGIN")) return Unexpected(QStringLiteral("a file name or BEGIN"));
    int depth = 0;
    do {
      if (At(CRcToken::End)) return Fail(QStringLiteral("missing END"));
      if (AtName("BEGIN")) ++depth;
      else if (AtName("END")) --depth;
      Next();
    } while (depth > 0);
    return true;
  }

  bool Bitmap(const QString& name) {
    while (At(CRcToken::Name)) Next();  // memory options (DISCARDABLE...)
    if (!At(CRcToken::Text)) return Unexpected(QStringLiteral("a bitmap file name"));
    QString file = Next().text;
    file.replace(u'\\', u'/');
    bitmaps[name] = file;
    return true;
  }

  bool StringTable() {
    Next();
    while (At(CRcToken::Name) && !AtName("BEGIN")) Next();
    if (!AtName("BEGIN")) return Unexpected(QStringLiteral("BEGIN"));
    Next();
    while (!AtName("END")) {
      if (At(CRcToken::End)) return Fail(QStringLiteral("missing END of STRINGTABLE"));
      int id = 0;
      if (!Int(&id, 0, 65535, "string id")) return false;
      OptionalComma();
      if (!At(CRcToken::Text)) return Unexpected(QStringLiteral("a text"));
      strings[UINT(id)] = Next().text;
    }
    Next();
    return true;
  }

  bool Dialog(int id) {
    CDialogTemplate d;
    d.id = id;
    d.style = WS_POPUP | WS_BORDER | 0x00080000;  // WS_SYSMENU: the compiler's default
    if (!Coordinates(&d.x, &d.y, &d.cx, &d.cy)) return false;
    if (At(CRcToken::Comma)) {  // help id of DIALOGEX
      Next();
      long long help = 0;
      if (!Expression(&help, 0, 0)) return false;
    }
    while (!AtName("BEGIN")) {
      if (At(CRcToken::End)) return Fail(QStringLiteral("missing BEGIN of dialog %1").arg(id));
      if (AtName("STYLE")) {
        Next();
        if (!Style(&d.style, 0)) return false;
      } else if (AtName("EXSTYLE")) {
        Next();
        if (!Style(&d.exStyle, 0)) return false;
      } else if (AtName("CAPTION")) {
        Next();
        if (!At(CRcToken::Text)) return Unexpected(QStringLiteral("a caption text"));
        d.caption = Next().text;
      } else if (AtName("FONT")) {
        Next();
        if (!Int(&d.fontPoints, 1, 72, "font size")) return false;
        if (!Comma()) return false;
        if (!At(CRcToken::Text)) return Unexpected(QStringLiteral("a font name"));
        d.fontName = Next().text;
        while (At(CRcToken::Comma)) {  // weight, italic, charset
          Next();
          long long ignored = 0;
          if (!Expression(&ignored, 0, 0)) return false;
        }
      } else if (AtName("MENU") || AtName("CLASS")) {
        Next();
        Next();
      } else if (AtName("LANGUAGE")) {
        if (!Language()) return false;
      } else {
        return Unexpected(QStringLiteral("a dialog option or BEGIN"));
      }
    }
    Next();
    while (!AtName("END")) {
      if (At(CRcToken::End)) return Fail(QStringLiteral("missing END of dialog %1").arg(id));
      CControlTemplate c;
      if (!Control(&c)) return false;
      d.controls.push_back(c);
    }
    Next();
    dialogs[id] = d;
    return true;
  }

  bool ControlText(QString* text) {
    if (At(CRcToken::Text)) { *text = Next().text; return true; }
    if (At(CRcToken::Number)) { *text = QStringLiteral("#%1").arg(Next().number); return true; }
    return Unexpected(QStringLiteral("a control text"));
  }

  bool Control(CControlTemplate* c) {
    if (!At(CRcToken::Name)) return Unexpected(QStringLiteral("a control statement"));
    const QString keyword = Peek().text;
    if (AtName("CONTROL")) {
      Next();
      if (!ControlText(&c->text) || !Comma()) return false;
      if (!Int(&c->id, -1, 65535, "control id") || !Comma()) return false;
      if (!At(CRcToken::Text)) return Unexpected(QStringLiteral("a control class"));
      c->className = CanonicalClass(Next().text);
      if (!Comma() || !Style(&c->style, kChild) || !Comma()) return false;
      if (!Coordinates(&c->x, &c->y, &c->cx, &c->cy)) return false;
      return OptionalExtras();
    }
    for (const ShortForm& f : kShortForms) {
      if (keyword.compare(QLatin1String(f.keyword), Qt::CaseInsensitive) != 0) continue;
      Next();
      c->className = QLatin1String(f.className);
      c->style = f.style;
      if (f.hasText && (!ControlText(&c->text) || !Comma())) return false;
      if (!Int(&c->id, -1, 65535, "control id") || !Comma()) return false;
      if (!Coordinates(&c->x, &c->y, &c->cx, &c->cy)) return false;
      if (At(CRcToken::Comma)) {
        Next();
        if (!Style(&c->style, f.style)) return false;
      }
      return OptionalExtras();
    }
    return Fail(QStringLiteral("unknown control statement \"%1\"").arg(keyword.left(40)));
  }

  // Extended style and help id after a control's rectangle.
  bool OptionalExtras() {
    while (At(CRcToken::Comma)) {
      Next();
      long long ignored = 0;
      if (!Expression(&ignored, 0, 0)) return false;
    }
    return true;
  }
};

int MulDiv(int a, int b, int c) {
  const long long p = static_cast<long long>(a) * b;
  // Rounds half away from zero, as the original's MulDiv does.
  return int(p >= 0 ? (p + c / 2) / c : (p - c / 2) / c);
}

}  // namespace

// --- CResources -------------------------------------------------------------------

bool CResources::Parse(const QString& script, QString* error) {
  std::vector<CRcToken> tokens;
  QString lexError;
  if (!TokenizeRc(script, &tokens, &lexError)) {
    if (error) *error = lexError;
    return false;
  }
  RcParser parser(tokens);
  if (!parser.Run()) {
    if (error) *error = parser.error;
    return false;
  }
  m_dialogs = std::move(parser.dialogs);
  m_strings = std::move(parser.strings);
  m_bitmapFiles = std::move(parser.bitmaps);
  return true;
}

bool CResources::Load(const QString& prefix, QString* error) {
  m_prefix = prefix;
  QFile file(prefix + QStringLiteral("resources.rc"));
  if (!file.open(QIODevice::ReadOnly)) {
    if (error) *error = QStringLiteral("cannot open %1").arg(file.fileName());
    return false;
  }
  const QString script = QString::fromUtf8(file.readAll());
  QString parseError;
  if (!Parse(script, &parseError)) {
    if (error) *error = QStringLiteral("%1: %2").arg(file.fileName(), parseError);
    return false;
  }
  return true;
}

const CDialogTemplate* CResources::Dialog(int id) const {
  auto it = m_dialogs.find(id);
  return it == m_dialogs.end() ? nullptr : &it->second;
}

std::optional<QString> CResources::String(UINT id) const {
  auto it = m_strings.find(id);
  if (it == m_strings.end()) return std::nullopt;
  return ResourceText(it->second);
}

QString ResourceText(const QString& text) {
  if (text.isEmpty()) return text;
  return QCoreApplication::translate("resources", text.toUtf8().constData());
}

QImage CResources::Bitmap(const QString& name) const {
  auto it = m_bitmapFiles.find(name);
  if (it == m_bitmapFiles.end()) return QImage();
  return QImage(m_prefix + it->second);
}

QImage CResources::Bitmap(const QString& name, int percent) const {
  const QImage actual = Bitmap(name);
  if (percent == CScale::kActualSize || actual.isNull()) return actual;
  QString file = m_prefix + m_bitmapFiles.at(name);
  const int dot = file.lastIndexOf(u'.');
  file.insert(dot < 0 ? file.size() : dot, QStringLiteral("@%1").arg(percent));
  const QImage drawn(file);
  if (!drawn.isNull()) return drawn;
  const CScale scale{percent, {}};
  return actual.scaled(scale.Device(actual.width()), scale.Device(actual.height()));
}

// --- dialog units -------------------------------------------------------------------

CDialogUnits CDialogUnits::ForFont(const QString& family, int points) {
  QFont font(family.isEmpty() ? QStringLiteral("IPAPGothic") : family);
  // Points at 96 dots per inch, as the dialogs were laid out.
  font.setPixelSize(std::max(1, MulDiv(points, 96, 72)));
  const QFontMetrics fm(font);
  const int alphabet =
      fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  CDialogUnits u;
  u.baseX = std::max(1, (alphabet / 26 + 1) / 2);
  u.baseY = std::max(1, fm.height());
  return u;
}

CRect CDialogUnits::Map(int x, int y, int cx, int cy) const {
  return CRect(MulDiv(x, baseX, 4), MulDiv(y, baseY, 8), MulDiv(x + cx, baseX, 4),
               MulDiv(y + cy, baseY, 8));
}

void InstallFontSubstitutions() {
  for (const char* name : {"ＭＳ Ｐゴシック", "MS PGothic", "MS P Gothic", "MS Shell Dlg", "MS Shell Dlg 2",
                           "MS Sans Serif"}) {
    QFont::insertSubstitution(QString::fromUtf8(name), QStringLiteral("IPAPGothic"));
  }
  // The fixed-pitch face has its own fixed-pitch stand-in.
  for (const char* name : {"ＭＳ ゴシック", "MS Gothic"}) {
    QFont::insertSubstitution(QString::fromUtf8(name), QStringLiteral("IPAGothic"));
  }
}
