#include "app/script.h"

#include <QStringList>

#include "app/language.h"
#include "framework/wintypes.h"

namespace lumira {
namespace {

// The line split at blanks, each word with the offset where it starts, so
// that a free text (a command, a typed text) can be taken verbatim from
// the offset of its first word to the end of the line.
struct Words {
  QStringList words;
  std::vector<qsizetype> starts;
};

Words SplitWords(const QString& line) {
  Words w;
  qsizetype i = 0;
  const qsizetype n = line.size();
  while (i < n) {
    while (i < n && line[i].isSpace()) ++i;
    if (i >= n) break;
    const qsizetype start = i;
    while (i < n && !line[i].isSpace()) ++i;
    w.words << line.mid(start, i - start);
    w.starts.push_back(start);
  }
  return w;
}

bool ReadInt(const QString& word, int* value) {
  bool ok = false;
  const int v = word.toInt(&ok, 10);
  if (ok) *value = v;
  return ok;
}

bool ReadFlags(const QString& word, unsigned* value) {
  bool ok = false;
  unsigned v = 0;
  if (word.startsWith("0x") || word.startsWith("0X")) {
    v = word.mid(2).toUInt(&ok, 16);
  } else {
    v = word.toUInt(&ok, 10);
  }
  if (ok) *value = v;
  return ok;
}

bool IsDigitIndex(int i) { return (i >= 0 && i <= 35) || (i >= 40 && i <= 43); }

// Reads a target starting at word `at`; `*next` is the first word after it.
bool ReadTarget(const QStringList& words, int at, ScriptTarget* target, int* next, QString* error) {
  if (at >= words.size()) {
    *error = "a target is missing (x,y, digit N, era, timesys, arrow or bar)";
    return false;
  }
  const QString& w = words[at];
  *next = at + 1;
  if (w == "era") { target->kind = ScriptTarget::Kind::Era; return true; }
  if (w == "timesys") { target->kind = ScriptTarget::Kind::TimeSys; return true; }
  if (w == "arrow") { target->kind = ScriptTarget::Kind::Arrow; return true; }
  if (w == "bar") { target->kind = ScriptTarget::Kind::Bar; return true; }
  if (w == "digit") {
    int index = 0;
    if (at + 1 >= words.size() || !ReadInt(words[at + 1], &index) || !IsDigitIndex(index)) {
      *error = "digit needs an index 0..35 or 40..43";
      return false;
    }
    target->kind = ScriptTarget::Kind::Digit;
    target->digit = index;
    *next = at + 2;
    return true;
  }
  const QStringList xy = w.split(',');
  int x = 0, y = 0;
  if (xy.size() == 2 && ReadInt(xy[0], &x) && ReadInt(xy[1], &y)) {
    target->kind = ScriptTarget::Kind::Point;
    target->x = x;
    target->y = y;
    return true;
  }
  *error = QString("unknown target \"%1\"").arg(w);
  return false;
}

// An optional trailing "shift" and nothing else.
bool ReadShiftTail(const QStringList& words, int at, bool* shift, QString* error) {
  if (at < words.size() && words[at] == "shift") {
    *shift = true;
    ++at;
  }
  if (at < words.size()) {
    *error = QString("unexpected \"%1\"").arg(words[at]);
    return false;
  }
  return true;
}

bool ExpectCount(const QStringList& words, int count, QString* error) {
  if (words.size() == count) return true;
  *error = words.size() < count ? QString("\"%1\" needs more").arg(words[0])
                                : QString("unexpected \"%1\"").arg(words[count]);
  return false;
}

}  // namespace

unsigned KeyOfName(const QString& name) {
  static const struct { const char* name; unsigned key; } keys[] = {
      {"up", VK_UP}, {"down", VK_DOWN}, {"left", VK_LEFT}, {"right", VK_RIGHT}, {"tab", VK_TAB},
      {"enter", VK_RETURN}, {"escape", VK_ESCAPE}, {"plus", VK_ADD}, {"minus", VK_SUBTRACT},
  };
  for (const auto& k : keys) {
    if (name == QLatin1String(k.name)) return k.key;
  }
  return 0;
}

bool ParseScriptLine(const QString& raw, int lineNumber, ScriptLine* out, QString* error) {
  error->clear();
  QString line = raw;
  while (line.endsWith('\r') || line.endsWith('\n')) line.chop(1);
  const Words split = SplitWords(line);
  const QStringList& words = split.words;
  if (words.isEmpty() || words[0].startsWith('#')) return false;

  ScriptLine l;
  l.lineNumber = lineNumber;
  const QString& key = words[0];
  // The rest of the line from word `i` on, verbatim.
  auto restFrom = [&](int i) { return i < words.size() ? line.mid(split.starts[size_t(i)]) : QString(); };

  if (key == "host" || key == "ask") {
    l.kind = ScriptLine::Kind::Host;
    l.printsReply = key == "ask";
    l.text = restFrom(1);
    if (l.text.isEmpty()) { *error = key + " needs a command"; return false; }
  } else if (key == "reply") {
    l.kind = ScriptLine::Kind::Reply;
    const QString rest = restFrom(1);
    qsizetype at = rest.indexOf(" = ");
    if (at < 0 && rest.endsWith(" =")) at = rest.size() - 2;  // an empty answer
    if (at <= 0) { *error = "reply needs a query, \" = \" and the answer"; return false; }
    l.text = rest.left(at);
    l.reply = rest.mid(at + 3);
  } else if (key == "update") {
    l.kind = ScriptLine::Kind::Update;
    if (!ExpectCount(words, 2, error)) return false;
    if (!ReadFlags(words[1], &l.flags)) { *error = "update needs flags (decimal or 0x hex)"; return false; }
  } else if (key == "press" || key == "release" || key == "click" || key == "dblclick") {
    l.kind = ScriptLine::Kind::Mouse;
    l.action = key == "press" ? MouseAction::Press
               : key == "release" ? MouseAction::Release
               : key == "click" ? MouseAction::Click : MouseAction::DoubleClick;
    if (words.size() < 2) { *error = key + " needs a button: left, right or middle"; return false; }
    if (words[1] == "left") l.button = MouseButton::Left;
    else if (words[1] == "right") l.button = MouseButton::Right;
    else if (words[1] == "middle") l.button = MouseButton::Middle;
    else { *error = QString("unknown button \"%1\"").arg(words[1]); return false; }
    int next = 0;
    if (!ReadTarget(words, 2, &l.target, &next, error)) return false;
    if (!ReadShiftTail(words, next, &l.shift, error)) return false;
  } else if (key == "wheel") {
    l.kind = ScriptLine::Kind::Wheel;
    if (words.size() < 2 || !ReadInt(words[1], &l.delta) || l.delta < -32768 || l.delta > 32767) {
      *error = "wheel needs a delta (-32768..32767)";
      return false;
    }
    int next = 0;
    if (!ReadTarget(words, 2, &l.target, &next, error)) return false;
    if (!ReadShiftTail(words, next, &l.shift, error)) return false;
  } else if (key == "move") {
    l.kind = ScriptLine::Kind::Move;
    int next = 0;
    if (!ReadTarget(words, 1, &l.target, &next, error)) return false;
    if (!ReadShiftTail(words, next, &l.shift, error)) return false;
  } else if (key == "shift") {
    l.kind = ScriptLine::Kind::Shift;
    if (!ExpectCount(words, 2, error)) return false;
    if (words[1] != "down" && words[1] != "up") { *error = "shift needs down or up"; return false; }
    l.shift = words[1] == "down";
  } else if (key == "wait") {
    l.kind = ScriptLine::Kind::Wait;
    if (!ExpectCount(words, 2, error)) return false;
    if (!ReadInt(words[1], &l.milliseconds) || l.milliseconds < 0) {
      *error = "wait needs milliseconds (0 or more)";
      return false;
    }
  } else if (key == "answer") {
    l.kind = ScriptLine::Kind::Answer;
    if (!ExpectCount(words, 2, error)) return false;
    if (words[1] != "yes" && words[1] != "no") { *error = "answer needs yes or no"; return false; }
    l.yes = words[1] == "yes";
  } else if (key == "menu") {
    l.kind = ScriptLine::Kind::Menu;
    if (words.size() < 2) return ExpectCount(words, 2, error);
    l.text = restFrom(1);  // an entry's text may have blanks ("-1 d/s")
  } else if (key == "dialog") {
    l.kind = ScriptLine::Kind::Dialog;
    if (!ExpectCount(words, 2, error)) return false;
    if (words[1] != "date" && words[1] != "obs") { *error = "dialog needs date or obs"; return false; }
    l.dateDialog = words[1] == "date";
  } else if (key == "set") {
    l.kind = ScriptLine::Kind::Set;
    if (words.size() < 2 || !ReadInt(words[1], &l.id) || l.id <= 0) { *error = "set needs a control id"; return false; }
    l.text = restFrom(2);
  } else if (key == "select") {
    l.kind = ScriptLine::Kind::Select;
    if (!ExpectCount(words, 3, error)) return false;
    if (!ReadInt(words[1], &l.id) || l.id <= 0 || !ReadInt(words[2], &l.index) || l.index < 0) {
      *error = "select needs a control id and an entry index";
      return false;
    }
  } else if (key == "check") {
    l.kind = ScriptLine::Kind::Check;
    if (!ExpectCount(words, 2, error)) return false;
    if (!ReadInt(words[1], &l.id) || l.id <= 0) { *error = "check needs a control id"; return false; }
  } else if (key == "ok" || key == "cancel") {
    l.kind = key == "ok" ? ScriptLine::Kind::Ok : ScriptLine::Kind::Cancel;
    if (!ExpectCount(words, 1, error)) return false;
  } else if (key == "speed") {
    l.kind = ScriptLine::Kind::Speed;
    if (!ExpectCount(words, 1, error)) return false;
  } else if (key == "language") {
    l.kind = ScriptLine::Kind::Language;
    if (!ExpectCount(words, 2, error)) return false;
    if (!LanguageOfCode(words[1])) { *error = "language needs ja or en"; return false; }
    l.text = words[1];
  } else if (key == "enable") {
    l.kind = ScriptLine::Kind::Enable;
    if (!ExpectCount(words, 2, error)) return false;
    if (words[1] != "0" && words[1] != "1") { *error = "enable needs 0 or 1"; return false; }
    l.enable = words[1] == "1";
  } else if (key == "key" || key == "keydown" || key == "keyup") {
    l.kind = ScriptLine::Kind::Key;
    l.action = key == "keydown" ? MouseAction::Press : key == "keyup" ? MouseAction::Release : MouseAction::Click;
    l.key = words.size() > 1 ? KeyOfName(words[1]) : 0;
    if (l.key == 0) {
      *error = key + " needs a key: up, down, left, right, tab, enter, escape, plus or minus";
      return false;
    }
    if (!ReadShiftTail(words, 2, &l.shift, error)) return false;
  } else if (key == "choose" || key == "row" || key == "console") {
    l.kind = key == "choose" ? ScriptLine::Kind::Choose
             : key == "row"  ? ScriptLine::Kind::Row : ScriptLine::Kind::Console;
    l.text = restFrom(1);
    if (l.text.isEmpty()) { *error = key + (key == "console" ? " needs a command" : " needs a name"); return false; }
  } else if (key == "show") {
    l.kind = ScriptLine::Kind::Show;
    if (!ExpectCount(words, 1, error)) return false;
  } else {
    *error = QString("unknown action \"%1\"").arg(key);
    return false;
  }
  *out = l;
  return true;
}

bool ParseScript(const QString& text, std::vector<ScriptLine>* lines, ScriptError* error) {
  std::vector<ScriptLine> result;
  const QStringList rawLines = text.split('\n');
  for (int i = 0; i < rawLines.size(); ++i) {
    ScriptLine line;
    QString message;
    if (ParseScriptLine(rawLines[i], i + 1, &line, &message)) {
      // The entry dialogs' lines belong to the `dialog` line above them,
      // or to a key (Enter) or a menu entry that opens one.
      const bool inDialog = !result.empty() && (result.back().kind == ScriptLine::Kind::Dialog ||
                                                result.back().kind == ScriptLine::Kind::Key ||
                                                result.back().kind == ScriptLine::Kind::Choose ||
                                                result.back().IsDialogLine());
      if (line.IsDialogLine() && !inDialog) {
        error->lineNumber = i + 1;
        error->message = "no dialog is open (a `dialog date|obs` line comes first)";
        return false;
      }
      result.push_back(line);
    } else if (!message.isEmpty()) {
      error->lineNumber = i + 1;
      error->message = message;
      return false;
    }
  }
  *lines = std::move(result);
  return true;
}

}  // namespace lumira
