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
  auto* d = new frmMaterialDay(f.get());
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
  // Presses the ledger's button and acts on the dialog in its modal loop:
  // fills it, presses 追加 and, when it stays open, 取り消し, as a person
  // would. Afterwards the dialog is gone and the ledger answers again.
  template <class Dialog>
  void Through(QPushButton* button, std::function<void(Dialog*)> fill, bool* stayedOpen) {
    QPointer<QWidget> shown;
    OnDialog([&](QWidget* w) {
      shown = w;
      auto* d = dynamic_cast<Dialog*>(w);
      ASSERT_NE(d, nullptr);
      fill(d);
      QTest::mouseClick(d->cmdOK, Qt::LeftButton);
      if (stayedOpen) *stayedOpen = d->isVisible();
      if (d->isVisible()) QTest::mouseClick(d->cmdCancel, Qt::LeftButton);
    });
    boxes.clear();
    button->click();
    ProcessEvents();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(shown.isNull());  // unloaded
  }
  // Adds a material through the ledger's button; returns the messages shown.
  std::vector<QString> Input(const NewMaterial& e, bool* stayedOpen = nullptr) {
    Through<frmMaterialInput>(f->cmdMaterialInput, [&](frmMaterialInput* d) {
      d->txtName->setText(e.name);
      d->txtPrice->setText(e.price);
      d->txtVolume->setText(e.volume);
      d->txtUnit->setText(e.unit);
      d->txtBuyDay->setText(e.day);
      d->txtNumber->setText(e.number);
    }, stayedOpen);
    return Messages();
  }
  // A purchase or use of entry `index` of the list through the ledger.
  std::vector<QString> Day(bool purchase, int index, const QString& day, const QString& volume,
                           QString* caption = nullptr) {
    Through<frmMaterialDay>(purchase ? f->cmdMaterialBuy : f->cmdMaterialUse, [&](frmMaterialDay* d) {
      if (caption) *caption = d->windowTitle() + "|" + d->lblDay->text() + "|" + d->lblVolume->text();
      d->cmbName->setCurrentIndex(index);
      d->txtDay->setText(day);
      d->txtVolume->setText(volume);
    }, nullptr);
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
  EXPECT_EQ(last.Name, "肥料");
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
  EXPECT_EQ(filmBefore.RemainVol(kTransactions), 14);
  EXPECT_EQ(Day(false, 1, QStringLiteral("2001/05/06"), QStringLiteral("1")), std::vector<QString>{kMsgTransactionsFull});
  EXPECT_TRUE(Material(film) == filmBefore);
  // The list offers the last material too.
  for (int m = 3; m <= kMaterials; ++m) AddMaterial("x", 1, 1, "u");
  EXPECT_TRUE(Day(true, kMaterials - 1, QStringLiteral("2001/05/07"), QStringLiteral("3")).empty());
  EXPECT_EQ(Material(kMaterials).RemainVol(1), 3);
}

// Each dialog runs its real modal loop: 追加 stores once and closes it, and
// 取り消し, Esc and the title bar's close button close it storing nothing.
TEST_F(EntryTest, EveryWayOutClosesTheDialogAndOnlyAddStoresOnce) {
  Open();
  EXPECT_TRUE(Input(NewMaterial()).empty());
  EXPECT_TRUE(Day(true, 0, QStringLiteral("2001/06/01"), QStringLiteral("1")).empty());
  EXPECT_EQ(Material(2).Name, "");
  const MaterialRec once = Material(1);
  EXPECT_EQ(once.Date(3), 0);
  const std::function<void(QDialog*, QPushButton*)> ways[] = {
      [](QDialog*, QPushButton* cancel) { QTest::mouseClick(cancel, Qt::LeftButton); },
      [](QDialog* d, QPushButton*) { QTest::keyClick(d->focusWidget() ? d->focusWidget() : d, Qt::Key_Escape); },
      [](QDialog* d, QPushButton*) {  // the title bar's close button, as the window system sends it
        QCloseEvent close;
        QCoreApplication::sendEvent(d->windowHandle(), &close);
      },
  };
  for (const auto& leave : ways)
    for (QPushButton* button : {f->cmdMaterialInput, f->cmdMaterialBuy, f->cmdMaterialUse}) {
      QPointer<QWidget> shown;
      OnDialog([&](QWidget* w) {
        shown = w;
        // Filled in whole, so that a store would show.
        if (auto* in = dynamic_cast<frmMaterialInput*>(w)) {
          for (QLineEdit* box : {in->txtName, in->txtPrice, in->txtVolume, in->txtUnit, in->txtNumber})
            box->setText(QStringLiteral("5"));
          in->txtBuyDay->setText(QStringLiteral("2001/07/01"));
          leave(in, in->cmdCancel);
        } else if (auto* day = dynamic_cast<frmMaterialDay*>(w)) {
          day->txtDay->setText(QStringLiteral("2001/07/01"));
          day->txtVolume->setText(QStringLiteral("5"));
          leave(day, day->cmdCancel);
        }
      });
      button->click();
      ProcessEvents();
      EXPECT_TRUE(shown.isNull());
      EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
  EXPECT_TRUE(Material(1) == once);
  EXPECT_EQ(Material(2).Name, "");
  EXPECT_TRUE(boxes.calls().empty());
}

// The whole program: material edits count for the exit question and survive
// the ledger being closed with the other record windows and opened again.
TEST_F(ShellTest, UnsavedMaterialEditsAreAskedForAtExitAndKeptOverAReopen) {
  RegisterWindows();
  ASSERT_EQ(Start(), StartResult::Running);
  bar()->tlbMain_ButtonClick(15);
  ASSERT_NE(LoadedMaterialWindow(), nullptr);
  LoadedMaterialWindow()->cmdMaterialInput_Click();
  ASSERT_EQ(modals.size(), 1u);
  auto* d = dynamic_cast<frmMaterialInput*>(modals[0]);
  ASSERT_NE(d, nullptr);
  d->txtName->setText(QStringLiteral("堆肥"));
  d->txtPrice->setText(QStringLiteral("800"));
  d->txtVolume->setText(QStringLiteral("15"));
  d->txtUnit->setText(QStringLiteral("kg"));
  d->txtBuyDay->setText(QStringLiteral("2005/07/14"));
  d->txtNumber->setText(QStringLiteral("4"));
  d->cmdOK_Click();
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
