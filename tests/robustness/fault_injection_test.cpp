// A host call that fails at any point of a session that touches every
// operation: for each call N of the session, the Nth call throws, and
// (in turn) answers with one kind of garbage.  The pad must abandon only
// the failing operation, let nothing of a mouse action or a question
// outlive it, swallow nothing but the host's own failure, and step
// normally afterwards.  The host is the real engine behind a faulty host.
#include <QtGlobal>
#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "dialogs/settime_ids.h"
#include "faulty_host.h"
#include "pad/replies.h"
#include "pad_fixture.h"
#include "sky/engine.h"

namespace {

constexpr int kShards = 4;
constexpr Fault kGarbage[] = {Fault::RandomBytes, Fault::HugeText, Fault::NaN,  Fault::MinusInf,
                              Fault::WildDate,    Fault::BareWildDate, Fault::True, Fault::Empty};

// Collects what the window layer says when it abandons a message.
std::vector<std::string> g_abandoned;
void CollectAbandoned(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtWarningMsg && text.contains("abandoned")) g_abandoned.push_back(text.toStdString());
}

class FaultSessionTest : public PadTest {
 protected:
  FaultSessionTest() : host(engine) { rig.engine = &host; }
  void SetUp() override {
    Build();
    previousHandler = qInstallMessageHandler(&CollectAbandoned);
  }
  void TearDown() override {
    qInstallMessageHandler(previousHandler);
    PadTest::TearDown();
  }

  // Input goes through the window layer's message pump, which stops a
  // failure at the window's edge, and the event loop paints in between.
  void Deliver(UINT msg, WPARAM wp, LPARAM lp) override {
    Pad().DispatchMessage(msg, wp, lp);
    Pump();
  }
  void Pump() {
    Pad().UpdateWindow();
    CWnd::ProcessPostedMessages();
  }
  void ChangeTz(const char* label) { Deliver(WM_CHANGETZ, 0, reinterpret_cast<LPARAM>(label)); }
  // A host's own call into the pad: a failing host call comes back to it
  // as CHostError and as nothing else.
  template <class Call>
  void AsHost(Call call) {
    try {
      call();
    } catch (const CHostError&) {
    }
    Pump();
  }

  // Each run starts from the same place: the engine's default state, the
  // pad in Japan standard time, no answers left from the last run.
  void Prepare() {
    host.Heal();
    engine.Reset();
    rig.services.prompt = CScriptedPrompt();
    rig.services.modal = CScriptedModalRunner();
    rig.services.popup = CScriptedPopup();
    SetShift(false);
    rig.animation = 0;
    ChangeTz("JST");
    rig.frame->changes.clear();
    g_abandoned.clear();
  }

  // Every time system, every kind of step, holds, the era, the wheel, the
  // middle button, the menu, both dialogs, the lock question, stopping the
  // animation and disabling; ends in Japan standard time.
  void Run() {
    AsHost([&] { Pad().OnUpdate(0xFF); });
    for (const char* label : {"UT", "UTD", "LST", "LMT", "JD", "MJD", "ST", "JST"}) {
      ChangeTz(label);
      LeftClick(P().DateCell(13));
    }
    for (int digit : {0, 1, 2, 3, 4, 5, 7, 9, 10, 12, 15, 16, 18, 19}) LeftClick(P().DateCell(digit));
    RightClick(P().DateCell(10));
    LeftClick(P().DateCell(16), MK_SHIFT);
    RightClick(P().DateCell(19), MK_SHIFT);
    for (int digit : {20, 22, 24, 25, 27, 29, 30, 32, 33, 35}) LeftClick(P().ObsCell(digit));
    RightClick(P().ObsCell(21));
    RightClick(P().ObsCell(30));
    for (int digit : {40, 43}) LeftClick(P().MagCell(digit));
    RightClick(P().MagCell(41));

    // Holds: left on the seconds with Shift turning midway, right on the hour.
    Send(WM_LBUTTONDOWN, P().DateCell(19));
    Advance(530);
    SetShift(true);
    Advance(30);
    SetShift(false);
    Send(WM_LBUTTONUP, P().DateCell(19));
    Hold(WM_RBUTTONDOWN, P().DateCell(13), 540);
    // The era: a click, a hold...
    LeftClick(P().EraMark());
    Hold(WM_LBUTTONDOWN, P().EraMark(), 520);
    // ... the wheel, and the wheel over digits and the time-system selector.
    const std::pair<CPoint, short> wheels[] = {{P().EraMark(), 120},     {P().DateCell(16), 120},
                                               {P().DateCell(16), -120}, {P().ObsCell(33), 120},
                                               {P().TimeSysLabel(), -120}, {P().TimeSysLabel(), 120}};
    for (auto [at, delta] : wheels) Wheel(at, delta);
    // The middle button on each date field and beside the text.
    for (int digit : {4, 7, 10, 13, 16, 19, 30}) Send(WM_MBUTTONDOWN, P().DateCell(digit));
    // The label steps the system; the arrow opens the menu.
    LeftClick(P().TimeSysLabel());
    RightClick(P().TimeSysLabel());
    ChooseFromMenu(4);  // LMT
    LeftClick(P().Arrow());
    LeftClick(P().DateCell(16));
    ChangeTz("JST");
    // A double click steps twice.
    LeftClick(P().DateCell(12));
    Send(WM_LBUTTONDBLCLK, P().DateCell(12));
    Send(WM_LBUTTONUP, P().DateCell(12));

    // The lock question, accepted and declined.
    for (int answer : {IDYES, IDNO}) {
      engine.Execute("Time.Lock = TRUE");
      AnswerNextBox(answer);
      LeftClick(P().DateCell(16));
    }
    engine.Execute("Time.Lock = FALSE");

    // Both dialogs, run by scripts that act on whichever dialog they get:
    // universal time, local mean time, then the place.
    for (int entry : {1, 4}) {
      rig.services.modal.Push(DialogScript(entry));
      Deliver(WM_CHANGEDATE, 0, 0);
    }
    rig.services.modal.Push(DialogScript(0));
    Deliver(WM_CHANGEOBS, 0, 0);
    ChangeTz("JST");

    // What the host does.
    for (int mode : {0, 1, 2, 3, 7}) {
      rig.animation = mode;
      AsHost([&] { P().StopAnimation(); });
    }
    rig.animation = 0;
    AsHost([&] {
      Pad().SetEnable(0);
      LeftClick(P().DateCell(13));
      Pad().SetEnable(1);
      Pad().EnableAnimation(0);
      Pad().EnableAnimation(1);
      Pad().OnUpdate(0x1F);
    });
    ChangeTz("JST");
  }

  // A dialog script: the date dialog switches to list entry `entry`, takes
  // a date and OK; the location dialog takes a place and OK.
  static CScriptedModalRunner::Script DialogScript(int entry) {
    return [entry](CDialog& dialog) {
      const std::pair<int, const char*> date[] = {{settime::kIdYear, "2006"}, {settime::kIdMonth, "4"},
                                                  {settime::kIdDay, "1"},     {settime::kIdHour, "12"},
                                                  {settime::kIdMinute, "30"}, {settime::kIdSecond, "15"}};
      // Longitude degrees and minutes, latitude degrees and minutes.
      const std::pair<int, const char*> place[] = {{6032, "135"}, {6033, "30.5"}, {1001, "35"}, {1003, "10"}};
      const bool isDate = dialog.TemplateId() == settime::kTemplateId;
      if (auto* list = dynamic_cast<CComboBox*>(dialog.GetDlgItem(settime::kIdTimeSys)); isDate && list)
        list->SelectByUser(entry);
      for (auto [id, text] : isDate ? std::vector(std::begin(date), std::end(date))
                                    : std::vector(std::begin(place), std::end(place)))
        dialog.SetDlgItemText(id, text);
      dialog.PressButton(IDOK);
    };
  }

  // After the failing run, with the host healthy again: the pad is idle,
  // and a left click on the hour steps the engine's time by one hour with
  // the command the pad's date calls for.
  void ExpectWorksNormally(const std::string& what) {
    SCOPED_TRACE(what);
    host.Heal();
    EXPECT_TRUE(P().Idle()) << P().BusyState();
    EXPECT_EQ(rig.services.clock.RunningCount(), 0);
    EXPECT_EQ(Pad().GetEnable(), 1);
    Prepare();
    ASSERT_EQ(P().TimeSys(), 0);
    replies::DateFields jst;
    replies::ReadDate(engine.Execute("? JST(Time)"), 4, &jst);
    tagADATE expected{jst.year, jst.month, jst.day, jst.hour, jst.minute, double(jst.second), 0.0};
    const tagADATEDIFF hour{0, 0, 0, 1, 0, 0.0};
    ChangeDate(&expected, &hour, 0);
    const std::string command = QString::asprintf("Time = LST(%d,%d,%d,%d,%d,%d,9.000000) ; show lumiral",
                                                  expected.nYear, expected.nMonth, expected.nDay, expected.nHour,
                                                  expected.nMinute, int(expected.dSecond)).toStdString();

    const int64_t before = engine.State().time.seconds;
    std::vector<std::string> sent;
    engine.SetCommandObserver([&sent](std::string_view c, std::string_view) {
      if (c.substr(0, 7) == "Time = ") sent.emplace_back(c);
    });
    LeftClick(P().DateCell(13));
    engine.SetCommandObserver(nullptr);

    EXPECT_EQ(sent, std::vector<std::string>{command});
    EXPECT_EQ(engine.State().time.seconds - before, 3600);
    EXPECT_EQ(P().Hour(), expected.nHour);
    EXPECT_EQ(rig.Changes(), std::vector<std::string>{"DATE"});
  }

  CSkyEngine engine;
  CFaultyHost host;
  QtMessageHandler previousHandler = nullptr;
};

class FaultInjection : public FaultSessionTest, public ::testing::WithParamInterface<int> {};

TEST_F(FaultSessionTest, TheSessionRunsCleanAndReachesEveryKindOfCommand) {
  Prepare();
  std::vector<std::string> sent;
  engine.SetCommandObserver([&sent](std::string_view c, std::string_view) { sent.emplace_back(c); });
  const int before = host.Calls();
  Run();
  engine.SetCommandObserver(nullptr);
  EXPECT_TRUE(g_abandoned.empty());
  std::printf("the session makes %d host calls\n", host.Calls() - before);

  for (const std::string prefix :
       {"Time = LST(", "Time = UT(", "Time = LMT(", "Location = Location(", "Time.Timezone = ",
        "Star.AutoMagnitudeLimit.Minimum = ", "Time.Lock = FALSE", "animation.time = false", "Stop Lumiral",
        "Animation.Time.Realtime = TRUE", "? Star.Catalog", "? Time.SiderealTime", "? Time.jd",
        "? UT(Time)", "? LMT(Time)", "? LST(Time)", "? View.Track", "? location.longitude"}) {
    EXPECT_TRUE(std::any_of(sent.begin(), sent.end(), [&](const std::string& c) { return c.rfind(prefix, 0) == 0; }))
        << prefix;
  }
  EXPECT_EQ(rig.services.modal.Runs(), 3);
  ExpectWorksNormally("after the clean session");
}

TEST_P(FaultInjection, EveryCallOfTheSessionMayFail) {
  Prepare();
  const int first = host.Calls();
  Run();
  const int calls = host.Calls() - first;
  ASSERT_GT(calls, 100);

  for (int n = GetParam() + 1; n <= calls; n += kShards) {
    for (Fault fault : {Fault::Throw, kGarbage[(n / kShards) % std::size(kGarbage)]}) {
      const std::string what = "call " + std::to_string(n) + " of " + std::to_string(calls) + ": " + FaultName(fault);
      Prepare();
      host.FailOnCall(n, fault, std::uint32_t(n));
      Run();
      EXPECT_TRUE(host.failed) << what;
      host.failed = false;
      // Only the host's own failure is stopped at the window's edge.
      for (const std::string& entry : g_abandoned) {
        EXPECT_NE(entry.find("injected host failure"), std::string::npos) << what << ": " << entry;
      }
      if (fault != Fault::Throw) {
        EXPECT_TRUE(g_abandoned.empty()) << what;
      }
      ExpectWorksNormally(what);
      if (HasFailure()) return;  // one broken call is enough to read
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Shards, FaultInjection, ::testing::Range(0, kShards));

}  // namespace
