// The statement parser: a hand-written scanner over the statement's text,
// no regular expressions and no streams, since the pad sends several
// commands on every 10 ms repeat tick.
#include "sky/statement.h"

#include <charconv>
#include <cmath>
#include <iterator>

#include "sky/text.h"

namespace sky {
namespace {

struct PathEntry {
  const char* path;
  Property property;
};

constexpr PathEntry kPaths[] = {
    {"Time", Property::Time},
    {"Time.jd", Property::TimeJd},
    {"Time.Timezone", Property::TimeTimezone},
    {"Time.Lock", Property::TimeLock},
    {"Time.SiderealTime", Property::TimeSiderealTime},
    {"Location", Property::Location},
    {"Location.Longitude", Property::LocationLongitude},
    {"Location.Latitude", Property::LocationLatitude},
    {"Star.Catalog", Property::StarCatalog},
    {"Star.Catalog.Switch", Property::StarCatalogSwitch},
    {"Star.Catalog.Switch.Catalog", Property::StarCatalogSwitchCatalog},
    {"Star.AutoMagnitudeLimit.Minimum", Property::StarMagnitudeLimit},
    {"Solar.Moon.age", Property::MoonAge},
    {"View.Track", Property::ViewTrack},
    {"View.Trace", Property::ViewTrace},
    {"Animation.Time", Property::Animation},
    {"Animation.Time.Realtime", Property::AnimationRealtime},
    {"Animation.Time.Speed.Step", Property::AnimationSpeedStep},
    {"Animation.Time.Speed", Property::AnimationSpeed},
    {"Sky.Altitude", Property::SkyAltitude},
    {"Sky.Azimuth", Property::SkyAzimuth},
};

struct SystemEntry {
  const char* name;
  TimeSystem system;
};

constexpr SystemEntry kSystems[] = {
    {"UT", TimeSystem::UT},
    {"JST", TimeSystem::JST},
    {"LST", TimeSystem::LST},
    {"LMT", TimeSystem::LMT},
};

bool FindProperty(std::string_view path, Property* out) {
  for (const PathEntry& e : kPaths) {
    if (IEquals(path, e.path)) {
      *out = e.property;
      return true;
    }
  }
  return false;
}

bool FindSystem(std::string_view name, TimeSystem* out) {
  for (const SystemEntry& e : kSystems) {
    if (IEquals(name, e.name)) {
      *out = e.system;
      return true;
    }
  }
  return false;
}

std::string Quoted(std::string_view text) {
  return "\"" + Excerpt(text, 40) + "\"";
}

class Scanner {
 public:
  explicit Scanner(std::string_view text) : m_text(text) {}

  void SkipBlanks() {
    while (m_pos < m_text.size() && IsBlank(m_text[m_pos])) ++m_pos;
  }
  bool AtEnd() {
    SkipBlanks();
    return m_pos >= m_text.size();
  }
  char Peek() {
    SkipBlanks();
    return m_pos < m_text.size() ? m_text[m_pos] : '\0';
  }
  bool Accept(char c) {
    if (Peek() != c) return false;
    ++m_pos;
    return true;
  }
  std::string_view Rest() {
    SkipBlanks();
    return m_text.substr(m_pos);
  }

  // A dotted name: letters, digits and "_" in parts joined by ".".
  std::string_view Path() {
    SkipBlanks();
    const size_t start = m_pos;
    while (m_pos < m_text.size() && IsLetter(m_text[m_pos])) {
      while (m_pos < m_text.size() && IsNameChar(m_text[m_pos])) ++m_pos;
      if (m_pos + 1 < m_text.size() && m_text[m_pos] == '.' && IsLetter(m_text[m_pos + 1])) {
        ++m_pos;
      } else {
        break;
      }
    }
    return m_text.substr(start, m_pos - start);
  }

  // A bare catalogue name: letters, digits, "_", "-" and ".".
  std::string_view BareName() {
    SkipBlanks();
    const size_t start = m_pos;
    while (m_pos < m_text.size() &&
           (IsNameChar(m_text[m_pos]) || m_text[m_pos] == '-' || m_text[m_pos] == '.')) {
      ++m_pos;
    }
    return m_text.substr(start, m_pos - start);
  }

  // A decimal number: [sign] digits [. digits] [e [sign] digits].  Fails
  // on anything else, including "inf", "nan" and hexadecimal forms, and
  // when a letter or digit follows directly ("12abc").
  bool Number(double* out, std::string* error) {
    SkipBlanks();
    const size_t start = m_pos;
    size_t pos = m_pos;
    const bool plus = pos < m_text.size() && m_text[pos] == '+';
    if (pos < m_text.size() && (m_text[pos] == '+' || m_text[pos] == '-')) ++pos;
    size_t digits = 0;
    while (pos < m_text.size() && IsDigit(m_text[pos])) ++pos, ++digits;
    if (pos < m_text.size() && m_text[pos] == '.') {
      ++pos;
      while (pos < m_text.size() && IsDigit(m_text[pos])) ++pos, ++digits;
    }
    if (digits > 0 && pos < m_text.size() && (m_text[pos] == 'e' || m_text[pos] == 'E')) {
      size_t exp = pos + 1;
      if (exp < m_text.size() && (m_text[exp] == '+' || m_text[exp] == '-')) ++exp;
      if (exp < m_text.size() && IsDigit(m_text[exp])) {
        while (exp < m_text.size() && IsDigit(m_text[exp])) ++exp;
        pos = exp;
      }
    }
    size_t tokenEnd = pos;
    while (tokenEnd < m_text.size() && (IsNameChar(m_text[tokenEnd]) || m_text[tokenEnd] == '.')) {
      ++tokenEnd;
    }
    const std::string_view token = m_text.substr(start, tokenEnd - start);
    if (digits == 0 || tokenEnd != pos) {
      *error = "not a number: " + Quoted(token.empty() ? Rest() : token);
      return false;
    }
    const char* first = m_text.data() + start + (plus ? 1 : 0);
    double value = 0.0;
    const auto result = std::from_chars(first, m_text.data() + pos, value);
    if (result.ec != std::errc() || !std::isfinite(value)) {
      *error = "number out of range: " + Quoted(token);
      return false;
    }
    *out = value;
    m_pos = pos;
    return true;
  }

  size_t Position() const { return m_pos; }
  void SetPosition(size_t pos) { m_pos = pos; }

 private:
  std::string_view m_text;
  size_t m_pos = 0;
};

bool IsPositionQuery(Property p) { return p == Property::SkyAltitude || p == Property::SkyAzimuth; }

// The object of a position query: whatever stands before the ")", which
// the engine names in its reply when it knows no such object.
bool ParseObject(Scanner& s, std::string_view name, Statement* out, std::string* error) {
  const std::string_view rest = s.Rest();
  const size_t close = rest.find(')');
  if (close == std::string_view::npos) {
    *error = "expected \")\" after " + std::string(name) + "(";
    return false;
  }
  std::string_view object = TrimBlanks(rest.substr(0, close));
  if (object.size() >= 2 && object.front() == '"' && object.back() == '"') {  // a quoted name
    object = object.substr(1, object.size() - 2);
  }
  out->object = object;
  s.SetPosition(s.Position() + close + 1);
  return true;
}

bool ParseQuery(Scanner& s, Statement* out, std::string* error) {
  out->kind = StatementKind::Query;
  const std::string_view name = s.Path();
  if (name.empty()) {
    *error = "expected a property after \"?\"";
    return false;
  }
  Property position;
  if (FindProperty(name, &position) && IsPositionQuery(position)) {
    if (!s.Accept('(')) {
      *error = std::string(PropertyPath(position)) + " takes an object: " + PropertyPath(position) + "(Sun)";
      return false;
    }
    out->property = position;
    return ParseObject(s, name, out, error);
  }
  if (s.Accept('(')) {
    if (!FindSystem(name, &out->system)) {
      *error = "unknown function " + Quoted(name) + " (JST, UT, LST or LMT)";
      return false;
    }
    const std::string_view argument = s.Path();
    if (!IEquals(argument, "Time")) {
      *error = std::string(name) + " takes Time, not " + Quoted(argument.empty() ? s.Rest() : argument);
      return false;
    }
    if (!s.Accept(')')) {
      *error = "expected \")\" after " + std::string(name) + "(Time";
      return false;
    }
    out->isTimeFunction = true;
    return true;
  }
  if (!FindProperty(name, &out->property)) {
    *error = "unknown property " + Quoted(name);
    return false;
  }
  return true;
}

bool ParseArguments(Scanner& s, std::string_view constructor, Value* value, std::string* error) {
  value->argCount = 0;
  if (s.Accept(')')) return true;
  for (;;) {
    if (value->argCount == static_cast<int>(std::size(value->args))) {
      *error = "too many arguments to " + std::string(constructor);
      return false;
    }
    if (!s.Number(&value->args[value->argCount], error)) return false;
    ++value->argCount;
    if (s.Accept(')')) return true;
    if (!s.Accept(',')) {
      *error = "expected \",\" or \")\" in " + std::string(constructor) + "(...)";
      return false;
    }
  }
}

bool ParseValue(Scanner& s, Value* value, std::string* error) {
  const char c = s.Peek();
  if (c == '\0') {
    *error = "expected a value after \"=\"";
    return false;
  }
  if (c == '"') {
    s.Accept('"');
    const std::string_view rest = s.Rest();
    const size_t close = rest.find('"');
    if (close == std::string_view::npos) {
      *error = "missing closing \"";
      return false;
    }
    value->kind = ValueKind::Name;
    value->name = rest.substr(0, close);
    s.SetPosition(s.Position() + close + 1);
    return true;
  }
  if (IsDigit(c) || c == '+' || c == '-' || c == '.') {
    value->kind = ValueKind::Number;
    return s.Number(&value->number, error);
  }
  if (!IsLetter(c)) {
    *error = "unexpected " + Quoted(s.Rest());
    return false;
  }
  const size_t start = s.Position();
  const std::string_view word = s.Path();
  if (IEquals(word, "TRUE") || IEquals(word, "FALSE")) {
    value->kind = ValueKind::Truth;
    value->truth = IEquals(word, "TRUE");
    return true;
  }
  if (s.Accept('(')) {
    if (IEquals(word, "Location")) {
      value->kind = ValueKind::LocationOf;
    } else if (FindSystem(word, &value->system)) {
      value->kind = ValueKind::TimeOf;
    } else {
      *error = "unknown constructor " + Quoted(word) + " (UT, JST, LST, LMT or Location)";
      return false;
    }
    return ParseArguments(s, word, value, error);
  }
  s.SetPosition(start);
  value->kind = ValueKind::Name;
  value->name = s.BareName();
  return true;
}

}  // namespace

const char* PropertyPath(Property property) {
  for (const PathEntry& e : kPaths) {
    if (e.property == property) return e.path;
  }
  return "?";
}

size_t StatementEnd(std::string_view text, size_t from) {
  bool quoted = false;
  for (size_t i = from; i < text.size(); ++i) {
    if (text[i] == '"') quoted = !quoted;
    if (text[i] == ';' && !quoted) return i;
  }
  return text.size();
}

bool ParseStatement(std::string_view text, Statement* out, std::string* error) {
  *out = Statement{};
  Scanner s(text);
  if (s.AtEnd()) return true;  // an empty statement does nothing

  if (s.Accept('?')) {
    if (!ParseQuery(s, out, error)) return false;
  } else {
    const std::string_view name = s.Path();
    if (name.empty()) {
      *error = "expected \"?\", an assignment or Show/Stop Lumiral";
      return false;
    }
    if (IEquals(name, "Show") || IEquals(name, "Stop")) {
      if (!IEquals(s.Path(), "Lumiral")) {
        *error = "expected \"" + std::string(name) + " Lumiral\"";
        return false;
      }
      out->kind = IEquals(name, "Show") ? StatementKind::Show : StatementKind::Stop;
    } else {
      if (!FindProperty(name, &out->property)) {
        *error = "unknown property " + Quoted(name);
        return false;
      }
      if (!s.Accept('=')) {
        *error = "expected \"=\" after " + Quoted(name);
        return false;
      }
      out->kind = StatementKind::Assign;
      if (!ParseValue(s, &out->value, error)) return false;
    }
  }
  if (!s.AtEnd()) {
    *error = "unexpected " + Quoted(s.Rest());
    return false;
  }
  return true;
}

}  // namespace sky
