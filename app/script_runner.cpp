#include "app/script_runner.h"

#include <QAction>
#include <QApplication>
#include <QPixmap>
#include <algorithm>

#include "app/pad_readout.h"
#include "app/planetarium_window.h"
#include "app/state_view.h"
#include "framework/dialog.h"
#include "pad/lumirapad.h"
#include "pad/module.h"

namespace lumira {
namespace {

// The replay's window: large enough for the pad and the state beside it,
// and always the same, so that screenshots of a replay are comparable.
constexpr int kWindowWidth = 1000;
constexpr int kWindowHeight = 560;

UINT ButtonFlag(MouseButton b) {
  switch (b) {
    case MouseButton::Left: return MK_LBUTTON;
    case MouseButton::Right: return MK_RBUTTON;
    case MouseButton::Middle: return MK_MBUTTON;
  }
  return 0;
}

UINT DownMessage(MouseButton b) {
  return b == MouseButton::Left ? WM_LBUTTONDOWN : b == MouseButton::Right ? WM_RBUTTONDOWN : WM_MBUTTONDOWN;
}
UINT UpMessage(MouseButton b) {
  return b == MouseButton::Left ? WM_LBUTTONUP : b == MouseButton::Right ? WM_RBUTTONUP : WM_MBUTTONUP;
}
UINT DoubleClickMessage(MouseButton b) {
  return b == MouseButton::Left ? WM_LBUTTONDBLCLK
         : b == MouseButton::Right ? WM_RBUTTONDBLCLK : WM_MBUTTONDBLCLK;
}

QString FromStd(const std::string& s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

}  // namespace

ScriptRunner::ScriptRunner(ScriptOutput out)
    : m_out(std::move(out)),
      m_prompt([this](const QString& line) { Print(line); }),
      m_popup([this](const std::vector<QString>& texts) { return AnswerMenu(texts); }) {
  m_ctx.timers = &m_clock;
  m_ctx.prompt = &m_prompt;
  m_ctx.modal = &m_modal;
  m_ctx.keyboard = &m_keyboard;
  m_ctx.popup = &m_popup;
  m_ctx.status = nullptr;  // fly-by texts are not part of a replay
  m_ctx.resources = &m_resources;
}

ScriptRunner::~ScriptRunner() { m_window.reset(); }

CLumiraPad* ScriptRunner::Pad() const { return m_window ? m_window->Pad() : nullptr; }

bool ScriptRunner::RunChoose(const ScriptLine& line) {
  // Menu texts are matched as a user reads them: without the mnemonic's
  // ampersand and the ellipsis that says a dialog follows.
  auto plain = [](QString text) {
    text.remove('&');
    if (text.endsWith(QString::fromUtf8("…"))) text.chop(1);
    if (text.endsWith("...")) text.chop(3);
    return text;
  };
  for (QAction* action : m_window->findChildren<QAction*>()) {
    if (plain(action->text()) != line.text) continue;
    if (!action->isEnabled()) {
      Print("= " + line.text + ": off");
      return true;
    }
    // An entry that opens a dialog runs the dialog lines that follow.
    const std::vector<ScriptLine> steps = TakeDialogLines();
    m_modal.SetSteps([this, steps](CDialog& dialog) { RunDialogSteps(dialog, steps); });
    action->trigger();
    m_modal.SetSteps(nullptr);
    CWnd::ProcessPostedMessages();
    QCoreApplication::processEvents();
    return !m_error;
  }
  return Fail(line.lineNumber, "the window has no menu entry \"" + line.text + "\"");
}

void ScriptRunner::Print(const QString& line) {
  if (m_recording && m_out) m_out(line);
}

bool ScriptRunner::Setup(QString* error) {
  QString why;
  if (!m_resources.Load(QelpadResourcePrefix(), &why)) {
    *error = "the pad's resources cannot be read: " + why;
    return false;
  }
  m_window = std::make_unique<PlanetariumWindow>(m_ctx, m_engine, m_resources, m_remote);
  // The engine's time moves only through commands in a replay.
  m_window->SetDrivesAnimation(false);
  // The pad is refreshed by the script's `update` lines only.
  m_window->SetRefreshesPadOnShow(false);
  if (!m_window->CreatePad(&why)) {
    *error = why;
    return false;
  }
  m_window->PadHost().AddListener([this](const HostExchange& x) {
    Print("> " + FromStd(x.command));
    Print(x.failed ? "<! " + FromStd(x.error) : "< " + FromStd(x.reply));
  });
  auto shown = m_window->Frame().onPadChanged;
  m_window->Frame().onPadChanged = [this, shown](const QString& what) {
    Print("@ " + what);
    if (shown) shown(what);
  };

  // Created and painted once, as a host shows its window: the first paint
  // lays the bar out and refreshes it from the engine.
  m_window->resize(kWindowWidth, kWindowHeight);
  m_window->show();
  QApplication::processEvents();
  Pad()->Invalidate(FALSE);
  Pad()->UpdateWindow();
  QApplication::processEvents();
  return true;
}

bool ScriptRunner::Fail(int lineNumber, const QString& message) {
  if (!m_error) m_error = ScriptError{lineNumber, message};
  return false;
}

bool ScriptRunner::Run(const std::vector<ScriptLine>& lines, ScriptError* error) {
  m_lines = &lines;
  m_next = 0;
  m_error.reset();
  m_recording = true;
  while (m_next < lines.size()) {
    const ScriptLine& line = lines[m_next++];
    if (!RunLine(line) || m_error) {
      if (!m_error) Fail(line.lineNumber, "cannot be carried out");
      break;
    }
  }
  m_lines = nullptr;
  if (m_error) {
    *error = *m_error;
    return false;
  }
  return true;
}

void ScriptRunner::PrintDisplays() {
  const bool was = m_recording;
  m_recording = true;
  if (Pad()) {
    for (const QString& line : DescribePad(*Pad())) Print(line);
  }
  m_recording = was;
}

bool ScriptRunner::RunLine(const ScriptLine& line) {
  CLumiraPad* pad = Pad();
  switch (line.kind) {
    case ScriptLine::Kind::Host: {
      const QByteArray utf8 = line.text.toUtf8();
      std::string reply;
      if (!m_remote) {
        reply = m_engine.Execute(std::string_view(utf8.constData(), size_t(utf8.size())));
      } else {
        try {
          reply = m_remote->Execute(utf8.constData());
        } catch (const CHostError& e) {
          return Fail(line.lineNumber, QString("the host cannot carry it out: ") + e.what());
        }
      }
      if (line.printsReply) Print("= " + QString::fromStdString(reply));
      m_window->RefreshFromEngine();
      return true;
    }
    case ScriptLine::Kind::Update:
      try {
        pad->OnUpdate(line.flags);
      } catch (const CHostError&) {
        // Printed as the failed exchange; the pad keeps what it showed.
      }
      m_window->Frame().RefreshButtons();
      return true;
    case ScriptLine::Kind::Mouse:
      return RunMouse(line);
    case ScriptLine::Kind::Wheel:
      return RunWheel(line);
    case ScriptLine::Kind::Move:
      return RunMove(line);
    case ScriptLine::Kind::Shift:
      m_keyboard.SetHeld(line.shift);
      return true;
    case ScriptLine::Kind::Wait:
      m_clock.Advance(line.milliseconds);
      CWnd::ProcessPostedMessages();
      return true;
    case ScriptLine::Kind::Answer:
      m_prompt.QueueAnswer(line.yes);
      return true;
    case ScriptLine::Kind::Menu:
      return Fail(line.lineNumber, "no menu is open (a menu line follows the click that opens it)");
    case ScriptLine::Kind::Dialog:
      return RunDialog(line);
    case ScriptLine::Kind::Language:
      // As the View menu's choice: the pad is built again in that language.
      m_window->SetLanguage(*LanguageOfCode(line.text));
      return true;
    case ScriptLine::Kind::Reply:
      if (!m_overrides) {  // from now on, in front of the window's host
        m_overrides = std::make_unique<CReplyOverrides>(m_window->PadHost(),
                                                        [this](const QString& text) { Print(text); });
        m_window->Frame().SetPadHost(*m_overrides);
      }
      m_overrides->Set(line.text.toStdString(), line.reply.toStdString());
      return true;
    case ScriptLine::Kind::Enable:
      pad->SetEnable(line.enable ? 1 : 0);
      return true;
    case ScriptLine::Kind::Speed:
      RunSpeedLine(*pad);
      return true;
    case ScriptLine::Kind::Key:
      return RunKey(line);
    case ScriptLine::Kind::Show:
      for (const QString& text : DescribePad(*pad)) Print(text);
      return true;
    case ScriptLine::Kind::Console:
      m_window->RunConsoleCommand(line.text);
      CWnd::ProcessPostedMessages();
      QCoreApplication::processEvents();
      Print("= " + m_window->LastConsoleReply());
      return true;
    case ScriptLine::Kind::Choose:
      return RunChoose(line);
    case ScriptLine::Kind::Row:
      // The view follows the engine once the event loop is back, as a
      // user would see it after the pad's own command.
      QCoreApplication::processEvents();
      Print(QString("= %1: %2").arg(line.text, m_window->State().RowText(line.text)));
      return true;
    case ScriptLine::Kind::Set:
    case ScriptLine::Kind::Select:
    case ScriptLine::Kind::Check:
    case ScriptLine::Kind::Ok:
    case ScriptLine::Kind::Cancel:
      return Fail(line.lineNumber, "no dialog is open");
  }
  return Fail(line.lineNumber, "unknown action");
}

UINT ScriptRunner::KeyFlags() const { return m_buttons | (m_keyboard.IsShiftDown() ? MK_SHIFT : 0); }

void ScriptRunner::Deliver(UINT msg, WPARAM wp, LPARAM lp) {
  CLumiraPad* pad = Pad();
  if (!pad || !pad->IsWindow()) return;
  pad->DispatchMessage(msg, wp, lp);
  // A double click posts the pad a second press; it comes before the
  // next input, as posted messages do.
  CWnd::ProcessPostedMessages();
}

void ScriptRunner::PointerTo(CPoint point) {
  if (m_pointer && *m_pointer == point) return;
  m_pointer = point;
  Deliver(WM_MOUSEMOVE, KeyFlags(), MAKELPARAM(point.x, point.y));
}

bool ScriptRunner::RunMouse(const ScriptLine& line) {
  CPoint point;
  QString why;
  if (!TargetPoint(*Pad(), line.target, &point, &why)) return Fail(line.lineNumber, why);
  m_keyboard.SetMomentary(line.shift);
  PointerTo(point);
  const LPARAM lp = MAKELPARAM(point.x, point.y);
  const UINT flag = ButtonFlag(line.button);
  auto press = [&](UINT msg) {
    m_buttons |= flag;
    Deliver(msg, KeyFlags(), lp);
  };
  auto release = [&] {
    m_buttons &= ~flag;
    Deliver(UpMessage(line.button), KeyFlags(), lp);
  };
  switch (line.action) {
    case MouseAction::Press: press(DownMessage(line.button)); break;
    case MouseAction::Release: release(); break;
    case MouseAction::Click:
      press(DownMessage(line.button));
      release();
      break;
    case MouseAction::DoubleClick:
      press(DownMessage(line.button));
      release();
      press(DoubleClickMessage(line.button));
      release();
      break;
  }
  m_keyboard.SetMomentary(false);
  return true;
}

bool ScriptRunner::RunWheel(const ScriptLine& line) {
  CPoint point;
  QString why;
  if (!TargetPoint(*Pad(), line.target, &point, &why)) return Fail(line.lineNumber, why);
  m_keyboard.SetMomentary(line.shift);
  PointerTo(point);
  // The wheel carries a screen point.
  CPoint screen = point;
  Pad()->ClientToScreen(&screen);
  Deliver(WM_MOUSEWHEEL, MAKEWPARAM(KeyFlags(), UINT(std::uint16_t(short(line.delta)))),
          MAKELPARAM(screen.x, screen.y));
  m_keyboard.SetMomentary(false);
  return true;
}

bool ScriptRunner::RunMove(const ScriptLine& line) {
  CPoint point;
  QString why;
  if (!TargetPoint(*Pad(), line.target, &point, &why)) return Fail(line.lineNumber, why);
  m_keyboard.SetMomentary(line.shift);
  m_pointer = point;
  Deliver(WM_MOUSEMOVE, KeyFlags(), MAKELPARAM(point.x, point.y));
  m_keyboard.SetMomentary(false);
  return true;
}

std::vector<ScriptLine> ScriptRunner::TakeDialogLines() {
  std::vector<ScriptLine> steps;
  while (m_next < m_lines->size() && (*m_lines)[m_next].IsDialogLine()) steps.push_back((*m_lines)[m_next++]);
  return steps;
}

bool ScriptRunner::RunKey(const ScriptLine& line) {
  // Enter may open an entry dialog; its lines follow the key's line.
  const std::vector<ScriptLine> steps = TakeDialogLines();
  m_modal.SetSteps([this, steps](CDialog& dialog) { RunDialogSteps(dialog, steps); });
  m_keyboard.SetMomentary(line.shift);
  const auto held = std::find(m_keysDown.begin(), m_keysDown.end(), line.key);
  if (line.action != MouseAction::Release) {
    // A key already down repeats as the system repeats it.
    Deliver(WM_KEYDOWN, line.key, MAKELPARAM(1, held != m_keysDown.end() ? KF_REPEAT : 0));
    if (line.action == MouseAction::Press && held == m_keysDown.end()) m_keysDown.push_back(line.key);
  }
  if (line.action != MouseAction::Press) {
    if (held != m_keysDown.end()) m_keysDown.erase(held);
    Deliver(WM_KEYUP, line.key, MAKELPARAM(1, 0));
  }
  m_keyboard.SetMomentary(false);
  m_modal.SetSteps(nullptr);
  return !m_error;
}

bool ScriptRunner::RunDialog(const ScriptLine& line) {
  // The dialog's own lines follow it; they run once the dialog is open.
  const std::vector<ScriptLine> steps = TakeDialogLines();
  m_modal.SetSteps([this, steps](CDialog& dialog) { RunDialogSteps(dialog, steps); });
  if (line.dateDialog) {
    m_window->Frame().ChangeDate();
  } else {
    m_window->Frame().ChangeObs();
  }
  // A dialog the host did not open (the date button is off in sidereal
  // time) leaves its lines unused.
  m_modal.SetSteps(nullptr);
  return !m_error;
}

void ScriptRunner::RunDialogSteps(CDialog& dialog, const std::vector<ScriptLine>& steps) {
  for (const ScriptLine& step : steps) {
    if (dialog.HasEnded()) {
      Fail(step.lineNumber, "the dialog has already closed");
      return;
    }
    if (!RunDialogStep(dialog, step)) {
      if (!dialog.HasEnded()) dialog.EndDialog(IDCANCEL);
      return;
    }
    CWnd::ProcessPostedMessages();
  }
}

bool ScriptRunner::RunDialogStep(CDialog& dialog, const ScriptLine& step) {
  auto control = [&](int id) -> CWnd* {
    CWnd* c = dialog.GetDlgItem(id);
    if (!c) Fail(step.lineNumber, QString("the dialog has no control %1").arg(id));
    return c;
  };
  switch (step.kind) {
    case ScriptLine::Kind::Set: {
      CWnd* c = control(step.id);
      if (!c) return false;
      c->SetWindowText(step.text);
      return true;
    }
    case ScriptLine::Kind::Select: {
      CWnd* c = control(step.id);
      if (!c) return false;
      auto* list = dynamic_cast<CComboBox*>(c);
      if (!list) return Fail(step.lineNumber, QString("control %1 is not a list").arg(step.id));
      if (step.index >= list->GetCount()) {
        return Fail(step.lineNumber, QString("list %1 has no entry %2").arg(step.id).arg(step.index));
      }
      list->SelectByUser(step.index);
      return true;
    }
    case ScriptLine::Kind::Check: {
      CWnd* c = control(step.id);
      if (!c) return false;
      auto* button = dynamic_cast<CButton*>(c);
      if (!button) return Fail(step.lineNumber, QString("control %1 is not a button").arg(step.id));
      button->Click();
      return true;
    }
    case ScriptLine::Kind::Ok:
      dialog.PressButton(IDOK);
      return true;
    case ScriptLine::Kind::Cancel:
      dialog.PressButton(IDCANCEL);
      return true;
    default:
      return Fail(step.lineNumber, "not a dialog action");
  }
}

void ScriptRunner::RunSpeedLine(CLumiraPad& pad) {
  // The host's speed button: the menu, then what the pad says of the time.
  pad.ShowSpeedMenu();
  Print(QString("speed=[%1] playing=%2").arg(pad.SpeedText()).arg(pad.IsPlaying()));
}

int ScriptRunner::AnswerMenu(const std::vector<QString>& texts) {
  // The pad opens its menu inside a click: the script's next line, when
  // it is a menu line, is the choice.
  if (!m_lines || m_next >= m_lines->size() || (*m_lines)[m_next].kind != ScriptLine::Kind::Menu) return -1;
  const ScriptLine& line = (*m_lines)[m_next++];
  const int index = MenuEntryOfKey(texts, line.text);
  if (index < 0) Fail(line.lineNumber, QString("the menu has no entry \"%1\"").arg(line.text));
  return index;
}

bool SaveScreenshot(QWidget& window, const QString& file, QString* error) {
  if (!window.isVisible()) window.show();
  QApplication::processEvents();
  const QPixmap picture = window.grab();
  if (picture.isNull() || !picture.save(file, "PNG")) {
    *error = "cannot write " + file;
    return false;
  }
  return true;
}

}  // namespace lumira
