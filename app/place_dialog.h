// "Choose a place…": a search field over the places the zone table knows,
// a list of the matches (name, country, coordinates) that follows every
// keystroke, and the places chosen last while the field is empty.
#pragma once

#include <QDialog>

#include "app/place_search.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace lumira {

class PlaceDialog : public QDialog {
 public:
  // `places`: every place, in the order matches are listed; `recent`: the
  // places chosen last, newest first.
  PlaceDialog(PlaceList places, PlaceList recent, QWidget* parent = nullptr);

  // The place of the list's current row, or null when the list is empty.
  const qelobs::ZonePlace* Chosen() const;
  QLineEdit* Field() const { return m_field; }
  // The places the list shows, top first.
  const PlaceList& Shown() const { return m_shown; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Refill();

  PlaceList m_places;
  PlaceList m_recent;
  PlaceList m_shown;
  QLineEdit* m_field = nullptr;
  QLabel* m_caption = nullptr;
  QTreeWidget* m_list = nullptr;
  QPushButton* m_ok = nullptr;
};

}  // namespace lumira
