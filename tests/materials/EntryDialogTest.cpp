// The dialogs that add a material, a purchase or a use: reading the masked
// date, the messages, the running remainder, and that a failure stores
// nothing.
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "app/RegisterWindows.h"
#include "materials/MaskedDateBox.h"
#include "materials/MaterialFixture.h"
#include "materials/frmMaterialDay.h"
#include "materials/frmMaterialInput.h"
#include "shell/ShellFixture.h"
#include "store/MaterialFile.h"

namespace {

const QString kMissingNew = QStringLiteral("入力されてない項目があります。");
const QString kMissingDay = QStringLiteral("入力されていない項目があります。");

struct NewMaterial {
  QString name = QStringLiteral("肥料"), price = QStringLiteral("1200"), volume = QStringLiteral("500"),
          unit = QStringLiteral("g"), day = QStringLiteral("2001/05/03"), number = QStringLiteral("3");
};

}  // namespace

TEST(MaskedDate, ASingleDigitInEitherPlaceGetsALeadingZero) {
  EXPECT_EQ(ReadMaskedDate(QStringLiteral("2001/5_/3_")), 20010503);
  EXPECT_EQ(ReadMaskedDate(QStringLiteral("2001/_5/_3")), 20010503);
  EXPECT_EQ(ReadMaskedDate(QStringLiteral("2001/12/31")), 20011231);
  EXPECT_EQ(ReadMaskedDate(QStringLiteral("____/__/__")), 0);
  EXPECT_EQ(ReadMaskedDate(QStringLiteral("2001/05/__")), 200105);
  EXPECT_EQ(ReadMaskedDate(QStringLiteral("20__/05/03")), 20);

  auto valid = [](const char* shown) {
    QString s = QString::fromUtf8(shown);
    return MaskedDateIsValid(s, ReadMaskedDate(s));
  };
  // (The years and 29 February are checked through the dialog below.)
  EXPECT_FALSE(valid("2001/13/01"));
  EXPECT_FALSE(valid("2001/04/31"));
  EXPECT_FALSE(valid("2001/04/00"));
  // Too short to hold a month and a day: a conversion failure.
  EXPECT_THROW(valid("20__/05/03"), rt::RuntimeError);
  EXPECT_THROW(valid("2001/05/__"), rt::RuntimeError);
}

TEST_F(MaterialTest, TheDateBoxTakesDigitsAndSwallowsPlusMinusAndSpace) {
  Open();
  auto* d = new frmMaterialDay(frmMaterialDay::Entry::Purchase, f.get());
  MaskedDateBox* box = d->txtDay;
  EXPECT_EQ(box->Shown(), QStringLiteral("____/__/__"));
  box->setCursorPosition(0);
  for (const char* k : {"2", "0", "+", "0", "1", " ", "-", "0", "5", "0", "3"}) {
    QString t = QString::fromLatin1(k);
    int key = t == "+" ? Qt::Key_Plus : t == "-" ? Qt::Key_Minus : t == " " ? Qt::Key_Space : Qt::Key_0 + (k[0] - '0');
    Key(box, key, t);
  }
  Key(box, Qt::Key_Plus, QStringLiteral("+"), Qt::KeypadModifier);
  EXPECT_EQ(box->Shown(), QStringLiteral("2001/05/03"));
  delete d;
}

class EntryTest : public MaterialTest {
 protected:
  // Adds a material through the ledger's button; returns the messages shown.
  std::vector<QString> Input(const NewMaterial& e, bool* stayedOpen = nullptr) {
    boxes.clear();
    OnDialog([&](QWidget* w) {
      auto* d = dynamic_cast<frmMaterialInput*>(w);
      ASSERT_NE(d, nullptr);
      d->txtName->setText(e.name);
      d->txtPrice->setText(e.price);
      d->txtVolume->setText(e.volume);
      d->txtUnit->setText(e.unit);
      d->txtBuyDay->setText(e.day);
      d->txtNumber->setText(e.number);
      d->cmdOK->click();  // a dialog that closed is unloaded only later
      if (stayedOpen) *stayedOpen = d->isVisible();
      if (d->isVisible()) d->cmdCancel->click();
    });
    f->cmdMaterialInput_Click();
    return Messages();
  }
  // A purchase or use of entry `index` of the list through the ledger.
  std::vector<QString> Day(bool purchase, int index, const QString& day, const QString& volume,
                           QString* caption = nullptr) {
    boxes.clear();
    OnDialog([&](QWidget* w) {
      auto* d = dynamic_cast<frmMaterialDay*>(w);
      ASSERT_NE(d, nullptr);
      if (caption) *caption = d->windowTitle() + "|" + d->lblDay->text() + "|" + d->lblVolume->text();
      d->cmbName->setCurrentIndex(index);
      d->txtDay->setText(day);
      d->txtVolume->setText(volume);
      d->cmdOK->click();
      if (d->isVisible()) d->cmdCancel->click();
    });
    if (purchase)
      f->cmdMaterialBuy_Click();
    else
      f->cmdMaterialUse_Click();
    return Messages();
  }
};

TEST_F(EntryTest, TheRemainderRunsOnInTheOrderOfEntry) {
  Open();
  NewMaterial e;
  EXPECT_TRUE(Input(e).empty());
  const MaterialRec& r = Material(1);
  EXPECT_EQ(r.Name, "肥料");
  EXPECT_EQ(r.Date(1), 20010503);
  EXPECT_EQ(r.RemainVol(1), 1500);
  EXPECT_EQ(MaterialChanged, -1);
  EXPECT_EQ(Cell(2, 10), QStringLiteral("1500"));  // the ledger was refilled

  QString caption;
  EXPECT_TRUE(Day(false, 0, QStringLiteral("2001/06/01"), QStringLiteral("200"), &caption).empty());
  EXPECT_EQ(caption, QStringLiteral("資材管理表　使用日　追加|使用日(&D)|使用量(&V)"));
  EXPECT_EQ(r.Mode(2), 1);
  EXPECT_EQ(r.RemainVol(2), 1300);
  // Dated before the others, still appended last and balanced against it.
  EXPECT_TRUE(Day(true, 0, QStringLiteral("2001/04/01"), QStringLiteral("2"), &caption).empty());
  EXPECT_EQ(caption, QStringLiteral("資材管理表　購入日　追加|購入日(&D)|個数(&V)"));
  EXPECT_EQ(r.Date(3), 20010401);
  EXPECT_EQ(r.Mode(3), 0);
  EXPECT_EQ(r.RemainVol(3), 2300);
  EXPECT_EQ(Cell(4, 5), QStringLiteral("2001/04/01"));
  EXPECT_EQ(Cell(4, 8), QStringLiteral("1000"));
  // A use may go below nothing.
  EXPECT_TRUE(Day(false, 0, QStringLiteral("2001/6_/1_"), QStringLiteral("3000"), nullptr).empty());
  EXPECT_EQ(r.Date(4), 20010601);
  EXPECT_EQ(r.RemainVol(4), -700);
}

TEST_F(EntryTest, ANewMaterialIsCheckedWholeBeforeAnythingIsStored) {
  Open();
  auto with = [](auto change) {
    NewMaterial e;
    change(e);
    return e;
  };
  const struct {
    NewMaterial entry;
    QString message;
  } bad[] = {
      {with([](NewMaterial& e) { e.price = ""; }), kMsgBadValue},
      {with([](NewMaterial& e) { e.price = "0"; }), kMissingNew},
      {with([](NewMaterial& e) { e.number = "1.5"; }), kMsgBadValue},
      {with([](NewMaterial& e) { e.price = "-500"; e.volume = "-15"; }), kMsgBadValue},
      {with([](NewMaterial& e) { e.volume = "99999999999"; }), QStringLiteral("エラーナンバー：6")},
      {with([](NewMaterial& e) { e.volume = "100000"; e.number = "100000"; }), QStringLiteral("エラーナンバー：6")},
      {with([](NewMaterial& e) { e.name = ""; }), kMissingNew},
      {with([](NewMaterial& e) { e.unit = ""; }), kMissingNew},
      {with([](NewMaterial& e) { e.day = ""; }), kMissingNew},
      {with([](NewMaterial& e) { e.day = "20__/05/03"; }), kMsgBadValue},
      {with([](NewMaterial& e) { e.day = "2001/02/29"; }), kMsgBadDate},
      {with([](NewMaterial& e) { e.day = "1998/05/03"; }), kMsgBadDate},
      {with([](NewMaterial& e) { e.day = "2031/05/03"; }), kMsgBadDate},
  };
  for (const auto& b : bad) {
    bool open = false;
    EXPECT_EQ(Input(b.entry, &open), std::vector<QString>{b.message}) << b.entry.price.toStdString();
    EXPECT_TRUE(open);
  }
  EXPECT_EQ(Material(1).Name, "");
  EXPECT_EQ(MaterialChanged, 0);
  EXPECT_EQ(grid()->Rows(), 3);

  EXPECT_TRUE(Input(with([](NewMaterial& e) { e.day = "2000/02/29"; })).empty());
  EXPECT_EQ(Material(1).Date(1), 20000229);

  // The last record takes a material; a full table says so and changes nothing.
  for (int m = 2; m < kMaterials; ++m) AddMaterial("x", 1, 1, "u");
  EXPECT_TRUE(Input(NewMaterial()).empty());
  const MaterialRec last = Material(kMaterials);
  EXPECT_EQ(Input(NewMaterial()), std::vector<QString>{kMsgMaterialsFull});
  EXPECT_TRUE(Material(kMaterials) == last);
}

TEST_F(EntryTest, APurchaseOrUseIsCheckedWholeBeforeAnythingIsStored) {
  // Without any material there is nothing to choose.
  Open();
  EXPECT_EQ(Day(true, -1, QStringLiteral("2001/05/03"), QStringLiteral("1")), std::vector<QString>{kMissingDay});

  int big = AddMaterial("大袋", 100, 100000, "g");
  int film = AddMaterial("フィルム", 100, 10, "m");
  AddTransaction(big, 20010101, 0, 1, 100000);
  f->Reload();
  const MaterialRec bigBefore = Material(big);
  const struct {
    int index;
    const char* day;
    const char* volume;
    QString message;
  } bad[] = {
      {0, "2001/05/03", "", kMissingDay},
      {0, "____/__/__", "1", kMsgBadValue},
      {0, "2001/02/29", "1", kMsgBadDate},
      {0, "2001/05/03", "abc", kMsgBadValue},
      {0, "2001/05/03", "1.5", kMsgBadValue},
      {0, "2001/05/03", "-2", kMsgBadValue},
      {0, "2001/05/03", "100000", QStringLiteral("エラーナンバー：6")},  // 100000 x 100000
  };
  for (const auto& b : bad)
    EXPECT_EQ(Day(true, b.index, QString::fromUtf8(b.day), QString::fromUtf8(b.volume)),
              std::vector<QString>{b.message})
        << b.day << " " << b.volume;
  EXPECT_TRUE(Material(big) == bigBefore);
  EXPECT_EQ(MaterialChanged, 0);

  // The first transaction of a material balances against nothing.
  EXPECT_TRUE(Day(true, 1, QStringLiteral("2001/05/03"), QStringLiteral("2")).empty());
  EXPECT_EQ(Material(film).RemainVol(1), 20);
  EXPECT_TRUE(Day(false, 1, QStringLiteral("2001/05/04"), QStringLiteral("5")).empty());
  EXPECT_EQ(Material(film).RemainVol(2), 15);

  // The last slot takes a transaction; a full material says so.
  for (int j = 3; j < kTransactions; ++j) AddTransaction(film, 20010505, 1, 0, 15);
  EXPECT_TRUE(Day(false, 1, QStringLiteral("2001/05/06"), QStringLiteral("1")).empty());
  const MaterialRec filmBefore = Material(film);
  EXPECT_EQ(Day(false, 1, QStringLiteral("2001/05/06"), QStringLiteral("1")),
            std::vector<QString>{kMsgTransactionsFull});
  EXPECT_TRUE(Material(film) == filmBefore);
}

// A click into an empty date box types from its start, the date shows whole.
TEST_F(EntryTest, AnEmptyDateBoxTakesTheWholeDateWhereverItIsClicked) {
  Open();
  for (QPushButton* button : {f->cmdMaterialInput, f->cmdMaterialBuy}) {
    OnDialog([&](QWidget* d) {
      auto* in = dynamic_cast<frmMaterialInput*>(d);
      MaskedDateBox* box = in ? in->txtBuyDay : dynamic_cast<frmMaterialDay*>(d)->txtDay;
      auto caret = [box] { box->repaint(); return box->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x(); };
      QTest::mouseClick(box, Qt::LeftButton, {}, box->rect().center());
      const int start = caret();
      QTest::keyClicks(box, QStringLiteral("20260210"));
      EXPECT_EQ(box->Shown(), QStringLiteral("2026/02/10"));
      EXPECT_GE(caret() - box->fontMetrics().horizontalAdvance(box->Shown()), start - 1);  // "2" in view
      if (in) QTest::mouseClick(in->txtUnit, Qt::LeftButton), QTest::keyClicks(in->txtUnit, "\t\t");  // 単位→個数→購入日
      EXPECT_EQ(QApplication::focusWidget(), box);
      QTest::keyClick(box, Qt::Key_Escape);
    });
    button->click();
  }
}

// In the real modal loop 追加 stores once and closes; 取り消し, Esc and the
// title bar's close button close storing nothing. The ledger answers after.
TEST_F(EntryTest, EveryWayOutClosesTheDialogAndOnlyAddStoresOnce) {
  Open();
  EXPECT_TRUE(Input(NewMaterial()).empty());
  const MaterialRec once = Material(1);
  for (int way = 0; way < 3; ++way)
    for (QPushButton* button : {f->cmdMaterialInput, f->cmdMaterialBuy, f->cmdMaterialUse}) {
      QPointer<QWidget> shown;
      OnDialog([&](QWidget* d) {
        shown = d;
        for (auto* box : d->findChildren<QLineEdit*>())
          box->setText(dynamic_cast<MaskedDateBox*>(box) ? "2001/07/01" : "5");  // would store
        auto* in = dynamic_cast<frmMaterialInput*>(d);
        QPushButton* cancel = in ? in->cmdCancel : dynamic_cast<frmMaterialDay*>(d)->cmdCancel;
        QCloseEvent closeButton;  // as the window system sends it
        if (way == 0) QTest::mouseClick(cancel, Qt::LeftButton);
        if (way == 1) QTest::keyClick(d->focusWidget() ? d->focusWidget() : d, Qt::Key_Escape);
        if (way == 2) QCoreApplication::sendEvent(d->windowHandle(), &closeButton);
      });
      button->click();
      ProcessEvents();
      EXPECT_TRUE(shown.isNull()) << way;
    }
  EXPECT_TRUE(Material(1) == once);
  EXPECT_EQ(Material(2).Name, "");
}

// The whole program: material edits count for the exit question and survive
// the ledger being closed with the other record windows and opened again.
TEST_F(ShellTest, UnsavedMaterialEditsAreAskedForAtExitAndKeptOverAReopen) {
  RegisterWindows();
  ASSERT_EQ(Start(), StartResult::Running);
  bar()->tlbMain_ButtonClick(15);
  ASSERT_NE(LoadedMaterialWindow(), nullptr);
  int shown = 0;
  OnDialog([&](QWidget* w) {
    ++shown;
    auto* d = dynamic_cast<frmMaterialInput*>(w);
    ASSERT_NE(d, nullptr);
    d->txtName->setText(QStringLiteral("堆肥"));
    d->txtPrice->setText(QStringLiteral("800"));
    d->txtVolume->setText(QStringLiteral("15"));
    d->txtUnit->setText(QStringLiteral("kg"));
    d->txtBuyDay->setText(QStringLiteral("2005/07/14"));
    d->txtNumber->setText(QStringLiteral("4"));
    d->cmdOK_Click();
  });
  LoadedMaterialWindow()->cmdMaterialInput_Click();
  ASSERT_EQ(shown, 1);
  EXPECT_EQ(MaterialChanged, -1);

  bar()->mnuPopupWindowClose->trigger();
  ProcessEvents();
  EXPECT_EQ(LoadedMaterialWindow(), nullptr);
  bar()->mnuDisplayMaterial->trigger();
  ASSERT_NE(LoadedMaterialWindow(), nullptr);
  EXPECT_EQ(LoadedMaterialWindow()->mfgMaterial->TextMatrix(2, 0), QStringLiteral("堆肥"));

  MessageBoxes boxes;
  boxes.Answer(MsgResult::Yes);
  bar()->close();
  ASSERT_EQ(boxes.calls().size(), 1u);
  EXPECT_EQ(ended, 1);
  EXPECT_EQ(MaterialChanged, 0);
  ResetStore();
  DataPath = dataDir();
  ASSERT_TRUE(LoadMaterial());
  EXPECT_EQ(Material(1).Name, "堆肥");
  EXPECT_EQ(Material(1).RemainVol(1), 60);
  UnloadMaterialWindow();
  ProcessEvents();
}
