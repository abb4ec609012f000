#pragma once
// Adds a purchase or a use of a material that exists: the material chosen
// from the list, the date and the number of units bought or the quantity
// used. The new transaction goes last, and what remains is carried on from
// the transaction before it.
#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class MaskedDateBox;

class frmMaterialDay : public QDialog {
 public:
  enum class Entry { Purchase, Use };
  // Loads the list of materials; accepted once the entry is in the store.
  frmMaterialDay(Entry entry, QWidget* ledger);

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

 private:
  Entry entry_;
};
