// The two entry dialogs' input checks, driven as a user would drive them
// on the offscreen platform: texts typed into the edits, a hemisphere or
// era chosen, a time system picked (converting what is typed), OK pressed.
// Besides not crashing: whatever a dialog accepts lies within the range
// it promises.  A QApplication must exist.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "dialogs/dlgsetobs.h"
#include "dialogs/dlgsettime.h"
#include "dialogs/settime_ids.h"
#include "framework/resources.h"
#include "framework/scripted_services.h"
#include "fuzz_check.h"
#include "fuzz_inputs.h"
#include "sky/engine.h"

namespace fuzz {

// The pad module's resources and scripted services, shared by the runs.
class CDialogFuzzBase {
 protected:
  CDialogFuzzBase() {
    QString error;
    if (!m_resources.Load(":/qelpad/", &error)) {
      std::fprintf(stderr, "pad resources: %s\n", qPrintable(error));
      std::abort();
    }
    m_ctx = m_services.Context(&m_resources);
  }
  CScriptedServices m_services;
  CResources m_resources;
  CAppContext m_ctx;
};

// Input: a byte of hemispheres (bit 0 west, bit 1 south), then the four
// edits' texts (longitude degrees, minutes, latitude degrees, minutes),
// one a line.
class CObsDialogFuzz : public CDialogFuzzBase {
 public:
  void Run(const uint8_t* data, size_t size) {
    CInput in(data, size);
    const uint8_t hemispheres = in.Byte();
    CDlgSetObs dialog(m_ctx);
    dialog.SetObs(135.5, 35.0);
    FUZZ_CHECK(dialog.CreateFromTemplate(), "location dialog not created");
    dialog.CheckRadioButton(6030, 6031, (hemispheres & 1) ? 6031 : 6030);
    dialog.CheckRadioButton(1080, 1081, (hemispheres & 2) ? 1081 : 1080);
    for (int id : {6032, 6033, 1001, 1003}) dialog.SetDlgItemText(id, in.QLine());
    dialog.PressButton(IDOK);
    m_services.prompt.ClearShown();
    if (!dialog.HasEnded() || dialog.Result() != IDOK) return;
    double longitude = 0, latitude = 0;
    dialog.GetObs(&longitude, &latitude);
    FUZZ_CHECK(longitude >= -180.0 && longitude <= 180.0, "accepted longitude %.17g", longitude);
    FUZZ_CHECK(latitude >= -90.0 && latitude <= 90.0, "accepted latitude %.17g", latitude);
  }
};

// Input: a byte of list entries (low half: the entry while typing, high
// half: the entry picked before OK, each modulo 7), a byte of era (bit 0
// AD), then year, month, day, hour, minute, second, Julian day and real
// day, one a line.  The zones of the local systems come from the engine.
class CTimeDialogFuzz : public CDialogFuzzBase {
 public:
  void Run(const uint8_t* data, size_t size) {
    CInput in(data, size);
    const uint8_t entries = in.Byte();
    const uint8_t era = in.Byte();
    _DATEPAD record{};
    record.nTimeSys = 0;
    record.nYear = 2006;
    record.nMonth = 4;
    record.nDay = 1;
    record.nHour = 21;
    record.nMinute = 30;
    record.nSecond = 15;
    CDlgSetTime dialog(m_ctx);
    dialog.SetDatePad(record, &m_engine);
    FUZZ_CHECK(dialog.CreateFromTemplate(), "date dialog not created");
    auto* list = dynamic_cast<CComboBox*>(dialog.GetDlgItem(settime::kIdTimeSys));
    FUZZ_CHECK(list, "no time-system list");
    list->SelectByUser((entries & 0x0F) % timesys::kDialogEntries);
    dialog.CheckRadioButton(settime::kIdBC, settime::kIdAD, (era & 1) ? settime::kIdAD : settime::kIdBC);
    for (int id : {settime::kIdYear, settime::kIdMonth, settime::kIdDay, settime::kIdHour, settime::kIdMinute,
                   settime::kIdSecond, settime::kIdJd, settime::kIdRealDay}) {
      dialog.SetDlgItemText(id, in.QLine());
    }
    const int entry = (entries >> 4) % timesys::kDialogEntries;
    list->SelectByUser(entry);
    dialog.PressButton(IDOK);
    m_services.prompt.ClearShown();
    if (!dialog.HasEnded() || dialog.Result() != IDOK) return;

    _DATEPAD result{};
    dialog.GetDatePad(result);
    FUZZ_CHECK(CDlgSetTime::IndexOfCode(result.nTimeSys) == entry, "accepted system %d", result.nTimeSys);
    constexpr double kSlack = 1e-6;  // the typed text is read again
    if (entry == 5 || entry == 6) {
      const double jd = entry == 6 ? result.dJd + 2400000.5 : result.dJd;
      FUZZ_CHECK(jd >= timesys::kFirstJd - kSlack && jd <= timesys::kLastJd + kSlack, "accepted JD %.17g",
                 jd);
    } else if (entry == 2) {
      FUZZ_CHECK(std::isfinite(result.dDay), "accepted day %.17g", result.dDay);
    } else {
      FUZZ_CHECK(result.nYear >= -99999 && result.nYear <= 100000, "accepted year %d", result.nYear);
      FUZZ_CHECK(result.nMonth >= 1 && result.nMonth <= 12, "accepted month %d", result.nMonth);
    }
  }

 private:
  CSkyEngine m_engine;
};

}  // namespace fuzz
