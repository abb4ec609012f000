#include "materials/frmMaterialInput.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

#include "materials/MaskedDateBox.h"
#include "materials/modMaterial.h"
#include "platform/Controls.h"
#include "platform/MessageBox.h"
#include "store/Store.h"

namespace {
constexpr int kWidth = 343;
constexpr int kHeight = 152;
}  // namespace

frmMaterialInput::frmMaterialInput(QWidget* ledger) : QDialog(ledger) {
  setWindowTitle(QStringLiteral("資材管理表　資材追加"));
  SetUpEntryDialog(this, kWidth, kHeight);
  constexpr int h = kEntryRowHeight;
  txtName = new QLineEdit(this);
  txtPrice = new QLineEdit(this);
  txtVolume = new QLineEdit(this);
  txtUnit = new QLineEdit(this);
  // Created in the order Tab takes them: row by row, left to right.
  txtNumber = new QLineEdit(this);
  txtBuyDay = new MaskedDateBox(this);
  lblName = EntryLabel(this, QStringLiteral("資材名(&M)"), txtName, 4, 6, 76);
  lblPrice = EntryLabel(this, QStringLiteral("単価(&P)"), txtPrice, 4, 34, 76);
  lblVolume = EntryLabel(this, QStringLiteral("1個/量(&V)"), txtVolume, 174, 34, 78);
  lblUnit = EntryLabel(this, QStringLiteral("単位(&U)"), txtUnit, 4, 62, 76);
  lblNumber = EntryLabel(this, QStringLiteral("個数(&N)"), txtNumber, 174, 62, 78);
  lblBuyDay = EntryLabel(this, QStringLiteral("購入日(&D)"), txtBuyDay, 4, 90, 76);
  txtName->setGeometry(82, 6, 255, h);
  txtPrice->setGeometry(82, 34, 86, h);
  txtVolume->setGeometry(252, 34, 85, h);
  txtUnit->setGeometry(82, 62, 86, h);
  txtNumber->setGeometry(252, 62, 85, h);
  // Wide enough for a whole date in the font in use.
  txtBuyDay->setGeometry(82, 90, std::max(100, txtBuyDay->WholeDateWidth()), h);
  cmdOK = new QPushButton(QStringLiteral("追加"), this);
  cmdCancel = new QPushButton(QStringLiteral("取り消し"), this);
  cmdOK->setGeometry(177, 120, 78, 28);
  cmdCancel->setGeometry(259, 120, 78, 28);
  cmdOK->setDefault(true);
  KeepStorable(txtName);
  KeepStorable(txtUnit);
  txtBuyDay->KeyDown = [this](int& k, int s) { txtBuyDay_KeyDown(k, s); };
  txtBuyDay->KeyPress = [this](int& k) { txtBuyDay_KeyPress(k); };
  connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
  connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
  txtName->setFocus();
}

void frmMaterialInput::txtBuyDay_KeyDown(int& keyCode, int) { SwallowDateKeyDown(keyCode); }
void frmMaterialInput::txtBuyDay_KeyPress(int& keyAscii) { SwallowDateKeyPress(keyAscii); }

void frmMaterialInput::cmdOK_Click() {
  RunEntry([&] {
    const int m = FirstFreeMaterial();
    if (m == 0) {
      MsgBox(kMsgMaterialsFull);
      return;
    }
    // Every value is read and checked before anything is stored.
    const int32_t price = WholeNumber(txtPrice->text());
    const int32_t volume = WholeNumber(txtVolume->text());
    const int32_t count = WholeNumber(txtNumber->text());
    // Prices and quantities count something: below nothing is a wrong value.
    if (price < 0 || volume < 0 || count < 0) {
      MsgBox(kMsgBadValue);
      return;
    }
    const QString shown = txtBuyDay->Shown();
    const int32_t n = ReadMaskedDate(shown);
    if (txtName->text().isEmpty() || price == 0 || volume == 0 || txtUnit->text().isEmpty() || n == 0 ||
        count == 0) {
      MsgBox(QStringLiteral("入力されてない項目があります。"));
      return;
    }
    if (!MaskedDateIsValid(shown, n)) {
      MsgBox(kMsgBadDate);
      return;
    }
    const int32_t remain = Long32(static_cast<int64_t>(volume) * count);

    MaterialRec& rec = Material(m);
    rec.Name = txtName->text().toStdString();
    rec.Price = price;
    rec.Volume = volume;
    rec.Unit = txtUnit->text().toStdString();
    rec.Date(1) = n;
    rec.Mode(1) = 0;
    rec.OrVolNum(1) = count;
    rec.RemainVol(1) = remain;
    if (Busy == 0) MaterialChanged = -1;
    accept();
  });
}

// QDialog's own reject (Esc, the title bar's close button) hides and unloads
// the dialog; a close() from here would only ask for reject() again.
void frmMaterialInput::cmdCancel_Click() { reject(); }
