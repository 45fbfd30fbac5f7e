#include "app/place_dialog.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/state_view.h"

namespace lumira {
namespace {

constexpr size_t kShownMatches = 50;  // more than a list shows at once

}  // namespace

PlaceDialog::PlaceDialog(PlaceList places, PlaceList recent, QWidget* parent)
    : QDialog(parent), m_places(std::move(places)), m_recent(std::move(recent)) {
  setWindowTitle("Choose a place");
  auto* column = new QVBoxLayout(this);
  column->addWidget(new QLabel("The start of the place's name, or of a word of it:", this));
  m_field = new QLineEdit(this);
  m_field->setObjectName("placeField");
  m_field->setPlaceholderText("Tokyo, New York, Sapporo…");
  m_field->setClearButtonEnabled(true);
  m_field->installEventFilter(this);
  column->addWidget(m_field);
  m_caption = new QLabel(this);
  column->addWidget(m_caption);
  m_list = new QTreeWidget(this);
  m_list->setObjectName("placeList");
  m_list->setRootIsDecorated(false);
  m_list->setHeaderLabels({"Place", "Country", "Longitude and latitude"});
  m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  m_list->setMinimumSize(460, 240);
  column->addWidget(m_list, 1);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  m_ok = buttons->button(QDialogButtonBox::Ok);
  column->addWidget(buttons);

  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(m_field, &QLineEdit::textChanged, this, [this] { Refill(); });
  connect(m_list, &QTreeWidget::itemActivated, this, [this] { accept(); });
  Refill();
}

const qelobs::ZonePlace* PlaceDialog::Chosen() const {
  const int row = m_list->indexOfTopLevelItem(m_list->currentItem());
  return row >= 0 && size_t(row) < m_shown.size() ? m_shown[size_t(row)] : nullptr;
}

void PlaceDialog::Refill() {
  const bool searching = !m_field->text().trimmed().isEmpty();
  m_shown = searching ? FindPlaces(m_places, m_field->text(), kShownMatches) : m_recent;
  if (!searching) {
    m_caption->setText(m_recent.empty() ? "No place chosen yet." : "Recently chosen:");
  } else {
    m_caption->setText(m_shown.empty() ? "No place has that name." : "Matching places:");
  }
  m_list->clear();
  for (const qelobs::ZonePlace* place : m_shown) {
    m_list->addTopLevelItem(new QTreeWidgetItem(
        {QString::fromUtf8(place->place), CountryName(*place), FormatPlace(place->longitude, place->latitude)}));
  }
  // The best match is chosen until the user picks another.
  if (m_list->topLevelItemCount() > 0) m_list->setCurrentItem(m_list->topLevelItem(0));
  m_ok->setEnabled(!m_shown.empty());
}

bool PlaceDialog::eventFilter(QObject* watched, QEvent* event) {
  // The arrows move through the list while the typing goes on.
  if (watched == m_field && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown) {
      QCoreApplication::sendEvent(m_list, event);
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace lumira
