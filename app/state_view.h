// The central area of the planetarium window: the engine's state as text,
// read afresh with the engine's own queries at every refresh, and the Moon
// at its age in the same picture the pad shows.
#pragma once

#include <QImage>
#include <QWidget>
#include <map>
#include <string>

class QLabel;
class CCorLmr;

namespace lumira {

class StateView : public QWidget {
 public:
  // `moonStrip` is the pad's strip of thirty 19x19 Moon images (bitmap
  // 6233), age 0 at the left; a null image leaves the picture empty.
  StateView(const QImage& moonStrip, QWidget* parent = nullptr);

  // Re-reads everything from the engine.  Queries only: the engine's state
  // is left as it was.
  void Refresh(CCorLmr& engine);

  // The shown text of a row ("UT", "JD", "Moon age"...), for tests.
  QString RowText(const QString& name) const;
  int MoonAgeShown() const { return m_moonAge; }

 private:
  void SetRow(const QString& name, const QString& text);
  void ShowMoon(int age);

  QImage m_moonStrip;
  std::map<QString, QLabel*> m_rows;
  QLabel* m_moon = nullptr;
  int m_moonAge = -1;
};

// 139.7447, 35.6544 -> "139°44.7'E  35°39.3'N".
QString FormatPlace(double longitude, double latitude);

// A "? UT(Time)" reply with the day as a decimal: "AD2000/01/01.50000".
QString FormatDecimalDay(const std::string& utReply);

// Hours as h:mm:ss (sidereal time), seconds truncated.
QString FormatHours(double hours);

}  // namespace lumira
