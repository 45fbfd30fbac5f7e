// Dialogs from templates run by scripts: data exchange, radio groups, the
// combo list, refusal of a non-integer, sizes in dialog units.
#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QWidget>
#include <climits>

#include "framework/dialog.h"
#include "framework/scripted_services.h"
#include "test_resources.h"

namespace {

class TestDialog : public CDialog {
 public:
  explicit TestDialog(CAppContext& ctx) : CDialog(ctx, 7001) {}
  int m_nYear = 2006;
  CString m_strJd = QStringLiteral("2451545.0");
  int m_nEra = 1;
  int m_nNS = 0;
  CComboBox m_combo;
  int selChanges = 0;
  int selSeen = -2;
  bool initRan = false;

 protected:
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    m_combo.AddString(QStringLiteral("日本時"));
    m_combo.AddString(QStringLiteral("世界時"));
    m_combo.SetCurSel(0);
    initRan = true;
    return TRUE;
  }
  void DoDataExchange(CDataExchange* dx) override {
    DDX_Text(dx, 1000, m_nYear);
    DDX_Radio(dx, 1076, m_nEra);
    DDX_Control(dx, 6029, m_combo);
    DDX_Text(dx, 1003, m_strJd);
    DDX_Radio(dx, 1080, m_nNS);
  }
  BOOL OnCommand(WPARAM wp, LPARAM lp) override {
    if (LOWORD(wp) == 6029 && HIWORD(wp) == CBN_SELCHANGE) {
      ++selChanges;
      selSeen = m_combo.GetCurSel();
      return TRUE;
    }
    return CDialog::OnCommand(wp, lp);
  }
};

QLineEdit* Edit(CDialog& d, int id) { return qobject_cast<QLineEdit*>(d.GetDlgItem(id)->Widget()); }
bool Checked(CDialog& d, int id) {
  return qobject_cast<QAbstractButton*>(d.GetDlgItem(id)->Widget())->isChecked();
}

class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InstallFontSubstitutions();
    LoadTestResources(res);
    ctx = s.Context(&res);
  }
  CResources res;
  CScriptedServices s;
  CAppContext ctx;
};

}  // namespace

TEST_F(DialogTest, ScriptTypesPicksChecksAndConfirms) {
  TestDialog dlg(ctx);
  bool ran = false;
  s.modal.Push([&](CDialog& d) {
    ran = true;
    EXPECT_TRUE(dlg.initRan);
    EXPECT_EQ(&d, &dlg);
    // The members reached the controls.
    EXPECT_EQ(d.GetDlgItemText(1000), QStringLiteral("2006"));
    EXPECT_EQ(d.GetDlgItemText(1003), QStringLiteral("2451545.0"));
    EXPECT_FALSE(Checked(d, 1076));
    EXPECT_TRUE(Checked(d, 1077));
    EXPECT_TRUE(Checked(d, 1080));
    EXPECT_EQ(dlg.m_combo.GetCount(), 2);
    EXPECT_EQ(dlg.m_combo.GetCurSel(), 0);
    EXPECT_EQ(dlg.selChanges, 0) << "SetCurSel does not notify";

    // Picking an entry notifies the dialog.
    auto* combo = dynamic_cast<CComboBox*>(d.GetDlgItem(6029));
    ASSERT_EQ(combo, &dlg.m_combo) << "the bound member answers for the control";
    combo->SelectByUser(1);
    EXPECT_EQ(dlg.selChanges, 1);
    EXPECT_EQ(dlg.selSeen, 1);

    // Radio groups follow WS_GROUP: checking 1076 clears 1077, not 1080.
    dynamic_cast<CButton*>(d.GetDlgItem(1076))->Click();
    EXPECT_TRUE(Checked(d, 1076));
    EXPECT_FALSE(Checked(d, 1077));
    EXPECT_TRUE(Checked(d, 1080));
    dynamic_cast<CButton*>(d.GetDlgItem(1081))->Click();
    EXPECT_TRUE(Checked(d, 1076));
    EXPECT_EQ(d.GetCheckedRadioButton(1080, 1081), 1081);

    // A non-integer is refused and the dialog stays open.
    Edit(d, 1000)->setText(QStringLiteral("12a"));
    Edit(d, 1003)->setText(QStringLiteral("51544.5"));
    d.PressButton(IDOK);
    EXPECT_FALSE(d.HasEnded());
    EXPECT_EQ(s.prompt.LastText(), QStringLiteral("整数を入力してください。"));
    EXPECT_EQ(s.prompt.Shown().back().second, MB_OK | MB_ICONEXCLAMATION);
    EXPECT_TRUE(d.GetDlgItem(1000)->HasFocus());
    EXPECT_EQ(dlg.m_strJd, QStringLiteral("2451545.0")) << "the failed exchange stopped at the year";

    Edit(d, 1000)->setText(QStringLiteral("  -12 "));
    d.PressButton(IDOK);
    EXPECT_TRUE(d.HasEnded());
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_TRUE(ran);
  EXPECT_EQ(dlg.m_nYear, -12);
  EXPECT_EQ(dlg.m_nEra, 0);
  EXPECT_EQ(dlg.m_nNS, 1);
  EXPECT_EQ(dlg.m_strJd, QStringLiteral("51544.5"));
  EXPECT_EQ(s.prompt.Shown().size(), 1u);
  EXPECT_FALSE(dlg.IsWindow()) << "the window goes when the run ends";
  EXPECT_FALSE(dlg.m_combo.IsWindow());
}

TEST_F(DialogTest, IntegerFieldsAcceptOnlyWholeNumbers) {
  struct Case {
    const char* text;
    bool accepted;
    int value;
  };
  const Case cases[] = {{"42", true, 42},          {"+5", true, 5},       {" -7 ", true, -7},
                        {"2147483647", true, INT_MAX}, {"-2147483648", true, INT_MIN},
                        {"2147483648", false, 0},  {"", false, 0},        {"1.5", false, 0},
                        {"- 3", false, 0},         {"++3", false, 0},     {"0x10", false, 0},
                        {"１２", false, 0}};
  for (const Case& c : cases) {
    TestDialog dlg(ctx);
    ASSERT_TRUE(dlg.CreateFromTemplate());
    Edit(dlg, 1000)->setText(QString::fromUtf8(c.text));
    s.prompt.ClearShown();
    EXPECT_EQ(dlg.UpdateData(TRUE), c.accepted ? TRUE : FALSE) << c.text;
    if (c.accepted) {
      EXPECT_EQ(dlg.m_nYear, c.value) << c.text;
      EXPECT_TRUE(s.prompt.Shown().empty());
    } else {
      EXPECT_EQ(dlg.m_nYear, 2006) << c.text;
      EXPECT_EQ(s.prompt.Shown().size(), 1u) << c.text;
    }
    dlg.DestroyWindow();
  }
}

TEST_F(DialogTest, CancelEscapeAndAMissingTemplate) {
  TestDialog dlg(ctx);
  s.modal.Push([](CDialog& d) { d.PressButton(IDCANCEL); });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(dlg.m_nYear, 2006);
  TestDialog esc(ctx);
  s.modal.Push([](CDialog& d) { qobject_cast<QDialog*>(d.Widget())->reject(); });
  EXPECT_EQ(esc.DoModal(), IDCANCEL) << "Escape on the dialog's window is Cancel";
  CDialog missing(ctx, 4242);
  EXPECT_EQ(missing.DoModal(), -1) << "no such template";
}

TEST_F(DialogTest, TemplateBuildsItsControls) {
  TestDialog dlg(ctx);
  ASSERT_TRUE(dlg.CreateFromTemplate());
  CRect client;
  dlg.GetClientRect(&client);
  EXPECT_EQ(client, CRect(0, 0, 341, 60));  // 195 x 37 units at 7 x 13
  EXPECT_EQ(Edit(dlg, 1000)->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
  EXPECT_EQ(Edit(dlg, 1003)->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
  auto* combo = qobject_cast<QComboBox*>(dlg.GetDlgItem(6029)->Widget());
  ASSERT_NE(combo, nullptr);
  EXPECT_FALSE(combo->isEditable());
  EXPECT_LT(combo->height(), 40) << "the template height holds the drop-down list";
  // A label whose parent gives no colours: the face colour behind its text.
  CWnd* label = dlg.GetDlgItem(1068);
  label->UpdateWindow();
  EXPECT_EQ(CDC(&label->Surface()).GetPixel(0, 0), GetSysColor(COLOR_BTNFACE));
  dlg.GetDlgItem(1076)->EnableWindow(FALSE);
  dlg.CheckRadioButton(1076, 1077, 1076);
  EXPECT_TRUE(Checked(dlg, 1076));
  EXPECT_FALSE(Checked(dlg, 1077));
  dlg.PressButton(1076);  // disabled: nothing happens
  EXPECT_FALSE(dlg.HasEnded());
  dlg.DestroyWindow();
}
