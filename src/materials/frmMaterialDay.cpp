#include "materials/frmMaterialDay.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

#include "materials/MaskedDateBox.h"
#include "materials/modMaterial.h"
#include "platform/Controls.h"
#include "platform/ErrorReporter.h"
#include "platform/MessageBox.h"
#include "store/Store.h"

namespace {
constexpr int kWidth = 388;
constexpr int kHeight = 73;
}  // namespace

frmMaterialDay::frmMaterialDay(Entry entry, QWidget* ledger) : QDialog(ledger), entry_(entry) {
  const bool purchase = entry == Entry::Purchase;
  setWindowTitle(purchase ? QStringLiteral("資材管理表　購入日　追加") : QStringLiteral("資材管理表　使用日　追加"));
  SetUpEntryDialog(this, kWidth, kHeight);
  constexpr int h = kEntryRowHeight;
  cmbName = new QComboBox(this);
  txtDay = new MaskedDateBox(this);
  txtVolume = new QLineEdit(this);
  lblName = EntryLabel(this, QStringLiteral("資材名(&N)"), cmbName, 4, 6, 76);
  lblDay = EntryLabel(this, purchase ? QStringLiteral("購入日(&D)") : QStringLiteral("使用日(&D)"), txtDay, 4, 40, 76);
  lblVolume =
      EntryLabel(this, purchase ? QStringLiteral("個数(&V)") : QStringLiteral("使用量(&V)"), txtVolume, 184, 40, 76);
  cmbName->setGeometry(82, 6, 222, h);
  // The date box is as wide as a whole date needs in the font in use (a
  // narrower one scrolls the year's first digit away); the quantity follows.
  const int dayWidth = std::max(98, txtDay->WholeDateWidth());
  const int volumeLeft = 82 + dayWidth + 4 + 72;
  txtDay->setGeometry(82, 40, dayWidth, h);
  lblVolume->setGeometry(volumeLeft - 72, 40, 72, h);
  txtVolume->setGeometry(volumeLeft, 40, 304 - volumeLeft, h);
  cmdOK = new QPushButton(QStringLiteral("追加"), this);
  cmdCancel = new QPushButton(QStringLiteral("取り消し"), this);
  cmdOK->setGeometry(310, 4, 74, 28);
  cmdCancel->setGeometry(310, 38, 74, 28);
  cmdOK->setDefault(true);
  txtDay->KeyDown = [this](int& k, int s) { txtDay_KeyDown(k, s); };
  txtDay->KeyPress = [this](int& k) { txtDay_KeyPress(k); };
  connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
  connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
  Form_Load();
  cmbName->setFocus();
}

void frmMaterialDay::Form_Load() {
  CatchErrors([&] {
    QStringList names;
    for (int m = 1; m <= kMaterials && !Material(m).Name.empty(); ++m)
      names << QString::fromStdString(Material(m).Name);
    FillList(cmbName, names);
    // Each entry remembers its material.
    for (int i = 0; i < names.size(); ++i) cmbName->setItemData(i, i + 1);
    if (!names.isEmpty()) SetListIndex(cmbName, 0);
  });
}

void frmMaterialDay::txtDay_KeyDown(int& keyCode, int) { SwallowDateKeyDown(keyCode); }
void frmMaterialDay::txtDay_KeyPress(int& keyAscii) { SwallowDateKeyPress(keyAscii); }

void frmMaterialDay::cmdOK_Click() {
  RunEntry([&] {
    // Without any material there is nothing to buy or use.
    if (cmbName->currentIndex() < 0) {
      MsgBox(QStringLiteral("入力されていない項目があります。"));
      return;
    }
    const int m = cmbName->currentData().toInt();
    if (FirstFreeTransaction(Material(m)) == 0) {
      MsgBox(kMsgTransactionsFull);
      return;
    }
    const QString shown = txtDay->Shown();
    const int32_t n = ReadMaskedDate(shown);
    if (txtVolume->text().isEmpty()) {
      MsgBox(QStringLiteral("入力されていない項目があります。"));
      return;
    }
    if (!MaskedDateIsValid(shown, n)) {
      MsgBox(kMsgBadDate);
      return;
    }
    // Every value is read and checked before anything is stored.
    MaterialRec& rec = Material(m);
    const int j = FirstFreeTransaction(rec);
    const int mode = entry_ == Entry::Purchase ? 0 : 1;
    const int32_t count = WholeNumber(txtVolume->text());
    // Units bought and quantities used are counted from 1; a use may still
    // take more than remains.
    if (count <= 0) {
      MsgBox(kMsgBadValue);
      return;
    }
    const int32_t remain = RemainAfter(rec, j, mode, count);

    rec.Date(j) = n;
    rec.Mode(j) = mode;
    rec.OrVolNum(j) = count;
    rec.RemainVol(j) = remain;
    if (Busy == 0) MaterialChanged = -1;
    accept();
  });
}

// QDialog's own reject (Esc, the title bar's close button) hides and unloads
// the dialog; a close() from here would only ask for reject() again.
void frmMaterialDay::cmdCancel_Click() { reject(); }
