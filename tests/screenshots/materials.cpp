// The material ledger with several materials, and its two entry dialogs.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "materials/MaskedDateBox.h"
#include "materials/frmMaterial.h"
#include "materials/frmMaterialDay.h"
#include "materials/frmMaterialInput.h"
#include "platform/FlexGrid.h"
#include "screenshots/Screenshots.h"
#include "store/Store.h"

namespace {

void SampleLedger() {
  ResetStore();
  struct Tx {
    int32_t date;
    int mode;
    int32_t count;
  };
  auto add = [](int m, const char* name, int32_t price, int32_t volume, const char* unit, std::initializer_list<Tx> txs) {
    MaterialRec& r = Material(m);
    r.Name = name, r.Price = price, r.Volume = volume, r.Unit = unit;
    int j = 0;
    int32_t left = 0;
    for (const Tx& t : txs) {
      ++j;
      left += t.mode == 0 ? t.count * volume : -t.count;
      r.Date(j) = t.date, r.Mode(j) = t.mode, r.OrVolNum(j) = t.count, r.RemainVol(j) = left;
    }
  };
  add(1, "化成肥料 8-8-8", 1850, 20, "kg", {{20030301, 0, 4}, {20030315, 1, 25}, {20030402, 1, 30}, {20030420, 0, 2}});
  add(2, "苦土石灰", 680, 20, "kg", {{20030225, 0, 5}, {20030301, 1, 60}});
  add(3, "マルチフィルム 95cm", 2400, 200, "m", {});
  add(4, "ジャガイモ種芋（男爵）", 2900, 10, "kg", {{20030310, 0, 3}, {20030318, 1, 28}});
  add(5, "トマト苗", 98, 1, "本", {{20030428, 0, 40}, {20030502, 1, 36}, {20030510, 0, 6}});
  add(6, "軽油", 102, 1, "L", {{20030105, 0, 200}, {20030220, 1, 45}, {20030330, 1, 60}, {20030425, 1, 52}});
  add(7, "防虫ネット", 3600, 50, "m", {});
  // Kept in memory, as after edits not yet saved: no file is read.
  MaterialChanged = -1;
}

frmMaterial* Ledger() {
  SampleLedger();
  auto* f = new frmMaterial();
  f->Start();
  f->show();
  return f;
}

}  // namespace

SCREENSHOT(materials) {
  frmMaterial* f = Ledger();
  f->mfgMaterial->SetRow(3);
  f->mfgMaterial->SetCol(9);
  return GrabScreen({f});
}

SCREENSHOT(materials_input) {
  frmMaterial* f = Ledger();
  auto* d = new frmMaterialInput(f);
  d->txtName->setText(QStringLiteral("堆肥（牛ふん）"));
  d->txtPrice->setText(QStringLiteral("450"));
  d->txtVolume->setText(QStringLiteral("15"));
  d->txtUnit->setText(QStringLiteral("kg"));
  d->txtBuyDay->setText(QStringLiteral("2003/05/1"));
  d->txtNumber->setText(QStringLiteral("10"));
  d->move(240, 220);
  return GrabScreen({f, d});
}

SCREENSHOT(materials_use) {
  frmMaterial* f = Ledger();
  auto* d = new frmMaterialDay(frmMaterialDay::Entry::Use, f);
  d->cmbName->setCurrentIndex(5);
  d->txtDay->setText(QStringLiteral("2003/05"));
  d->txtVolume->setText(QStringLiteral("38"));
  d->move(240, 260);
  return GrabScreen({f, d});
}

SCREENSHOT(materials_editing) {
  frmMaterial* f = Ledger();
  f->mfgMaterial->SetRow(7);
  f->mfgMaterial->SetCol(1);
  f->mfgMaterial_KeyPress('7');
  return GrabScreen({f});
}
