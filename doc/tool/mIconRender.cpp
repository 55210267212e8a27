#include "mIconRender.h"

#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>

namespace mIconRender {

bool renderPng(const std::string& svgPath, const std::string& pngPath, int size, std::string& error) {
  QSvgRenderer svg(QString::fromStdString(svgPath));
  if (!svg.isValid()) {
    error = "cannot read the icon " + svgPath;
    return false;
  }
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    svg.render(&painter);
  }
  if (!image.save(QString::fromStdString(pngPath), "PNG")) {
    error = "cannot write " + pngPath;
    return false;
  }
  return true;
}

}  // namespace mIconRender
