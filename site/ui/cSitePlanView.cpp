#include "site/ui/cSitePlanView.h"

#include <cmath>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWheelEvent>

cSitePlanView::cSitePlanView(QGraphicsScene* scene, QWidget* parent) : QGraphicsView(scene, parent) {
  setObjectName(QStringLiteral("sitePlanView"));
  setAccessibleName(QStringLiteral("Site Plan"));
  setAccessibleDescription(QStringLiteral("Receptors, equipment and barriers of the case, north up"));
  setDragMode(ScrollHandDrag);
  setTransformationAnchor(AnchorUnderMouse);
  setRenderHint(QPainter::Antialiasing);
  setViewportUpdateMode(FullViewportUpdate);  // the scale bar and arrow sit on the viewport
  setMouseTracking(true);
}

void cSitePlanView::setTool(Tool tool) {
  tool_ = std::move(tool);
  setDragMode(NoDrag);
  viewport()->setCursor(Qt::CrossCursor);
}

void cSitePlanView::clearTool() {
  tool_ = Tool();
  toolDown_ = false;
  setDragMode(ScrollHandDrag);
  viewport()->unsetCursor();
}

void cSitePlanView::zoomBy(double factor) {
  const ViewportAnchor anchor = transformationAnchor();
  setTransformationAnchor(AnchorViewCenter);
  scale(factor, factor);
  setTransformationAnchor(anchor);
}

void cSitePlanView::wheelEvent(QWheelEvent* event) {
  const double steps = event->angleDelta().y() / 120.0;
  if (steps == 0) return;
  const double factor = std::pow(1.25, steps);
  const double current = transform().m11();
  // Between a millimetre and a hundred kilometres per pixel is enough.
  if ((factor > 1 && current > 1e3) || (factor < 1 && current < 1e-5)) return;
  scale(factor, factor);
  event->accept();
}

void cSitePlanView::mousePressEvent(QMouseEvent* event) {
  if (hasTool() && event->button() == Qt::LeftButton) {
    toolDown_ = true;
    tool_.pressed(mapToScene(event->position().toPoint()));
    return;
  }
  QGraphicsView::mousePressEvent(event);
}

void cSitePlanView::mouseMoveEvent(QMouseEvent* event) {
  if (hasTool() && toolDown_ && tool_.dragged) {
    tool_.dragged(mapToScene(event->position().toPoint()));
    return;
  }
  QGraphicsView::mouseMoveEvent(event);
}

void cSitePlanView::mouseReleaseEvent(QMouseEvent* event) {
  if (hasTool() && toolDown_ && event->button() == Qt::LeftButton) {
    toolDown_ = false;
    if (tool_.released) tool_.released(mapToScene(event->position().toPoint()));
    return;
  }
  QGraphicsView::mouseReleaseEvent(event);
}

void cSitePlanView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (hasTool() && tool_.finished) {
    tool_.finished();
    return;
  }
  QGraphicsView::mouseDoubleClickEvent(event);
}

void cSitePlanView::keyPressEvent(QKeyEvent* event) {
  if (hasTool() && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && tool_.finished) {
    tool_.finished();
    return;
  }
  QGraphicsView::keyPressEvent(event);
}

double cSitePlanView::scaleBarLength() const {
  const double unitsPerPixel = 1.0 / std::max(1e-12, std::fabs(transform().m11()));
  const double wanted = 100 * unitsPerPixel;  // about 100 pixels
  const double power = std::pow(10.0, std::floor(std::log10(wanted)));
  for (const double step : {5.0, 2.0, 1.0})
    if (step * power <= wanted) return step * power;
  return power;
}

void cSitePlanView::drawForeground(QPainter* painter, const QRectF&) {
  painter->save();
  painter->resetTransform();
  painter->setRenderHint(QPainter::Antialiasing);
  const QRect area = viewport()->rect();
  // Scale bar, bottom left.
  const double length = scaleBarLength();
  const double pixels = length * std::fabs(transform().m11());
  const QPointF left(12, area.height() - 16);
  painter->setPen(QPen(Qt::black, 2));
  painter->drawLine(left, left + QPointF(pixels, 0));
  painter->drawLine(left + QPointF(0, -5), left + QPointF(0, 3));
  painter->drawLine(left + QPointF(pixels, -5), left + QPointF(pixels, 3));
  painter->drawText(left + QPointF(0, -8), QString::number(length, 'g', 6) + QLatin1Char(' ') + unit_);
  // North arrow, top right: plan north is up on screen.
  const QPointF tip(area.width() - 24, 14);
  QPainterPath arrow;
  arrow.moveTo(tip);
  arrow.lineTo(tip + QPointF(8, 22));
  arrow.lineTo(tip + QPointF(0, 16));
  arrow.lineTo(tip + QPointF(-8, 22));
  arrow.closeSubpath();
  painter->setBrush(Qt::black);
  painter->setPen(Qt::NoPen);
  painter->drawPath(arrow);
  painter->setPen(Qt::black);
  painter->drawText(QRectF(tip.x() - 10, tip.y() + 22, 20, 16), Qt::AlignCenter, QStringLiteral("N"));
  painter->restore();
}
