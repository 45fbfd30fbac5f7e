// The recorded-session format of `lumira --script`: one action a line.
//
// Reading a script is kept apart from running it, so that a bad line is
// refused (with its number) before anything has happened, and so that the
// format can be tested without a pad.  docs/scripting.md describes it.
#pragma once

#include <QString>
#include <vector>

namespace lumira {

enum class MouseButton { Left, Right, Middle };
enum class MouseAction { Press, Release, Click, DoubleClick };

// Where a mouse line points on the pad.
struct ScriptTarget {
  enum class Kind { Point, Digit, Era, TimeSys, Arrow, Bar };
  Kind kind = Kind::Point;
  int x = 0, y = 0;  // Point: pad client pixels
  int digit = 0;     // Digit: index 0..19, 20..35 or 40..43
};

struct ScriptLine {
  enum class Kind {
    Host,     // host TEXT, or ask TEXT (prints the reply)
    Update,   // update FLAGS
    Mouse,    // press|release|click|dblclick BUTTON TARGET [shift]
    Wheel,    // wheel DELTA TARGET [shift]
    Move,     // move TARGET [shift]
    Shift,    // shift down|up
    Wait,     // wait MS
    Answer,   // answer yes|no
    Menu,     // menu KEY (the rest of the line)
    Dialog,   // dialog date|obs
    Set,      // set ID TEXT          (inside a dialog)
    Select,   // select ID INDEX      (inside a dialog)
    Check,    // check ID             (inside a dialog)
    Ok,       // ok                   (inside a dialog)
    Cancel,   // cancel               (inside a dialog)
    Enable,   // enable 0|1
    Speed,    // speed: opens the time-speed menu (a menu line chooses)
    Show,     // show
    Key,      // key|keydown|keyup NAME [shift]
    Language, // language ja|en (View > Language)
    Choose,   // choose ENTRY: a window menu entry
    Row,      // row NAME: prints a row of the window's state view
    Console,  // console TEXT: the window's console runs TEXT
    Reply,    // reply QUERY = TEXT: the pad's host answers QUERY with TEXT
  };

  Kind kind = Kind::Show;
  int lineNumber = 0;

  QString text;          // Host: the command; Set: the typed text; Menu: the key; Language: its code;
                         // Choose, Row: the name; Console: the command; Reply: the query
  QString reply;         // Reply: the answer
  unsigned flags = 0;    // Update
  MouseAction action = MouseAction::Click;  // Mouse; Key: Press (keydown), Release (keyup), Click (key)
  MouseButton button = MouseButton::Left;
  ScriptTarget target;   // Mouse, Wheel, Move
  bool shift = false;    // Mouse, Wheel, Move: Shift held for this event; Shift: down
  int delta = 0;         // Wheel
  int milliseconds = 0;  // Wait
  bool yes = false;      // Answer
  bool printsReply = false;  // Host: an ask line
  bool dateDialog = false;  // Dialog: date (true) or obs (false)
  int id = 0;            // Set, Select, Check: control id
  int index = 0;         // Select: list index
  bool enable = false;   // Enable
  unsigned key = 0;      // Key: the virtual-key code (VK_UP...)

  // The lines that only make sense while an entry dialog is open.
  bool IsDialogLine() const {
    return kind == Kind::Set || kind == Kind::Select || kind == Kind::Check ||
           kind == Kind::Ok || kind == Kind::Cancel;
  }
};

struct ScriptError {
  int lineNumber = 0;
  QString message;
};

// The key of a `key` line's NAME (up, down, left, right, tab, enter,
// escape, plus, minus); 0 for another name.
unsigned KeyOfName(const QString& name);

// Reads one line (without its line break).  Returns false for a blank line
// or a comment (`*out` untouched, `*error` empty) and for a line that
// cannot be read (`*error` says why).
bool ParseScriptLine(const QString& line, int lineNumber, ScriptLine* out, QString* error);

// Reads a whole script.  On the first unreadable line returns false and
// fills `*error`; nothing of the script is returned then.
bool ParseScript(const QString& text, std::vector<ScriptLine>* lines, ScriptError* error);

}  // namespace lumira
