#pragma once
// The picture box of the weather graph: draws the chart in twips and hands
// pointer events to the weather window with twip coordinates.
#include <QWidget>

#include "weather/modMain.h"

class frmMain;

class WeatherGraphBox : public QWidget, public WeatherCanvas {
 public:
  WeatherGraphBox(frmMain* owner, QWidget* parent);

  // Inner size in twips.
  float InnerWidth() const;
  float InnerHeight() const override;

  void FillBox(float x1, float y1, float x2, float y2, const QColor& c) override;
  void Line(float x1, float y1, float x2, float y2, const QColor& c) override;
  void LineTo(float x, float y, const QColor& c) override;
  void Circle(float x, float y, float radius, const QColor& c) override;

 protected:
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;

 private:
  frmMain* owner_;
};
