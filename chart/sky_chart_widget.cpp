#include "chart/sky_chart_widget.h"

#include <QAction>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "chart/chart_painter.h"
#include "sky/engine.h"

namespace chart {
namespace {

constexpr double kPickPixels = 9.0;
constexpr double kDragPixels = 4.0;  // a press that moves less is a click

}  // namespace

CSkyChartWidget::CSkyChartWidget(CSkyEngine& engine, sky::SkyFiles files, QWidget* parent)
    : QWidget(parent), m_engine(engine), m_scene(std::move(files)) {
  setObjectName("skyChart");
  setFocusPolicy(Qt::StrongFocus);
  setMinimumSize(200, 150);
  setAttribute(Qt::WA_OpaquePaintEvent);
  m_watched = Watch();

  m_resetAction = new QAction("Reset &view", this);
  m_resetAction->setShortcut(QKeySequence(Qt::Key_Home));
  m_resetAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  connect(m_resetAction, &QAction::triggered, this, [this] { ResetView(); });
  m_gridAction = new QAction("Alt-azimuth &grid", this);
  m_gridAction->setCheckable(true);
  connect(m_gridAction, &QAction::toggled, this, [this](bool on) { SetGridVisible(on); });
  addAction(m_resetAction);
  addAction(m_gridAction);
  setContextMenuPolicy(Qt::ActionsContextMenu);

  m_chartListener = m_engine.AddChartListener([this] { Sync(); });
  m_tickListener = m_engine.AddTickListener([this] { Sync(); });
}

CSkyChartWidget::~CSkyChartWidget() {
  m_engine.RemoveListener(m_chartListener);
  m_engine.RemoveListener(m_tickListener);
}

CSkyChartWidget::Watched CSkyChartWidget::Watch() const {
  const sky::SkyState& s = m_engine.State();
  return {s.time, s.longitude, s.latitude, s.magnitudeLimit, s.track, s.trace};
}

void CSkyChartWidget::Sync() {
  const Watched now = Watch();
  if (now == m_watched) return;
  const bool timeMoved = !(now.time == m_watched.time);
  m_watched = now;
  if (!now.trace) {
    m_scene.ClearTrails();
  } else if (timeMoved || !m_scene.HasTrails()) {
    m_scene.RecordTrails(m_engine.State());
  }
  m_sceneStale = true;
  update();
}

void CSkyChartWidget::BringSceneUpToDate() {
  if (!m_sceneStale) return;
  m_sceneStale = false;
  m_scene.Update(m_engine.State());
  if (m_watched.track) {
    const sky::Horizontal h = sky::HorizontalOf(SelectedLocal());
    m_view.azimuth = h.azimuth;
    m_view.altitude = h.altitude;
  }
}

const SkyScene& CSkyChartWidget::Scene() {
  BringSceneUpToDate();
  return m_scene;
}

sky::Vec3 CSkyChartWidget::SelectedLocal() const {
  const Selection s = m_selected.value_or(Selection{});
  if (s.isStar) return m_scene.StarLocal(s.starIndex);
  return m_scene.Bodies()[size_t(s.body)].local;
}

void CSkyChartWidget::SetScheme(ChartScheme scheme) {
  m_scheme = scheme;
  update();
}

void CSkyChartWidget::SetGridVisible(bool on) {
  m_grid = on;
  if (m_gridAction->isChecked() != on) m_gridAction->setChecked(on);
  update();
}

void CSkyChartWidget::SetView(const ViewDirection& view) {
  m_view = view;
  m_view.field = std::clamp(view.field, kMinField, kMaxField);
  m_view.altitude = std::clamp(view.altitude, -90.0, 90.0);
  update();
}

void CSkyChartWidget::ResetView() { SetView(ViewDirection{}); }

bool CSkyChartWidget::SelectAt(const QPointF& point) {
  BringSceneUpToDate();
  const Projection proj(m_view, width(), height());
  std::optional<Selection> best;
  double bestDistance = kPickPixels;
  auto consider = [&](const sky::Vec3& local, double reach, const Selection& what) {
    double x, y;
    if (local[2] < -0.01 || !proj.Project(local, &x, &y)) return;
    const double d = std::hypot(x - point.x(), y - point.y());
    if (d <= std::max(kPickPixels, reach) && d < bestDistance + reach) {
      bestDistance = d - reach;
      best = what;
    }
  };
  for (const SceneBody& b : m_scene.Bodies()) {
    consider(b.local, proj.Scale() * b.radiusDegrees * std::numbers::pi / 180.0, {false, b.body, -1});
  }
  for (const SceneStar& s : m_scene.Stars()) consider(s.local, 0.0, {true, sky::SolarBody::Sun, s.index});
  m_selected = best;
  if (m_watched.track && best) m_sceneStale = true;  // tracking: centre the new choice
  update();
  return best.has_value();
}

QString CSkyChartWidget::SelectionText() const {
  if (!m_selected) return QString();
  QString name;
  double magnitude = 0.0;
  if (m_selected->isStar) {
    const sky::CatalogueStar& star = m_scene.Files().catalogue.stars[size_t(m_selected->starIndex)];
    name = QString::fromStdString(m_scene.StarName(m_selected->starIndex));
    const QString hr = QString("HR %1").arg(star.hr);
    const QString designation = QString::fromStdString(star.designation).simplified();
    name = name.isEmpty() ? (designation.isEmpty() ? hr : designation + " (" + hr + ")") : name + " (" + hr + ")";
    magnitude = star.magnitude;
  } else {
    name = sky::BodyName(m_selected->body);
    magnitude = sky::ApparentMagnitude(m_selected->body, m_scene.Jde());
  }
  const sky::Horizontal h = sky::HorizontalOf(SelectedLocal());
  return QString("%1\nmagnitude %2\naltitude %3°\nazimuth %4°")
      .arg(name)
      .arg(magnitude, 0, 'f', 2)
      .arg(h.altitude, 0, 'f', 2)
      .arg(h.azimuth, 0, 'f', 2);
}

QString CSkyChartWidget::StatusText() const {
  const sky::SkyFiles& files = m_scene.Files();
  QString text;
  if (!files.catalogue.stars.empty()) {
    text = QString("Stars: the Bright Star Catalogue, to about magnitude 6.5 (%1 stars drawn, limit %2)")
               .arg(m_scene.Stars().size())
               .arg(m_engine.State().magnitudeLimit, 0, 'f', 1);
    if (m_engine.State().magnitudeLimit > 6.5) {
      text += QString("; the %1 catalogue's fainter stars are not drawn").arg(sky::CatalogName(m_engine.State().catalog));
    }
    if (files.catalogue.skippedLines > 0) {
      text += QString("; %1 unreadable catalogue lines skipped").arg(files.catalogue.skippedLines);
    }
  }
  for (const std::string& missing : files.missing) {
    if (!text.isEmpty()) text += "\n";
    text += "Missing file: " + QString::fromStdString(missing) +
            (missing.ends_with("BSC") ? " (no stars are drawn; the Sun, the Moon and the planets are)" : "");
  }
  return text;
}

void CSkyChartWidget::paintEvent(QPaintEvent*) {
  ++m_paints;
  BringSceneUpToDate();
  QPainter p(this);
  const ChartPalette palette = m_scheme == ChartScheme::Night ? NightPalette() : PrintPalette();
  ChartOptions options;
  options.grid = m_grid;
  options.trails = m_watched.trace;
  if (m_selected) options.selected = SelectedLocal();
  const QRectF area = rect();
  PaintChart(p, m_scene, Projection(m_view, width(), height()), area, palette, options, m_stamps);

  p.setRenderHint(QPainter::Antialiasing, false);
  QFont font = this->font();
  p.setFont(font);
  p.setPen(palette.text);
  const QRectF margin = area.adjusted(8, 6, -8, -6);
  if (m_selected) p.drawText(margin, Qt::AlignLeft | Qt::AlignTop, SelectionText());
  p.drawText(margin, Qt::AlignLeft | Qt::AlignBottom | Qt::TextWordWrap, StatusText());
}

void CSkyChartWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  m_pressAt = m_dragFrom = event->position();
  m_dragging = false;
}

void CSkyChartWidget::mouseMoveEvent(QMouseEvent* event) {
  if (!(event->buttons() & Qt::LeftButton)) return;
  const QPointF at = event->position();
  if (!m_dragging && std::hypot(at.x() - m_pressAt.x(), at.y() - m_pressAt.y()) < kDragPixels) return;
  m_dragging = true;
  SetView(Panned(m_view, at.x() - m_dragFrom.x(), at.y() - m_dragFrom.y(), width()));
  m_dragFrom = at;
}

void CSkyChartWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mouseReleaseEvent(event);
  if (!m_dragging) SelectAt(event->position());
  m_dragging = false;
}

void CSkyChartWidget::wheelEvent(QWheelEvent* event) {
  SetView(Zoomed(m_view, event->angleDelta().y() / 120.0));
  event->accept();
}

void CSkyChartWidget::keyPressEvent(QKeyEvent* event) {
  const double step = width() / 12.0;  // pixels of a drag
  switch (event->key()) {
    case Qt::Key_Left: SetView(Panned(m_view, step, 0, width())); break;
    case Qt::Key_Right: SetView(Panned(m_view, -step, 0, width())); break;
    case Qt::Key_Up: SetView(Panned(m_view, 0, step, width())); break;
    case Qt::Key_Down: SetView(Panned(m_view, 0, -step, width())); break;
    case Qt::Key_Plus: SetView(Zoomed(m_view, 1)); break;
    case Qt::Key_Minus: SetView(Zoomed(m_view, -1)); break;
    default: QWidget::keyPressEvent(event); return;
  }
}

}  // namespace chart
