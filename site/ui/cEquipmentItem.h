#pragma once
// A piece of equipment on the site plan: a circle with its number, grey
// while the piece is inactive.

#include "site/ui/cPlacedItem.h"

class cEquipmentItem : public cPlacedItem {
public:
  using cPlacedItem::cPlacedItem;
  void setActive(bool active);
  bool isActive() const { return active_; }
  void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

private:
  bool active_ = true;
};
