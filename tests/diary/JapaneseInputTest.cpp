// Japanese typed through an input method (fcitx5 or IBus with mozc): while
// the farmer composes, the method sends the reading being converted
// (preedit), which is not text yet; then it commits the chosen characters.
// Only committed text may reach the records, and a committed character the
// data files cannot hold is refused exactly as when typed or pasted.
#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>

#include "diary/DiaryFixture.h"
#include "platform/StorableTextBox.h"
#include "diary/DiaryWindows.h"
#include "diary/frmDiaryEdit.h"
#include "platform/Controls.h"
#include "runtime/Cp932.h"

namespace {

void Compose(QWidget* w, const QString& reading) {
  QList<QInputMethodEvent::Attribute> attributes{{QInputMethodEvent::Cursor, int(reading.size()), 1, QVariant()}};
  QInputMethodEvent e(reading, attributes);
  QApplication::sendEvent(w, &e);
}

void Commit(QWidget* w, const QString& chosen) {
  QInputMethodEvent e;
  e.setCommitString(chosen);
  QApplication::sendEvent(w, &e);
}

// 𠮷 (U+20BB7, the "tsuchi-yoshi" of family names) and 🍅 are beyond CP932.
const QString kYoshi = QString::fromUtf8("𠮷");
const QString kTomato = QString::fromUtf8("🍅");

}  // namespace

TEST_F(DiaryTest, ComposedTextReachesTheDiaryOnlyWhenCommittedAndWithoutWhatTheFileCannotHold) {
  ShowDiaryEdit();
  ProcessEvents();
  frmDiaryEdit* e = LoadedDiaryEdit();
  ASSERT_NE(e, nullptr);
  StorableTextBox* t = e->txtDiary;

  Compose(t, QStringLiteral("はれ"));
  EXPECT_EQ(Nikki(2001, 5, 6), "");
  EXPECT_FALSE(Changed(RecordKind::Diary));
  Commit(t, QStringLiteral("晴れ"));
  EXPECT_EQ(Nikki(2001, 5, 6), "晴れ");
  EXPECT_TRUE(Changed(RecordKind::Diary));

  Compose(t, QStringLiteral("よしの"));
  Commit(t, kYoshi + QStringLiteral("野"));
  EXPECT_EQ(Nikki(2001, 5, 6), "晴れ野");
  Compose(t, QStringLiteral("とまと"));
  Commit(t, kTomato);
  EXPECT_EQ(Nikki(2001, 5, 6), "晴れ野");
  EXPECT_EQ(Text(t), QStringLiteral("晴れ野"));  // the reading is gone with the refused commit
  // A reading abandoned (Escape) leaves nothing behind.
  Compose(t, QStringLiteral("あめ"));
  Commit(t, QString());
  EXPECT_EQ(Text(t), QStringLiteral("晴れ野"));

  e->cmdSave->click();
  EXPECT_NE(dir.Read("nikki.dat").find(rt::Utf8ToCp932("2001/0506,晴れ野\r\n")), std::string::npos);
}

// The name boxes of the name list editor are line edits kept to storable
// text with KeepStorable; this box stands in for them.
TEST(JapaneseInput, ANameBoxTakesCommittedTextAsTypedTextAndKeepsTheCaret) {
  QLineEdit box;
  KeepStorable(&box);
  int edits = 0;
  QObject::connect(&box, &QLineEdit::textEdited, [&] { ++edits; });

  Compose(&box, QStringLiteral("きた"));
  EXPECT_EQ(box.text(), QString());
  EXPECT_EQ(edits, 0);
  Commit(&box, QStringLiteral("北"));
  EXPECT_EQ(box.text(), QStringLiteral("北"));

  Commit(&box, kYoshi + QStringLiteral("田"));
  EXPECT_EQ(box.text(), QStringLiteral("北田"));
  EXPECT_EQ(box.cursorPosition(), 2);

  box.setCursorPosition(1);
  Compose(&box, QStringLiteral("とまと"));
  Commit(&box, kTomato);
  EXPECT_EQ(box.text(), QStringLiteral("北田"));
  EXPECT_EQ(box.cursorPosition(), 1);
  // An extension kanji the code page holds stays; a wave dash becomes the
  // character the file reads back.
  Commit(&box, QStringLiteral("髙〜"));
  EXPECT_EQ(box.text(), QStringLiteral("北髙～田"));
  EXPECT_EQ(box.cursorPosition(), 3);
  EXPECT_TRUE(rt::FitsCp932(box.text().toStdString()));
}
