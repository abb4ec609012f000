#pragma once
// A loaded ledger window on a fresh store whose files live in a temporary
// directory; message boxes are recorded and answered, dialogs run modally.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QTableView>
#include <QTimer>
#include <functional>
#include <memory>

#include "materials/frmMaterial.h"
#include "materials/modMaterial.h"
#include "platform/Desktop.h"
#include "platform/ErrorReporter.h"
#include "platform/FlexGrid.h"
#include "platform/Screen.h"
#include "store/DataFile.h"
#include "store/Store.h"
#include "support/WindowTest.h"

// A material in the first free record, a transaction in its first free slot.
inline int AddMaterial(const char* name, int32_t price, int32_t volume, const char* unit) {
  int m = FirstFreeMaterial();
  MaterialRec& r = Material(m);
  r.Name = name, r.Price = price, r.Volume = volume, r.Unit = unit;
  return m;
}
inline void AddTransaction(int m, int32_t date, int mode, int32_t count, int32_t remain) {
  MaterialRec& r = Material(m);
  int j = FirstFreeTransaction(r);
  r.Date(j) = date, r.Mode(j) = mode, r.OrVolNum(j) = count, r.RemainVol(j) = remain;
}

class MaterialTest : public WindowTest<frmMaterial> {
 protected:
  // Loads and shows the ledger over what the store holds (the file is read
  // only when the test wrote one).
  void Open() {
    f = std::make_unique<frmMaterial>();
    f->Start();
    f->show();
    f->activateWindow();
    ProcessEvents();
  }

  FlexGrid* grid() const { return f->mfgMaterial; }
  QString Cell(int row, int col) const { return grid()->TextMatrix(row, col); }
  void Select(int row, int col) {
    grid()->SetRow(row);
    grid()->SetCol(col);
  }

  // A key pressed on a widget (text for keys that type a character).
  static void Key(QWidget* w, int key, const QString& text = {}, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QCoreApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    QCoreApplication::sendEvent(w, &release);
  }
  void GridKey(int key, const QString& text = {}) { Key(grid()->DataView(), key, text); }
  void EditorKey(int key, const QString& text = {}) { Key(f->txtForEdit, key, text); }
  // Types text into the open editor and presses Enter.
  void TypeAndEnter(const QString& text) {
    f->txtForEdit->setText(text);
    EditorKey(Qt::Key_Return, QStringLiteral("\r"));
  }
  // Opens the editor on a cell as a double-click does, replaces its text and
  // stores it.
  void EditCell(int row, int col, const QString& text) {
    Select(row, col);
    f->mfgMaterial_DblClick();
    TypeAndEnter(text);
  }

  std::vector<QString> Messages() const {
    std::vector<QString> m;
    for (auto& c : boxes.calls()) m.push_back(c.text);
    return m;
  }
};
