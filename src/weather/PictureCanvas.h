#pragma once
// The weather graph drawn onto a picture box, in the box's twips.
#include "platform/PictureBox.h"
#include "weather/modMain.h"

class PictureCanvas : public WeatherCanvas {
 public:
  explicit PictureCanvas(PictureBox& box) : box_(box) {}
  float InnerHeight() const override { return box_.ScaleHeight(); }
  void FillBox(float x1, float y1, float x2, float y2, const QColor& c) override { box_.FilledBox(x1, y1, x2, y2, c); }
  void Line(float x1, float y1, float x2, float y2, const QColor& c) override { box_.Line(x1, y1, x2, y2, c); }
  void LineTo(float x, float y, const QColor& c) override { box_.LineTo(x, y, c); }
  void Circle(float x, float y, float radius, const QColor& c) override { box_.Circle(x, y, radius, c); }

 private:
  PictureBox& box_;
};
