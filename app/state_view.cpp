#include "app/state_view.h"

#include <QFormLayout>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>
#include <cmath>

#include "host/corlmr.h"
#include "pad/lumirapad.h"
#include "pad/replies.h"

namespace lumira {
namespace {

// Rows in the order shown.
const char* const kRows[] = {
    "UT",       "UTD",       "JST",      "LST",        "LMT",       "JD",        "MJD",
    "Local sidereal time",   "Moon age", "Location",   "Zone",      "Catalogue",
    "Catalogue switching",   "Magnitude limit",        "Time lock", "Animation",
    "Track / trace",
};

// A query whose failure shows as a text instead of ending the refresh.
std::string Ask(CCorLmr& engine, const char* query) {
  try {
    return engine.Execute(query);
  } catch (const CHostError& e) {
    return std::string("(") + e.what() + ")";
  }
}

QString Text(const std::string& s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

QString OnOff(const std::string& reply) { return replies::ReadTruth(reply) ? "on" : "off"; }

}  // namespace

QString FormatPlace(double longitude, double latitude) {
  auto part = [](double value, char plus, char minus, int width) {
    if (!std::isfinite(value) || std::fabs(value) > 1000.0) return QString::number(value);
    const char hemisphere = value >= 0 ? plus : minus;
    const double a = std::fabs(value);
    int degrees = int(a);
    double minutes = std::round((a - degrees) * 600.0) / 10.0;
    if (minutes >= 60.0) { minutes = 0.0; ++degrees; }
    return QString("%1°%2'%3").arg(degrees, width).arg(minutes, 4, 'f', 1, QChar('0')).arg(QChar(hemisphere));
  };
  return part(longitude, 'E', 'W', 3) + "  " + part(latitude, 'N', 'S', 2);
}

QString FormatDecimalDay(const std::string& utReply) {
  replies::DateFields f;
  if (replies::ReadDate(utReply, 3, &f) < 8) return "--";
  const double day = f.day + f.hour / 24.0 + f.minute / 1440.0 + f.second / 86400.0;
  return QString("%1%2/%3/%4")
      .arg(QString::fromStdString(f.era))
      .arg(f.year)
      .arg(f.month, 2, 10, QChar('0'))
      .arg(day, 8, 'f', 5, QChar('0'));
}

QString FormatHours(double hours) {
  if (!std::isfinite(hours) || hours < 0.0 || hours >= 1e6) return "--:--:--";
  const int h = int(hours);
  const double m = (hours - h) * 60.0;
  const int mi = int(m);
  const int s = int((m - mi) * 60.0);
  return QString("%1:%2:%3").arg(h, 2, 10, QChar('0')).arg(mi, 2, 10, QChar('0')).arg(s, 2, 10, QChar('0'));
}

StateView::StateView(const QImage& moonStrip, QWidget* parent) : QWidget(parent), m_moonStrip(moonStrip) {
  auto* outer = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  for (const char* name : kRows) {
    auto* value = new QLabel(this);
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    value->setObjectName(QString("state:%1").arg(name));
    form->addRow(QString(name) + ":", value);
    m_rows[name] = value;
  }
  m_moon = new QLabel(this);
  m_moon->setFixedSize(19 * 3, 19 * 3);
  m_moon->setToolTip("The Moon at its age, as the pad shows it");
  form->addRow("Moon:", m_moon);
  outer->addLayout(form);
  outer->addStretch(1);
}

void StateView::SetRow(const QString& name, const QString& text) {
  auto it = m_rows.find(name);
  if (it != m_rows.end() && it->second->text() != text) it->second->setText(text);
}

QString StateView::RowText(const QString& name) const {
  auto it = m_rows.find(name);
  return it == m_rows.end() ? QString() : it->second->text();
}

void StateView::ShowMoon(int age) {
  if (age == m_moonAge) return;
  m_moonAge = age;
  if (m_moonStrip.isNull()) return;
  const QImage cell = m_moonStrip.copy(19 * age, 0, 19, 19);
  m_moon->setPixmap(QPixmap::fromImage(cell.scaled(19 * 3, 19 * 3, Qt::IgnoreAspectRatio, Qt::FastTransformation)));
}

void StateView::Refresh(CCorLmr& engine) {
  const std::string ut = Ask(engine, "? UT(Time)");
  SetRow("UT", Text(ut));
  SetRow("UTD", FormatDecimalDay(ut));
  SetRow("JST", Text(Ask(engine, "? JST(Time)")));
  const double zone = replies::ReadNumber(Ask(engine, "? Time.Timezone"));
  SetRow("LST", Text(Ask(engine, "? LST(Time)")));
  SetRow("LMT", Text(Ask(engine, "? LMT(Time)")));
  const double jd = replies::ReadNumber(Ask(engine, "? Time.jd"));
  SetRow("JD", QString::number(jd, 'f', 5));
  SetRow("MJD", QString::number(jd - timesys::kMjdZero, 'f', 5));
  SetRow("Local sidereal time", FormatHours(replies::ReadNumber(Ask(engine, "? Time.SiderealTime"))));

  const double age = replies::ReadNumber(Ask(engine, "? Solar.Moon.age"));
  SetRow("Moon age", QString("%1 days").arg(age, 0, 'f', 1));
  ShowMoon(CLumiraPad::MoonPictureIndex(age));

  double longitude = 0, latitude = 0;
  replies::ReadNumberPair(Ask(engine, "? Location.Longitude; ? Location.Latitude"), &longitude, &latitude);
  SetRow("Location", FormatPlace(longitude, latitude));
  SetRow("Zone", QString("UT%1%2 h").arg(zone >= 0 ? "+" : "").arg(zone, 0, 'f', 2));

  SetRow("Catalogue", Text(Ask(engine, "? Star.Catalog")));
  const std::string switching = Ask(engine, "? Star.Catalog.Switch");
  SetRow("Catalogue switching", replies::ReadTruth(switching)
                                    ? "on, to " + Text(Ask(engine, "? Star.Catalog.Switch.Catalog"))
                                    : QString("off"));
  SetRow("Magnitude limit",
         QString::number(replies::ReadNumber(Ask(engine, "? Star.AutoMagnitudeLimit.minimum")), 'f', 1));
  SetRow("Time lock", OnOff(Ask(engine, "? Time.Lock")));

  const bool running = replies::ReadTruth(Ask(engine, "? Animation.Time"));
  const bool realtime = replies::ReadTruth(Ask(engine, "? Animation.Time.Realtime"));
  const bool step = replies::ReadTruth(Ask(engine, "? Animation.Time.Speed.Step"));
  const QString mode = realtime ? "real time" : step ? "step" : "continuous";
  SetRow("Animation", QString("%1 (%2)").arg(running ? "running" : "stopped", mode));
  SetRow("Track / trace", OnOff(Ask(engine, "? View.Track")) + " / " + OnOff(Ask(engine, "? View.Trace")));
}

}  // namespace lumira
