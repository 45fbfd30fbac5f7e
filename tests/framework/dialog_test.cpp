// Dialogs from templates: what an integer field accepts, Cancel, a
// disabled radio button.  (The pad's dialogs and the
// recorded sessions pin the other exchanges, radio groups and the list.)
#include <QAbstractButton>
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

 protected:
  void DoDataExchange(CDataExchange* dx) override { DDX_Text(dx, 1000, m_nYear); }
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

TEST_F(DialogTest, IntegerFieldsAcceptOnlyWholeNumbers) {
  struct Case { const char* text; bool accepted; int value; };
  const Case cases[] = {{"+5", true, 5},       {" -7 ", true, -7},    {"2147483647", true, INT_MAX},
                        {"-2147483648", true, INT_MIN}, {"2147483648", false, 0}, {"", false, 0},
                        {"1.5", false, 0},     {"- 3", false, 0},     {"++3", false, 0},
                        {"0x10", false, 0},    {"１２", false, 0}};
  for (const Case& c : cases) {
    TestDialog dlg(ctx);
    ASSERT_TRUE(dlg.CreateFromTemplate());
    Edit(dlg, 1000)->setText(QString::fromUtf8(c.text));
    s.prompt.ClearShown();
    EXPECT_EQ(dlg.UpdateData(TRUE), c.accepted ? TRUE : FALSE) << c.text;
    EXPECT_EQ(dlg.m_nYear, c.accepted ? c.value : 2006) << c.text;
    EXPECT_EQ(s.prompt.Shown().size(), c.accepted ? 0u : 1u) << c.text;
    dlg.DestroyWindow();
  }
}

TEST_F(DialogTest, CancelAndAMissingTemplate) {
  TestDialog dlg(ctx);
  s.modal.Push([](CDialog& d) { d.PressButton(IDCANCEL); });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(dlg.m_nYear, 2006);
  EXPECT_EQ(CDialog(ctx, 4242).DoModal(), -1) << "no such template";
}

TEST_F(DialogTest, ADisabledRadioButtonIgnoresAPress) {
  TestDialog dlg(ctx);
  ASSERT_TRUE(dlg.CreateFromTemplate());
  dlg.GetDlgItem(1076)->EnableWindow(FALSE);
  dlg.CheckRadioButton(1076, 1077, 1077);
  dlg.PressButton(1076);  // disabled: nothing happens
  EXPECT_TRUE(Checked(dlg, 1077));
  EXPECT_FALSE(Checked(dlg, 1076));
  EXPECT_FALSE(dlg.HasEnded());
}
