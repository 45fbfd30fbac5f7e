// The pad bar itself: construction, creation from its template, the
// layout of its texts, painting, control colours, tooltips, the message
// map and destruction.
#include <QString>

#include "host/registry.h"
#include "pad/lumirapad.h"
#include "pad/pad_support.h"

namespace {

constexpr UINT kBarTemplate = 5000;
constexpr UINT kBarStyle = CBRS_GRIPPER | CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM | CBRS_TOOLTIPS | CBRS_FLYBY;
static_assert(kBarStyle == 0x402830);

// Child controls of template 5000.
constexpr UINT kMoonArea = 6008;
constexpr UINT kEra = 6232;
constexpr UINT kDate = 6206;
constexpr UINT kTimeSysLabel = 6234;
constexpr UINT kTimeSysArrow = 6018;
constexpr UINT kObs = 6212;
constexpr UINT kMag = 6007;
constexpr UINT kDateButton = 6217;
constexpr UINT kObsButton = 6218;
constexpr UINT kMoonStrip = 6233;

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kDarkFace = RGB(53, 58, 66);
constexpr COLORREF kLabelBlue = RGB(118, 175, 227);
constexpr int kMoonSize = 19;
constexpr int kMoonImages = 30;

// A child's rectangle in the parent's client coordinates (empty when the
// template has no such control).
CRect ControlRect(const CWnd& parent, UINT id) {
  CRect r;
  if (CWnd* control = parent.GetDlgItem(static_cast<int>(id))) {
    control->GetWindowRect(&r);
    parent.ScreenToClient(&r);
  }
  return r;
}

// Loads a module bitmap into a new object the pad owns.
CBitmap* LoadOwnedBitmap(const CAppContext& ctx, UINT id) {
  auto* bitmap = new CBitmap;
  if (ctx.resources) bitmap->LoadBitmap(*ctx.resources, id);
  return bitmap;
}
CBitmap* LoadOwnedBitmap(const CAppContext& ctx, const char* name) {
  auto* bitmap = new CBitmap;
  if (ctx.resources) bitmap->LoadBitmap(*ctx.resources, name);
  return bitmap;
}

// One of the two bitmap buttons, measured by its up image and centred in
// the slot the template gives it.
void CreatePadButton(CWnd* bar, CBitmapButton& button, CBitmap*& upImage, const char* const images[4],
                     const char* caption, UINT id, const CRect& slot) {
  delete upImage;
  upImage = LoadOwnedBitmap(bar->Context(), images[0]);
  const CSize size = upImage->GetSize();
  button.Create(QString::fromUtf8(caption), WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | BS_OWNERDRAW,
                CRect(slot.left, slot.top, slot.left + size.cx, slot.top + size.cy), bar, id);
  button.LoadBitmaps(images[0], images[1], images[2], images[3]);
  button.MoveWindow(slot.left + (slot.Width() - size.cx) / 2, slot.top + (slot.Height() - size.cy) / 2,
                    size.cx, size.cy);
}

}  // namespace

CLumiraPad::CLumiraPad(CAppContext& ctx) : CDialogBar(ctx) {
  CRegistry::Read("General", "ColorScheme", 0, &m_nColorScheme, 1);
}

CLumiraPad::~CLumiraPad() {
  // Destroy the window while this is still a pad, so that OnDestroy runs
  // as the pad's own and frees the Moon strip.
  if (IsWindow()) DestroyWindow();
  delete m_pbmMoon;
  m_pbmMoon = nullptr;
  delete m_pbmDateUp;
  m_pbmDateUp = nullptr;
  delete m_pbmObsUp;
  m_pbmObsUp = nullptr;
}

int CLumiraPad::Create(CWnd* frame) {
  if (!CDialogBar::Create(frame, kBarTemplate, kBarStyle, kBarTemplate)) return 0;
  SetWindowText(PadText("ﾙﾐﾗﾊﾟｯﾄﾞ"));
  AttachControls();
  InitControls();

  if (!m_ToolTip.Create(this, 0)) return 0;
  m_ToolTip.Activate(TRUE);
  const struct { UINT id; const char* text; } tools[] = {
      {kMag, "限界等級"}, {kObs, "経緯度"}, {kDate, "日時"}, {kTimeSysLabel, "時刻系"}, {kMoonArea, "月齢"},
  };
  for (const auto& tool : tools) {
    if (CWnd* control = GetDlgItem(static_cast<int>(tool.id))) m_ToolTip.AddTool(control, PadText(tool.text));
  }
  m_ToolTip.AddTool(&m_btnDate, PadText("日時入力"));
  m_ToolTip.AddTool(&m_btnObs, PadText("経緯度入力"));
  InitKeyboard();

  m_TimeZone.Create(this);

  if (m_nColorScheme == 0) {
    m_crText = kLabelBlue;
    m_crBack = kDarkFace;
    m_crHighlight = RGB(192, 192, 192);
    m_crShadow = RGB(64, 64, 64);
  } else {
    m_crText = GetSysColor(COLOR_WINDOWTEXT);
    m_crBack = GetSysColor(COLOR_BTNFACE);
    m_crHighlight = GetSysColor(COLOR_BTNHIGHLIGHT);
    m_crShadow = GetSysColor(COLOR_BTNSHADOW);
  }
  return 1;
}

void CLumiraPad::AttachControls() {
  m_stcDate.Attach(kDate, this);
  m_stcObs.Attach(kObs, this);
  m_stcMag.Attach(kMag, this);
}

void CLumiraPad::InitControls() {
  GetClientRect(&m_rcClient);
  m_stcDate.SetWindowTextA(QString());

  m_rcEra = ControlRect(*this, kEra);
  m_rcDate = ControlRect(*this, kDate);
  m_rcDate.right = m_rcDate.left + 140;
  m_rcDate.bottom = m_rcDate.top + 13;
  m_rcTimeSys = ControlRect(*this, kTimeSysLabel);
  m_rcTimeSysArrow = ControlRect(*this, kTimeSysArrow);
  m_rcTimeSysArea = m_rcTimeSys;
  m_rcTimeSysArea.right = m_rcTimeSysArrow.right;
  m_rcDateBtn = ControlRect(*this, kDateButton);
  m_rcObs = ControlRect(*this, kObs);
  m_rcObs.right = m_rcObs.left + 112;
  m_rcObs.bottom = m_rcObs.top + 13;
  m_rcObsBtn = ControlRect(*this, kObsButton);
  m_rcMag = ControlRect(*this, kMag);
  m_rcMag.right = m_rcMag.left + 28;
  m_rcMag.bottom = m_rcMag.top + 13;

  m_iSelDigit = -99;
  m_nSelMode = 0;

  delete m_pbmMoon;
  m_pbmMoon = LoadOwnedBitmap(Context(), kMoonStrip);

  static const char* const dateImages[4] = {"DATEU", "DATED", "DATEF", "DATEX"};
  static const char* const obsImages[4] = {"OBSU", "OBSD", "OBSF", "OBSX"};
  CreatePadButton(this, m_btnDate, m_pbmDateUp, dateImages, "Date", kDateButton, m_rcDateBtn);
  CreatePadButton(this, m_btnObs, m_pbmObsUp, obsImages, "Obs", kObsButton, m_rcObsBtn);

  OnUpdate(kRefreshAll);
}

// The layout pass of the first paint: the texts centred vertically, each
// right after its left neighbour.
void CLumiraPad::InitControlPos() {
  const int ch = m_rcClient.Height();
  auto place = [this](UINT id, int x, int y, int cx, int cy) {
    if (CWnd* control = GetDlgItem(static_cast<int>(id))) control->MoveWindow(x, y, cx, cy);
    return ControlRect(*this, id);
  };

  m_rcDate = place(kDate, m_rcEra.right + 1, (ch - 13) / 2, 140, 13);
  const CRect label = ControlRect(*this, kTimeSysLabel);
  m_rcTimeSys = place(kTimeSysLabel, m_rcDate.right + 1, (ch - label.Height()) / 2 + 1, label.Width(), label.Height());
  const CRect arrow = ControlRect(*this, kTimeSysArrow);
  m_rcTimeSysArrow =
      place(kTimeSysArrow, m_rcTimeSys.right + 1, (ch - arrow.Height()) / 2 + 1, arrow.Width(), arrow.Height());
  m_rcObs = place(kObs, m_rcDateBtn.right + 1, (ch - 13) / 2, 112, 13);
  m_rcMag = place(kMag, m_rcObsBtn.right + 4, (ch - 13) / 2, 28, 13);
}

void CLumiraPad::MoveWindowVCenter(UINT id, int x, int cx, int cy, int dy) {
  CRect client;
  GetClientRect(&client);
  if (CWnd* control = GetDlgItem(static_cast<int>(id))) {
    control->MoveWindow(x, (client.Height() - cy) / 2 + dy + 1, cx, cy);
  }
}

// Everything goes into one off-screen bitmap first and reaches the window
// in a single copy, so that frequent refreshes do not flicker.
void CLumiraPad::OnPaint() {
  GetClientRect(&m_rcClient);
  const BOOL firstPaint = !m_bInitialized;
  {
    CPaintDC dc(this);
    CDC memDC;
    memDC.CreateCompatibleDC(&dc);
    CBitmap canvas;
    canvas.CreateCompatibleBitmap(m_rcClient.Width(), m_rcClient.Height());
    CBitmap* oldCanvas = memDC.SelectObject(&canvas);

    if (m_nColorScheme != 0) {
      const COLORREF bk = memDC.GetBkColor();
      memDC.FillSolidRect(m_rcClient, m_crBack);
      memDC.SetBkColor(bk);
      if (IsWindowVisible()) {
        CRect rect = m_rcClient;
        DrawBorders(&memDC, rect);
        DrawGripper(&memDC, rect);
      }
    } else {
      DrawBackground(&memDC, m_rcClient, 0);
    }

    if (firstPaint) InitControlPos();

    // The display panel the texts lie on.
    const CRect panel(m_rcClient.left + 8, m_rcClient.top + 3, m_rcMag.right + 3, m_rcClient.bottom - 3);
    memDC.FillSolidRect(panel, kBlack);
    memDC.Draw3dRect(panel, m_crShadow, m_crHighlight);

    // The Moon picture of the current age, from the strip of thirty.
    if (m_pbmMoon && !m_pbmMoon->IsNull()) {
      CDC moonDC;
      moonDC.CreateCompatibleDC(&dc);
      CBitmap* oldMoon = moonDC.SelectObject(m_pbmMoon);
      const int age = (m_nMoonAge >= 0 && m_nMoonAge < kMoonImages) ? m_nMoonAge : 0;
      memDC.BitBlt(panel.left + 2, (m_rcClient.top + m_rcClient.bottom) / 2 - 9, kMoonSize, kMoonSize, &moonDC,
                   kMoonSize * age, 0, SRCCOPY);
      moonDC.SelectObject(oldMoon);
    }

    DrawTTMark(&memDC);
    DrawFocusMark(&memDC);

    // Docked in the dark scheme the pad draws its own frame and gripper.
    if (!IsFloating() && m_nColorScheme == 0) {
      const CBrush black(kBlack);
      memDC.FrameRect(m_rcClient, &black);
      memDC.FillSolidRect(1, 1, 8, m_rcClient.Height() - 4, kDarkFace);
      const CRect gripper(m_rcClient.left + 4, m_rcClient.top + 3, m_rcClient.left + 8, m_rcClient.bottom - 3);
      memDC.Draw3dRect(gripper, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
    }

    dc.BitBlt(0, 0, m_rcClient.Width(), m_rcClient.Height(), &memDC, 0, 0, SRCCOPY);
    memDC.SelectObject(oldCanvas);
  }

  if (firstPaint) {
    OnUpdate(kRefreshAll);
    // A host that paints the bar before handing over its control gets the
    // first refresh at the next paint, not date fields that were never read.
    m_bInitialized = m_pCorLmr != nullptr;
  }
}

BOOL CLumiraPad::OnEraseBkgnd(CDC* /*dc*/) { return TRUE; }

// The era and time-system labels are light blue on the panel in both
// schemes; the three value texts are styled statics that colour themselves.
HBRUSH CLumiraPad::OnCtlColor(CDC* dc, CWnd* control, UINT kind) {
  if (m_nColorScheme != 0) {
    const UINT id = control ? control->GetDlgCtrlID() : 0;
    if (id != kEra && id != kTimeSysLabel) return CDialogBar::OnCtlColor(dc, control, kind);
  }
  dc->SetBkMode(TRANSPARENT);
  if (kind == CTLCOLOR_STATIC) {
    dc->SetTextColor(kLabelBlue);
    return CBrush::Hollow();
  }
  return CLmrDialogBase::OnCtlColor(dc, control, kind);
}

BOOL CLumiraPad::PreTranslateMessage(UINT msg, WPARAM wp, LPARAM lp) {
  m_ToolTip.RelayEvent(msg, wp, lp);
  return CDialogBar::PreTranslateMessage(msg, wp, lp);
}

void CLumiraPad::OnDestroy() {
  delete m_pbmMoon;
  m_pbmMoon = nullptr;
  CDialogBar::OnDestroy();
}

// The pad's private messages; the standard ones reach their On...
// handlers through the dialog bar's own message handling.
LRESULT CLumiraPad::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CHANGETZ:
      return OnChangeTz(wp, lp);
    case WM_CHANGESPEED:
      return OnChangeSpeed(wp, lp);
    case WM_CHANGEDATE:
      return OnChangeDate(wp, lp);
    case WM_CHANGEOBS:
      return OnChangeObs(wp, lp);
    default:
      return CDialogBar::WindowProc(msg, wp, lp);
  }
}
