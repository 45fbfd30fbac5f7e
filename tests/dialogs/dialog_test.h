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

#include "dialog_probes.h"
#include "framework/resources.h"
#include "framework/scripted_services.h"
#include "scripted_host.h"

// What a user does to a dialog, by control id.
namespace ui {

inline std::string Text(CDialog& d, int id) { return d.GetDlgItemText(id).toStdString(); }
inline void Type(CDialog& d, int id, const std::string& text) {
  d.SetDlgItemText(id, QString::fromStdString(text));
}
inline void Pick(CDialog& d, int listId, int index) {
  auto* list = dynamic_cast<CComboBox*>(d.GetDlgItem(listId));
  ASSERT_NE(list, nullptr);
  list->SelectByUser(index);
}
inline int Selected(CDialog& d, int listId) {
  auto* list = dynamic_cast<CComboBox*>(d.GetDlgItem(listId));
  return list ? list->GetCurSel() : -2;
}
inline bool Checked(CDialog& d, int id) {
  CWnd* w = d.GetDlgItem(id);
  auto* button = w ? qobject_cast<QAbstractButton*>(w->Widget()) : nullptr;
  return button && button->isChecked();
}
inline void Check(CDialog& d, int id) {
  CWnd* w = d.GetDlgItem(id);
  auto* button = w ? qobject_cast<QAbstractButton*>(w->Widget()) : nullptr;
  ASSERT_NE(button, nullptr);
  button->click();
}
inline bool Hidden(CDialog& d, int id) {
  CWnd* w = d.GetDlgItem(id);
  return !w || !w->Widget() || w->Widget()->isHidden();
}
inline bool Enabled(CDialog& d, int id) {
  CWnd* w = d.GetDlgItem(id);
  return w && w->IsWindowEnabled();
}
inline bool Focused(CDialog& d, int id) {
  CWnd* w = d.GetDlgItem(id);
  return w && w->HasFocus();
}
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
    _DATEPAD record{};
    record.nTimeSys = code;
    record.nYear = year;
    record.nMonth = month;
    record.nDay = day;
    record.nHour = hour;
    record.nMinute = minute;
    record.nSecond = second;
    return record;
  }

  std::string Message(UINT id) const { return resources.String(id).value_or(QString()).toStdString(); }
  int MessageCount() const { return int(services.prompt.Shown().size()); }
  std::string LastMessage() const { return services.prompt.LastText().toStdString(); }

  CScriptedServices services;
  CResources resources;
  CAppContext ctx;
  CScriptedHost host;
};

constexpr const char* kNotWholeNumber = "整数を入力してください。";
