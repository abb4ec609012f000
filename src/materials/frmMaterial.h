#pragma once
// The material ledger: every material with its unit price, the quantity in
// one purchase unit and its unit, followed by each purchase and use with its
// date and what remained after it, in one grid in which any value shown can
// be changed in place. Buttons add a material, a purchase or a use, save the
// material file and close (hide) the window.
#include <QWidget>
#include <cstdint>

#include "platform/RecordForm.h"

class FlexGrid;
class QDialog;
class QLineEdit;
class QPushButton;

class frmMaterial : public RecordForm {
 public:
  frmMaterial();
  ~frmMaterial() override;

  QPushButton* cmdMaterialInput = nullptr;
  QPushButton* cmdMaterialBuy = nullptr;
  QPushButton* cmdMaterialUse = nullptr;
  QPushButton* cmdSave = nullptr;
  QPushButton* cmdClose = nullptr;
  FlexGrid* mfgMaterial = nullptr;
  QLineEdit* txtForEdit = nullptr;

  // The grid column current before the last change of selection.
  int16_t LastCol = 0;

  // Event handlers, named after control and event; each catches its errors.
  void Form_Resize();
  void mfgMaterial_DblClick();
  void mfgMaterial_KeyDown(int keyCode, int shift);
  void mfgMaterial_KeyPress(int keyAscii);
  void mfgMaterial_SelChange();
  void txtForEdit_KeyDown(int keyCode, int shift);
  // Returns whether the key is swallowed (Enter and Esc).
  bool txtForEdit_KeyPress(int keyAscii);
  void txtForEdit_LostFocus();
  void cmdMaterialInput_Click();
  void cmdMaterialBuy_Click();
  void cmdMaterialUse_Click();
  void cmdSave_Click();
  void cmdClose_Click();

  // After the data files were read again: an open edit is dropped (the cell
  // it was for may be gone) and the grid refilled.
  void Reload();

 protected:
  void PlaceControls() override;
  void Form_Load() override;
  void resizeEvent(QResizeEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void ShowEntryDialog(QDialog* dialog);
  int16_t storing_ = 0;  // 1 while an edit is being stored
};

// The one ledger window of the program (created on first showing).
frmMaterial* LoadedMaterialWindow();
void ShowMaterialWindow();
void UnloadMaterialWindow();
void ReloadMaterialWindow();
