// The name list editor over a list of fields: as it opens, and with a new
// name being typed below the 17th row (the list scrolled, the box narrowed).
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <string>

#include "namelist/frmEdit.h"
#include "platform/NameListLink.h"
#include "screenshots/Screenshots.h"
#include "store/Store.h"

namespace {

frmEdit* PlaceEditor(int places) {
  ResetStore();
  const char* names[] = {"東の畑",   "西の畑",   "南の田",     "北の田",   "ハウス１", "ハウス２",
                         "果樹園",   "苗床",     "裏の畑",     "川沿い",   "山の畑",   "竹林の脇",
                         "第二水田", "第三水田", "育苗ハウス", "貸し農園", "堆肥場"};
  FarmName.RedimPreserve(places - 1);
  for (int i = 0; i < places; ++i) FarmName(i) = names[i % 17];
  SetNameListEditor({});
  OpenNameListEditor(NameList::Place, nullptr);  // sets the list kind only
  auto* f = new frmEdit;
  f->move(360, 220);
  return f;
}

}  // namespace

SCREENSHOT(namelist) {
  frmEdit* f = PlaceEditor(6);
  return GrabScreen({f});
}

SCREENSHOT(namelist_adding) {
  frmEdit* f = PlaceEditor(16);
  f->show();
  f->cmdAdd->click();
  f->txtAdd->setText(QStringLiteral("新しい畑"));
  return GrabScreen({f});
}
