#pragma once
// Adds a new material together with its first purchase: name, unit price,
// the quantity in one purchase unit and its unit, the purchase date and the
// number of units bought. A bad entry is answered with a message and the
// dialog stays open; nothing is stored until every value has been read and
// checked.
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class MaskedDateBox;

class frmMaterialInput : public QDialog {
 public:
  // Accepted once the material is in the store.
  explicit frmMaterialInput(QWidget* ledger);

  QLabel* lblName = nullptr;
  QLineEdit* txtName = nullptr;
  QLabel* lblPrice = nullptr;
  QLineEdit* txtPrice = nullptr;
  QLabel* lblVolume = nullptr;
  QLineEdit* txtVolume = nullptr;
  QLabel* lblUnit = nullptr;
  QLineEdit* txtUnit = nullptr;
  QLabel* lblBuyDay = nullptr;
  MaskedDateBox* txtBuyDay = nullptr;
  QLabel* lblNumber = nullptr;
  QLineEdit* txtNumber = nullptr;
  QPushButton* cmdOK = nullptr;
  QPushButton* cmdCancel = nullptr;

  void cmdOK_Click();
  void cmdCancel_Click();
  void txtBuyDay_KeyDown(int& keyCode, int shift);
  void txtBuyDay_KeyPress(int& keyAscii);
};
