#pragma once
// A receptor on the site plan: a square with its number, coloured by its
// worst exceedance, outlined when it is the selected receptor.

#include "site/ui/cPlacedItem.h"

class cReceptorItem : public cPlacedItem {
public:
  enum class Level { Unknown, None, Some, High };
  using cPlacedItem::cPlacedItem;
  void setState(Level level, bool current);
  Level level() const { return level_; }
  bool isCurrent() const { return current_; }
  void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

private:
  Level level_ = Level::Unknown;
  bool current_ = false;
};
