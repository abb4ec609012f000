#pragma once
// Adds a purchase or a use of a material that exists: the material chosen
// from the list, the date and the number of units bought or the quantity
// used. The ledger sets the caption and the two labels before showing it;
// the caption tells the two modes apart. The new transaction goes last, and
// what remains is carried on from the transaction before it.
#include <QDialog>
#include <QPointer>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class MaskedDateBox;
class frmMaterial;

class frmMaterialDay : public QDialog {
 public:
  // Loads the list of materials; the ledger is refilled after an entry.
  explicit frmMaterialDay(frmMaterial* ledger);

  QLabel* lblName = nullptr;
  QComboBox* cmbName = nullptr;
  QLabel* lblDay = nullptr;
  MaskedDateBox* txtDay = nullptr;
  QLabel* lblVolume = nullptr;
  QLineEdit* txtVolume = nullptr;
  QPushButton* cmdOK = nullptr;
  QPushButton* cmdCancel = nullptr;

  void Form_Load();
  void cmdOK_Click();
  void cmdCancel_Click();
  void txtDay_KeyDown(int& keyCode, int shift);
  void txtDay_KeyPress(int& keyAscii);

  // True for the purchase caption, false for any other (use).
  bool IsPurchase() const;

 private:
  QPointer<frmMaterial> ledger_;
};
