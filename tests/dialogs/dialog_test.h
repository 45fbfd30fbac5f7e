// Helpers for driving the entry dialogs without a modal loop: the dialog's
// window is built from the module's template, the test types into its
// edits, picks list entries and presses its buttons, and the scripted
// prompt records every message box.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QWidget>
#include <memory>
#include <string>

#include "dialogs/dlgsetobs.h"
#include "dialogs/dlgsettime.h"
#include "framework/resources.h"
#include "framework/scripted_services.h"
#include "scripted_host.h"

// What a user does to a dialog and sees on it, by control id.
namespace ui {

inline std::string Text(CDialog& d, int id) { return d.GetDlgItemText(id).toStdString(); }
inline void Type(CDialog& d, int id, const std::string& text) { d.SetDlgItemText(id, QString::fromStdString(text)); }
inline CComboBox* List(CDialog& d, int id) { return dynamic_cast<CComboBox*>(d.GetDlgItem(id)); }
inline int Selected(CDialog& d, int listId) { return List(d, listId)->GetCurSel(); }
inline bool Checked(CDialog& d, int id) {
  return qobject_cast<QAbstractButton*>(d.GetDlgItem(id)->Widget())->isChecked();
}
inline bool Hidden(CDialog& d, int id) { return d.GetDlgItem(id)->Widget()->isHidden(); }
inline bool Enabled(CDialog& d, int id) { return d.GetDlgItem(id)->IsWindowEnabled(); }
inline bool Focused(CDialog& d, int id) { return d.GetDlgItem(id)->HasFocus(); }
// Presses OK; true when the dialog closed with IDOK.
inline bool PressOk(CDialog& d) {
  d.PressButton(IDOK);
  return d.HasEnded() && d.Result() == IDOK;
}

}  // namespace ui

class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QString error;
    ASSERT_TRUE(resources.Load(":/qelpad/", &error)) << error.toStdString();
    ctx = services.Context(&resources);
  }

  // A date dialog filled from a record, its window built and initialised.
  std::unique_ptr<CDlgSetTime> OpenTime(const _DATEPAD& record) {
    auto dialog = std::make_unique<CDlgSetTime>(ctx);
    dialog->SetDatePad(record, &host);
    EXPECT_TRUE(dialog->CreateFromTemplate());
    return dialog;
  }
  std::unique_ptr<CDlgSetObs> OpenObs(double longitude, double latitude) {
    auto dialog = std::make_unique<CDlgSetObs>(ctx);
    dialog->SetObs(longitude, latitude);
    EXPECT_TRUE(dialog->CreateFromTemplate());
    return dialog;
  }
  static _DATEPAD Calendar(int code, int year, int month, int day, int hour, int minute, int second) {
    return {code, year, month, day, hour, minute, second, 0.0, 0.0};
  }

  // The one message box shown since the last ClearShown(), "" for none;
  // every refusal is an OK box with the exclamation icon.
  std::string Refusal() {
    const auto& shown = services.prompt.Shown();
    if (shown.empty()) return "";
    EXPECT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown.back().second, UINT(MB_OK | MB_ICONEXCLAMATION));
    return shown.back().first.toStdString();
  }
  std::string Message(UINT id) const { return resources.String(id).value_or(QString()).toStdString(); }

  CScriptedServices services;
  CResources resources;
  CAppContext ctx;
  CScriptedHost host;
};

constexpr const char* kNotWholeNumber = "整数を入力してください。";
