#pragma once
// The distance tool's line on the site plan, with its length written at its
// end in the case's units.

#include <QGraphicsLineItem>

class cMeasureItem : public QGraphicsLineItem {
public:
  explicit cMeasureItem(QGraphicsItem* parent = nullptr);
  void setEnds(const QPointF& from, const QPointF& to, const QString& text);
  const QString& text() const { return text_; }
  QRectF boundingRect() const override;
  void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

private:
  QString text_;
};
