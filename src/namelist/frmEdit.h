#pragma once
// The name list editor: one modal dialog for the produce, place, work and
// observed-crop lists. The farmer adds, renames, deletes and reorders names
// in a list box; nothing reaches the store until "適用", which rebuilds the
// list's arrays so that every name keeps its records, and refills the
// selector of the window owning the list. "取り消し" leaves the store alone.
//
// Each row carries an origin number (its item data): the index of the store
// entry it stands for when the dialog opened, or negative for a row added
// here. A list that holds only its empty entry (a first start) shows no
// rows; the first row added to it gets origin 0 and so takes that entry.
// Names are kept without blanks around them, and an empty one is refused.
// The dialog is created for each opening, so the numbers always refer to
// the store as it was then.
#include <QDialog>
#include <QString>
#include <cstdint>
#include <optional>

#include "store/NameLists.h"

class QLineEdit;
class QListWidget;
class QPushButton;

class frmEdit : public QDialog {
  Q_OBJECT
 public:
  // Loads the list named by NameListTag().
  explicit frmEdit(QWidget* parent = nullptr);

  QListWidget* lstName;
  QLineEdit* txtAdd;  // the in-place editor box laid over a row
  QPushButton* cmdOK;
  QPushButton* cmdCancel;
  QPushButton* cmdAdd;
  QPushButton* cmdDelete;
  QPushButton* cmdEdit;
  QPushButton* cmdUP;
  QPushButton* cmdDOWN;

  // "ADD" while a new row is typed, "EDIT" while a row's text is changed,
  // "" otherwise.
  QString txtAddTag;

  void Form_Load();
  void cmdAdd_Click();
  void cmdEdit_Click();
  void cmdDelete_Click();
  void cmdUP_Click();
  void cmdDOWN_Click();
  // 13 (Enter) and 27 (Esc) act; other keys are typed into the box.
  void txtAdd_KeyPress(int keyAscii);
  void txtAdd_LostFocus();
  void lstName_Scroll();
  void cmdOK_Click();
  void cmdCancel_Click();

  // The origin number of a row.
  int Origin(int row) const;
  // The first visible row of the list.
  int TopIndex() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void SetTopIndex(int row);
  void AppendRow(const QString& text, int origin);
  void Exchange(int row, int other);
  void PlaceEditor(int topPixels);
  void SetButtonsEnabled(bool enabled);

  QString tag_;
  std::optional<NameList> list_;
};

// Opens the editor modally over parent for the list NameListTag() names and
// returns when it has closed (the program installs this as the editor of
// the name list link).
void ShowNameListEditor(QWidget* parent);
