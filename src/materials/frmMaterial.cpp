#include "materials/frmMaterial.h"

#include <QCloseEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "materials/frmMaterialDay.h"
#include "materials/frmMaterialInput.h"
#include "materials/modMaterial.h"
#include "platform/Controls.h"
#include "platform/Desktop.h"
#include "platform/ErrorReporter.h"
#include "platform/FlexGrid.h"
#include "platform/Fonts.h"
#include "platform/MessageBox.h"
#include "platform/PictureBox.h"
#include "platform/Screen.h"
#include "platform/WindowSlot.h"
#include "store/MaterialFile.h"
#include "store/ScopedFlag.h"
#include "store/Store.h"

namespace {

WindowSlot<frmMaterial>& Slot() {
  static WindowSlot<frmMaterial> slot;
  return slot;
}

// Below the menu bar, wide enough for every column and the scroll bar.
constexpr int kWindowLeft = 0;
constexpr int kWindowTop = 71;
constexpr int kWindowWidth = 880;
constexpr int kWindowHeight = 600;

constexpr int kGridTop = 44;
constexpr int kColWidths[kLedgerCols] = {125, 75, 75, 75, 3, 100, 100, 75, 75, 75, 75};
const char* const kHeader[2][kLedgerCols] = {
    {"資材情報", "資材情報", "資材情報", "資材情報", "", "日付", "日付", "購入", "購入", " ", " "},
    {"資材名", "単価", "１個／量", "単位", "", "購入", "使用", "個数", "量", "使用量", "残量"},
};

}  // namespace

frmMaterial::frmMaterial()
    : RecordForm(OnClose::HideAndKeep, Placement::At({kWindowLeft, kWindowTop}, {kWindowWidth, kWindowHeight})) {
  setWindowTitle(QStringLiteral("Vorn　資材管理表"));
  cmdMaterialInput = new QPushButton(QStringLiteral("資材追加"), this);
  cmdMaterialBuy = new QPushButton(QStringLiteral("追加購入"), this);
  cmdMaterialUse = new QPushButton(QStringLiteral("資材使用"), this);
  cmdSave = new QPushButton(QStringLiteral("保存"), this);
  cmdClose = new QPushButton(QStringLiteral("閉じる"), this);
  mfgMaterial = new FlexGrid(this);
  mfgMaterial->setFont(MapFont(kPGothic, 9));
  txtForEdit = new QLineEdit(this);
  txtForEdit->setFont(mfgMaterial->font());
  // A thin line marks the cell being edited.
  txtForEdit->setStyleSheet(QStringLiteral("QLineEdit { border: 1px solid black; padding: 0px; }"));
  txtForEdit->hide();
  KeepStorable(txtForEdit);
  txtForEdit->installEventFilter(this);

  connect(cmdMaterialInput, &QPushButton::clicked, this, [this] { cmdMaterialInput_Click(); });
  connect(cmdMaterialBuy, &QPushButton::clicked, this, [this] { cmdMaterialBuy_Click(); });
  connect(cmdMaterialUse, &QPushButton::clicked, this, [this] { cmdMaterialUse_Click(); });
  connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
  connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
  connect(mfgMaterial, &FlexGrid::SelChange, this, [this] { mfgMaterial_SelChange(); });
  connect(mfgMaterial, &FlexGrid::DblClick, this, [this] { mfgMaterial_DblClick(); });
  connect(mfgMaterial, &FlexGrid::KeyDown, this, [this](int k, int s) { mfgMaterial_KeyDown(k, s); });
  connect(mfgMaterial, &FlexGrid::KeyPress, this, [this](int k) { mfgMaterial_KeyPress(k); });
}

frmMaterial::~frmMaterial() = default;

void frmMaterial::PlaceControls() {
  FlexGrid* g = mfgMaterial;
  g->SetCols(kLedgerCols);
  g->SetFixedRows(kLedgerFixedRows);
  for (int c = 0; c < kLedgerCols; ++c) {
    g->SetColWidth(c, kColWidths[c]);
    g->SetColAlignment(c, Qt::AlignCenter);
    g->SetMergeCol(c, c <= 9);
    for (int r = 0; r < kLedgerFixedRows; ++r) g->SetTextMatrix(r, c, QString::fromUtf8(kHeader[r][c]));
  }
  g->SetMergeRow(0, true);
  g->SetMergeRow(1, true);
  txtForEdit->hide();

  QFont buttons = MapFont(kGothic, ScaledFontSize(12));
  const struct {
    QPushButton* button;
    int left;
  } kButtons[] = {{cmdMaterialInput, 2}, {cmdMaterialBuy, 90}, {cmdMaterialUse, 178}, {cmdSave, 266}, {cmdClose, 354}};
  for (auto b : kButtons) {
    PlacePixels(b.button, b.left, 2, 87, 41);
    b.button->setFont(buttons);
  }
  Form_Resize();
}

void frmMaterial::Form_Load() {
  CatchErrors([&] {
    FlexGrid* g = mfgMaterial;
    // Edits not saved yet stay: the file holds the older ledger.
    if (!Changed(RecordKind::Material)) LoadMaterial();
    FillMaterialGrid(g);
    g->SetRow(2);
    g->SetCol(0);
    EditRow = 2;
    EditCol = 0;
  });
}

void frmMaterial::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  Form_Resize();
}

void frmMaterial::Form_Resize() {
  CatchErrors([&] {
    const int h = height() > kGridTop ? height() - kGridTop : height();
    mfgMaterial->setGeometry(0, kGridTop, width(), h);
  });
}

bool frmMaterial::eventFilter(QObject* watched, QEvent* e) {
  if (watched == txtForEdit) {
    if (e->type() == QEvent::KeyPress) {
      auto* k = static_cast<QKeyEvent*>(e);
      const int code = VbKeyCode(k->key(), k->modifiers());
      txtForEdit_KeyDown(code, VbShift(k->modifiers()));
      if (code == keys::kUp || code == keys::kDown) return true;
      int ascii = code == keys::kEnter || code == keys::kEsc ? code : 0;
      if (ascii != 0 && txtForEdit_KeyPress(ascii)) return true;
    } else if (e->type() == QEvent::FocusOut) {
      // Only a move of the focus inside the window stores the edit, not the
      // window losing activation (a message box, another window).
      auto reason = static_cast<QFocusEvent*>(e)->reason();
      if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) txtForEdit_LostFocus();
    }
  }
  return QWidget::eventFilter(watched, e);
}

// --- Grid --------------------------------------------------------------------

void frmMaterial::mfgMaterial_DblClick() {
  CatchErrors([&] { StartCellEdit(mfgMaterial, txtForEdit, keys::kSpace); });
}

void frmMaterial::mfgMaterial_KeyDown(int keyCode, int) {
  CatchErrors([&] {
    if (keyCode == keys::kF2)
      StartCellEdit(mfgMaterial, txtForEdit, keys::kEnter);
    else if (keyCode == keys::kDelete)
      StartCellEdit(mfgMaterial, txtForEdit, keys::kBack);
    else if (keyCode > keys::kDelChar)  // keys of an input method
      StartCellEdit(mfgMaterial, txtForEdit, keys::kSpace);
  });
}

void frmMaterial::mfgMaterial_KeyPress(int keyAscii) {
  CatchErrors([&] {
    if (keyAscii == keys::kSpace || keyAscii == keys::kEnter || keyAscii == keys::kBack ||
        (keyAscii > keys::kSpace && keyAscii != keys::kDelChar))
      StartCellEdit(mfgMaterial, txtForEdit, keyAscii);
  });
}

void frmMaterial::mfgMaterial_SelChange() {
  CatchErrors([&] {
    // The divider column is skipped in the direction of travel.
    if (mfgMaterial->Col() == 4) {
      if (LastCol >= 0 && LastCol <= 3)
        mfgMaterial->SetCol(5);
      else if (LastCol >= 5 && LastCol <= 10)
        mfgMaterial->SetCol(3);
    }
    LastCol = static_cast<int16_t>(mfgMaterial->Col());
  });
}

// --- In-place editor ---------------------------------------------------------

void frmMaterial::txtForEdit_KeyDown(int keyCode, int) {
  CatchErrors([&] { CellEditKeyDown(mfgMaterial, txtForEdit, keyCode); });
}

bool frmMaterial::txtForEdit_KeyPress(int keyAscii) {
  return keyAscii == keys::kEnter || keyAscii == keys::kEsc;
}

void frmMaterial::txtForEdit_LostFocus() {
  // Hiding the editor moves the focus again; that second call finds the
  // editor busy and returns.
  ReentryGuard guard(storing_);
  if (!guard.Enter()) return;
  CatchErrors([&] {
    if (txtForEdit->isHidden()) return;
    const QString text = txtForEdit->text();
    txtForEdit->hide();
    mfgMaterial->SetTextMatrix(EditRow, EditCol, text);
    if (StoreCellText(EditCol, EditRow - kLedgerFixedRows, text) == CellStore::Refused) MsgBox(kMsgBadValue);
    FillMaterialGrid(mfgMaterial);
    mfgMaterial->setFocus();
  });
}

// --- Buttons -----------------------------------------------------------------

void frmMaterial::cmdMaterialInput_Click() {
  CatchErrors([&] { ShowEntryDialog(new frmMaterialInput(this)); });
}

void frmMaterial::ShowEntryDialog(QDialog* dialog) {
  // The ledger may have been unloaded while the dialog was open.
  QPointer<frmMaterial> self(this);
  if (RunDialog(dialog) && self) FillMaterialGrid(mfgMaterial);
}

void frmMaterial::cmdMaterialBuy_Click() {
  CatchErrors([&] { ShowEntryDialog(new frmMaterialDay(frmMaterialDay::Entry::Purchase, this)); });
}

void frmMaterial::cmdMaterialUse_Click() {
  CatchErrors([&] { ShowEntryDialog(new frmMaterialDay(frmMaterialDay::Entry::Use, this)); });
}

void frmMaterial::cmdSave_Click() { RunSave(RecordKind::Material, SaveMaterial); }

void frmMaterial::cmdClose_Click() {
  CatchErrors([&] { hide(); });
}

void frmMaterial::Reload() {
  CatchErrors([&] {
    {
      ScopedFlag quiet(storing_);
      txtForEdit->hide();
    }
    FillMaterialGrid(mfgMaterial);
  });
}

// --- The one window ----------------------------------------------------------

frmMaterial* LoadedMaterialWindow() { return Slot().Loaded(); }

void ShowMaterialWindow() {
  Slot().Show();
}

void UnloadMaterialWindow() { Slot().Unload(); }

void ReloadMaterialWindow() {
  if (frmMaterial* w = LoadedMaterialWindow()) w->Reload();
}
