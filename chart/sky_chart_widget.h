// CSkyChartWidget: the host application's star chart on the embedded
// engine.  It draws the engine's sky (SkyScene) in a stereographic
// alt-azimuth projection and redraws when the engine's time, place,
// magnitude limit, track or trace change, and only then.  Redraws are
// requested with update(), so that Qt folds a burst of changes (a held
// pad digit) into one paint.
//
// Drag to pan, the wheel zooms (5 to 180 degrees across), the arrow keys
// pan while the chart has focus, Home (or "Reset view") goes back to the
// first view; a click selects the object under it and the chart shows its
// name, magnitude, altitude and azimuth.  With View.Track the selected
// object (the Moon when none is) stays in the centre; with View.Trace the
// Sun, the Moon and the planets leave trails while the time changes.
#pragma once

#include <QString>
#include <QWidget>
#include <optional>

#include "chart/chart_painter.h"
#include "chart/projection.h"
#include "chart/sky_scene.h"
#include "sky/instant.h"

class CSkyEngine;
class QAction;

namespace chart {

// What a click picked: a body of the solar system or a catalogue star.
struct Selection {
  bool isStar = false;
  sky::SolarBody body = sky::SolarBody::Moon;
  int starIndex = -1;
};

// Two looks: 0 the night chart (light stars on a dark sky), 1 a printed
// chart (dark stars on a pale sky).
enum class ChartScheme { Night, Print };

class CSkyChartWidget : public QWidget {
 public:
  // `engine` must outlive the widget.
  CSkyChartWidget(CSkyEngine& engine, sky::SkyFiles files, QWidget* parent = nullptr);
  ~CSkyChartWidget() override;

  // Looks at the engine and asks for a redraw when what the chart shows
  // has changed.  The engine's chart and tick listeners call it; a host
  // calls it after commands that do not say "Show Lumiral".
  void Sync();

  void SetScheme(ChartScheme scheme);
  void SetGridVisible(bool on);
  void ResetView();
  QAction* ResetViewAction() const { return m_resetAction; }
  QAction* GridAction() const { return m_gridAction; }

  const ViewDirection& View() const { return m_view; }
  void SetView(const ViewDirection& view);
  // Selects what lies within a few pixels of the point (nothing there:
  // the selection is cleared); returns whether something was selected.
  bool SelectAt(const QPointF& point);
  std::optional<Selection> Selected() const { return m_selected; }
  // The lines about the selection: name, magnitude, altitude, azimuth.
  QString SelectionText() const;
  // The status line: which stars are drawn and what is missing.
  QString StatusText() const;

  // The scene as the next paint draws it (brought up to date first).
  const SkyScene& Scene();
  int Paints() const { return m_paints; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // What the chart follows in the engine's state.
  struct Watched {
    sky::Instant time;
    double longitude = 0.0, latitude = 0.0, magnitudeLimit = 0.0;
    bool track = false, trace = false;
    friend bool operator==(const Watched&, const Watched&) = default;
  };
  Watched Watch() const;
  void BringSceneUpToDate();
  sky::Vec3 SelectedLocal() const;

  CSkyEngine& m_engine;
  SkyScene m_scene;
  StarStamps m_stamps;
  ViewDirection m_view;
  ChartScheme m_scheme = ChartScheme::Night;
  bool m_grid = false;
  std::optional<Selection> m_selected;
  Watched m_watched;
  bool m_sceneStale = true;
  int m_paints = 0;
  int m_chartListener = 0;
  int m_tickListener = 0;

  QPointF m_pressAt;
  QPointF m_dragFrom;
  bool m_dragging = false;

  QAction* m_resetAction = nullptr;
  QAction* m_gridAction = nullptr;
};

}  // namespace chart
