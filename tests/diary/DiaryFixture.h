#pragma once
// A fresh store dated 2001-05-06, the diary windows unloaded before and
// after each test, message boxes answered and recorded.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QPlainTextEdit>

#include "diary/DiaryWindows.h"
#include "diary/modDiary.h"
#include "store/DataFile.h"
#include "store/Store.h"
#include "support/GuiTest.h"
#include "support/TempDir.h"

class DiaryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UnloadDiaryEdit();
    UnloadDiary();
    ResetStore();
    DataPath = dir.dir();
    CurYear = 2001;
    CurMonth = 5;
    CurDay = 6;
  }
  void TearDown() override {
    UnloadDiaryEdit();
    UnloadDiary();
    ProcessEvents();
    EXPECT_EQ(DiaryLoading, 0);
    StoreErrorHook = nullptr;
    ResetStore();
  }

  TempDir dir;
  MessageBoxes boxes;
};

// Types text into a widget key by key, as the farmer would; "\n" is Enter.
inline void Type(QWidget* w, const QString& text) {
  for (int i = 0; i < text.size(); ++i) {
    QString ch = text.mid(i, text.at(i).isHighSurrogate() ? 2 : 1);
    if (ch.size() == 2) ++i;
    const bool enter = ch == QStringLiteral("\n");
    const int key = enter ? Qt::Key_Return : 0;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, enter ? QStringLiteral("\r") : ch);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, enter ? QStringLiteral("\r") : ch);
    QApplication::sendEvent(w, &release);
  }
}

// Chooses a list item as the farmer would (the choice counts even when the
// item was already chosen).
inline void Choose(QComboBox* c, int index) {
  c->setCurrentIndex(index);
  emit c->activated(index);
}

inline QString Text(const QPlainTextEdit* t) { return t->toPlainText(); }
