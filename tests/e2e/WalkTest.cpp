// One walk per window and dialog, as a farmer goes through them: open from
// the menus, enter records with the mouse and the keyboard, leave every
// dialog by its own buttons and by Esc, save by the window and by the menu,
// quit through the exit question, start again and find the records in the
// files and on the screen.
#include <QImage>
#include <map>
#include <tuple>

#include "e2e/Walk.h"

using namespace walk;

namespace {

const QString kWeather = QStringLiteral("Vorn　気象グラフ");
const QString kDiaryEdit = QStringLiteral("Vorn　日記（編集）");
const QString kDiary = QStringLiteral("Vorn　日記（閲覧）");
const QDate kToday = QDate::currentDate();
// A day of this month other than today, where the day calendar lands.
const QDate kDay(kToday.year(), kToday.month(), kToday.day() == 10 ? 11 : 10);

}  // namespace

TEST_F(Walk, Weather) {
  ASSERT_NO_FATAL_FAILURE(Start());
  Menu({"表示", "気象グラフの表示"});
  ASSERT_TRUE(e2e::WaitFor([&] { return Shown(kWeather); }, 8000));
  PickDay(kWeather, kDay.year(), kDay.month(), kDay.day());
  ASSERT_EQ(Text(kWeather, "txtCalender"), Ymd(kDay));
  // A click in the trough right of the handle: one large step up.
  Control high = Wait(kWeather, "hscKionHigh");
  ClickAt(high.r.right() - 30, high.y());
  const float shown = Text(kWeather, "txtKionHigh").toFloat();
  EXPECT_NE(shown, 0.0f) << "the bar did not move";
  const QString sky = Items(kWeather, "cmbTenki1").value(2);
  Choose(kWeather, "cmbTenki1", sky);
  Click(kWeather, "cmdSave");
  ASSERT_TRUE(ReadFiles());
  EXPECT_FLOAT_EQ(Ondo(kDay.year(), kDay.month(), kDay.day(), 1), shown) << "保存 wrote no temperature";
  EXPECT_EQ(Tenki(kDay.year(), kDay.month(), kDay.day()).substr(0, 1), "2");

  // A double-click on the graph picks the day under it; the rain goes there.
  Control graph = Wait(kWeather, "pctGraph");
  DoubleClickAt(graph.r.x() + graph.r.width() * 3 / 4, graph.y());
  const QDate picked = QDate::fromString(Text(kWeather, "txtCalender"), QStringLiteral("yyyy/MM/dd"));
  ASSERT_TRUE(picked.isValid() && picked != kDay) << "the double-click picked no day";
  Control rain = Wait(kWeather, "hscRain");
  ClickAt(rain.r.right() - 30, rain.y());
  const float rainShown = Text(kWeather, "txtRain").toFloat();
  // The window covers the menu bar: it is closed (it keeps its state).
  Click(kWeather, "cmdEnd");
  EXPECT_FALSE(Shown(kWeather));
  Menu({"ファイル", "データの保存"});
  ASSERT_TRUE(ReadFiles());
  EXPECT_FLOAT_EQ(Kousui(picked.year(), picked.month(), picked.day()), rainShown) << "the rain went to another day";
  EXPECT_FLOAT_EQ(Kousui(kDay.year(), kDay.month(), kDay.day()), 0.0f);

  // The low temperature, left unsaved: the exit question saves it.
  Click(kBar, "気象グラフを表示します");
  EXPECT_EQ(Text(kWeather, "txtCalender"), Ymd(picked));
  Control low = Wait(kWeather, "hscKionLow");
  ClickAt(low.r.right() - 30, low.y());
  const float lowShown = Text(kWeather, "txtKionLow").toFloat();
  Click(kWeather, "cmdEnd");
  ASSERT_NO_FATAL_FAILURE(Restart());
  Menu({"表示", "気象グラフの表示"});
  PickDay(kWeather, picked.year(), picked.month(), picked.day());
  EXPECT_EQ(Text(kWeather, "txtRain").toFloat(), rainShown);
  EXPECT_EQ(Text(kWeather, "txtKionLow").toFloat(), lowShown);
  PickDay(kWeather, kDay.year(), kDay.month(), kDay.day());
  EXPECT_EQ(Text(kWeather, "txtKionHigh").toFloat(), shown);
  EXPECT_EQ(Text(kWeather, "cmbTenki1"), sky);
  Click(kWeather, "cmdEnd");
  EXPECT_FALSE(Shown(kWeather));
  Quit(QString());  // nothing changed: no question
}

TEST_F(Walk, DiaryEditorAndViewer) {
  ASSERT_NO_FATAL_FAILURE(Start());
  Menu({"表示", "日記の表示", "編集用の表示"});
  ASSERT_TRUE(e2e::WaitFor([&] { return Shown(kDiaryEdit); }, 8000));
  PickDay(kDiaryEdit, kDay.year(), kDay.month(), kDay.day());
  ASSERT_EQ(Text(kDiaryEdit, "txtCalender"), Ymd(kDay));
  Click(kDiaryEdit, "txtDiary");
  Commit(QStringLiteral("晴れ。ナスの定植"));
  Type("12");
  Click(kDiaryEdit, "cmdSave");
  ASSERT_TRUE(ReadFiles());
  EXPECT_EQ(Nikki(kDay.year(), kDay.month(), kDay.day()), "晴れ。ナスの定植12") << "保存 wrote no diary";

  // The next day through the calendar's keys: arrow, Enter.
  Click(kDiaryEdit, "cmdCalender");
  Key(kRight);
  Key(kEnter);
  const QDate next = kDay.addDays(1);
  ASSERT_EQ(Text(kDiaryEdit, "txtCalender"), Ymd(next));
  Click(kDiaryEdit, "txtDiary");
  Commit(QStringLiteral("雨"));
  Click(kDiaryEdit, "cmdEnd");
  Menu({"ファイル", "データの保存"});
  ASSERT_TRUE(ReadFiles());
  EXPECT_EQ(Nikki(next.year(), next.month(), next.day()), "雨") << "the entry went to another day";

  // The viewer: four years of one day, chosen with its selectors.
  Click(kBar, "日記を表示します");
  ASSERT_TRUE(e2e::WaitFor([&] { return Shown(kDiary); }, 8000));
  Choose(kDiary, "cmbYear", QString::number(std::min(kDay.year(), 2027)));
  Choose(kDiary, "cmbMonth", QString::number(kDay.month()));
  Choose(kDiary, "cmbDay", QString::number(kDay.day()));
  const QStringList shown = {Text(kDiary, "txtDiary1"), Text(kDiary, "txtDiary2"), Text(kDiary, "txtDiary3"),
                             Text(kDiary, "txtDiary4")};
  EXPECT_TRUE(shown.contains(QStringLiteral("晴れ。ナスの定植12"))) << shown.join('|').toStdString();
  Click(kDiary, "cmdClose");
  EXPECT_FALSE(Shown(kDiary));

  // An unsaved line, then quit: the exit question saves it.
  Click(kBar, "日記を編集します");
  Click(kDiaryEdit, "txtDiary");
  Commit(QStringLiteral("、風"));
  Click(kDiaryEdit, "cmdEnd");
  ASSERT_NO_FATAL_FAILURE(Restart());
  Click(kBar, "日記を編集します");
  PickDay(kDiaryEdit, next.year(), next.month(), next.day());
  EXPECT_EQ(Text(kDiaryEdit, "txtDiary"), QStringLiteral("雨、風"));
  ASSERT_TRUE(ReadFiles());
  EXPECT_EQ(Nikki(next.year(), next.month(), next.day()), "雨、風");
  Click(kDiaryEdit, "cmdEnd");
  Quit(QString());
}

// --- The name list editor, from each of its four owners ----------------------
namespace {

// Four names with one record each but the last, which is unused.
const std::vector<std::string> kFour = {"東", "西", "ハウス", "空き"};
constexpr int kYear = 2020;

struct Owner {
  const char* name;
  QString window, open, editButton, selector;
  std::function<void(int i, const std::string& name)> make;  // name i and its record
  std::function<std::string(int i)> nameOf;
  std::function<std::string(int i)> recordOf;                 // what the files hold for name i
  std::function<int()> count;
};

const Owner kOwners[] = {
    {"Produce", QStringLiteral("Vorn　市場価格表"), QStringLiteral("市場価格表を表示します"), "cmdEdit", "cmbProduce",
     [](int i, const std::string& n) {
       RedimPrice(i);
       PriceItem(i) = {n, 1000, 0};
       if (i < 3) PriceHigh(i)(kYear, 5, 1) = 100 * (i + 1);
     },
     [](int i) { return PriceItem(i).Name; },
     [](int i) { return PriceHigh(i)(kYear, 5, 1) ? std::to_string(PriceHigh(i)(kYear, 5, 1)) : ""; },
     [] { return PriceItem.UBound() + 1; }},
    {"Crops", QStringLiteral("作物観察日記"), QStringLiteral("作物観察日記を表示します"), "cmdEdit", "cmbProduce",
     [](int i, const std::string& n) {
       ObserveItem.RedimPreserve(i);
       ObserveFile.RedimPreserve(i);
       ObserveItem(i).Name = n;
       if (i < 3) ObserveItem(i).Comment(kYear, 5, 1) = "c" + std::to_string(i);
       if (i < 3) ObserveFile(i)(kYear, 5, 1) = "/p" + std::to_string(i) + ".jpg";
     },
     [](int i) { return ObserveItem(i).Name; },
     [](int i) { return ObserveItem(i).Comment(kYear, 5, 1) + ObserveFile(i)(kYear, 5, 1); },
     [] { return ObserveItem.UBound() + 1; }},
    {"Works", QStringLiteral("Vorn　作業工程表"), QStringLiteral("予定表を表示します"), "cmdWork", "cmbWork",
     [](int i, const std::string& n) {
       Schedule.RedimPreserve(i);
       Schedule(i).Work = n;
       if (i < 3) Schedule(i).SchedulePeriod(kYear)(0) = {static_cast<int16_t>(501 + i), 520, 0};
       FarmName(0) = "畑";
     },
     [](int i) { return Schedule(i).Work; },
     [](int i) {
       int16_t start = Schedule(i).SchedulePeriod(kYear)(0).Start;
       return start ? std::to_string(start) : "";
     },
     [] { return Schedule.UBound() + 1; }},
    {"Places", QStringLiteral("Vorn　作業工程表"), QStringLiteral("予定表を表示します"), "cmdPlace", "cmbPlace",
     [](int i, const std::string& n) {
       FarmName.RedimPreserve(i);
       FarmName(i) = n;
       Schedule(0).Work = "収穫";
       if (i < 3) Schedule(0).SchedulePeriod(kYear)(i) = {static_cast<int16_t>(501 + i), 520, static_cast<uint8_t>(i)};
     },
     [](int i) { return FarmName(i); },
     [](int i) {
       for (int e = 0; e < 3; ++e)
         if (Schedule(0).SchedulePeriod(kYear)(e).Place == i)
           return std::to_string(Schedule(0).SchedulePeriod(kYear)(e).Start);
       return std::string();
     },
     [] { return FarmName.UBound() + 1; }},
};

class NameListWalk : public Walk, public ::testing::WithParamInterface<Owner> {};

}  // namespace

TEST_P(NameListWalk, AddRenameReorderDeleteApplyAndCancel) {
  const Owner& o = GetParam();
  std::map<std::string, std::string> before;
  ASSERT_NO_FATAL_FAILURE(MakeData([&] {
    for (int i = 0; i < 4; ++i) o.make(i, kFour[static_cast<size_t>(i)]);
    for (int i = 0; i < 4; ++i) before[o.nameOf(i)] = o.recordOf(i);
  }));
  ASSERT_NO_FATAL_FAILURE(Start());
  Click(kBar, o.open);
  ASSERT_TRUE(e2e::WaitFor([&] { return Shown(o.window); }, 8000));
  const QStringList names = Items(o.window, o.selector);
  ASSERT_EQ(names.size(), 4);

  // Opened and left three ways that change nothing: Esc, 取り消し, the close box.
  Click(o.window, o.editButton);
  ASSERT_TRUE(e2e::WaitFor([&] { return Shown(kNames); }, 5000)) << "the editor did not open";
  Key(kEsc);
  Left(kNames, o.window);
  Click(o.window, o.editButton);
  AddName(QStringLiteral("ゴボウ"));
  Click(kNames, "cmdCancel");
  Left(kNames, o.window);
  Click(o.window, o.editButton);
  CloseBox(kNames);
  Left(kNames, o.window);
  EXPECT_EQ(Items(o.window, o.selector), names) << "a cancelled edit changed the list";

  // Rename the first, move the third up, delete the unused last, add one, apply.
  Click(o.window, o.editButton);
  RenameRow(0, QStringLiteral("北"));
  ClickRow(kNames, "lstName", 2);
  Click(kNames, "cmdUP");
  ClickRow(kNames, "lstName", 3);
  Click(kNames, "cmdDelete");
  AddName(QStringLiteral("南"));
  const QStringList edited = {QStringLiteral("北"), QStringLiteral("ハウス"), QStringLiteral("西"), QStringLiteral("南")};
  EXPECT_EQ(Items(kNames, "lstName"), edited);
  Click(kNames, "cmdOK");
  Left(kNames, o.window);
  EXPECT_EQ(Items(o.window, o.selector), edited);
  Click(o.window, "cmdSave");
  Click(o.window, "cmdClose");
  // The editor's changes count for the schedule whichever list it edited:
  // ファイル → データの保存 saves them all.
  Menu({"ファイル", "データの保存"});

  // Each record follows its name into the file.
  auto followed = [&] {
    ASSERT_TRUE(ReadFiles());
    ASSERT_EQ(o.count(), 4);
    const std::map<std::string, std::string> was = {
        {"北", before["東"]}, {"ハウス", before["ハウス"]}, {"西", before["西"]}, {"南", ""}};
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(o.nameOf(i), edited[i].toStdString());
      EXPECT_EQ(o.recordOf(i), was.at(o.nameOf(i))) << "the record of " << o.nameOf(i) << " did not follow it";
    }
  };
  followed();
  Quit(QString());  // nothing unsaved: no question
  ASSERT_NO_FATAL_FAILURE(Start());
  Click(kBar, o.open);
  EXPECT_EQ(Items(o.window, o.selector), edited);
  followed();
}

INSTANTIATE_TEST_SUITE_P(FromEachOwner, NameListWalk, ::testing::ValuesIn(kOwners),
                         [](const auto& info) { return std::string(info.param.name); });

// --- Materials: the ledger and its three dialogs ------------------------------
TEST_F(Walk, MaterialLedgerAndPurchaseAndUse) {
  const QString ledger = QStringLiteral("Vorn　資材管理表"), add = QStringLiteral("資材管理表　資材追加");
  ASSERT_NO_FATAL_FAILURE(Start());
  Menu({"表示", "資材管理表の表示"});
  ASSERT_TRUE(e2e::WaitFor([&] { return Shown(ledger); }, 8000));
  Click(ledger, "cmdMaterialInput");
  ASSERT_TRUE(e2e::WaitFor([&] { return Shown(add); }, 5000));
  Click(add, "txtName");
  Commit(QStringLiteral("肥料"));
  TypeInto(add, "txtPrice", "1200");
  TypeInto(add, "txtVolume", "20");
  Click(add, "txtUnit");
  Commit(QStringLiteral("kg"));
  TypeInto(add, "txtBuyDay", kDay.toString(QStringLiteral("yyyyMMdd")).toStdString());
  TypeInto(add, "txtNumber", "2");
  Click(add, "cmdOK");
  Left(add, ledger);
  Click(ledger, "cmdSave");
  ASSERT_TRUE(ReadFiles());
  EXPECT_EQ(Material(1).Name, "肥料");
  EXPECT_EQ(Material(1).Date(1), kDay.toString(QStringLiteral("yyyyMMdd")).toInt());
  EXPECT_EQ(Material(1).RemainVol(1), 40);

  // A purchase left by 取り消し, by Esc, then stored by 追加; a use by 追加.
  const QString buy = QStringLiteral("資材管理表　購入日　追加"), use = QStringLiteral("資材管理表　使用日　追加");
  Click(ledger, "cmdMaterialBuy");
  Click(buy, "cmdCancel");
  Left(buy, ledger);
  Click(ledger, "cmdMaterialBuy");
  ASSERT_TRUE(e2e::WaitFor([&] { return Shown(buy); }, 5000));
  Key(kEsc);
  Left(buy, ledger);
  for (const auto& [dialog, button, volume] :
       {std::tuple{buy, "cmdMaterialBuy", "1"}, std::tuple{use, "cmdMaterialUse", "15"}}) {
    Click(ledger, button);
    Choose(dialog, "cmbName", QStringLiteral("肥料"));
    TypeInto(dialog, "txtDay", kDay.addDays(1).toString(QStringLiteral("yyyyMMdd")).toStdString());
    TypeInto(dialog, "txtVolume", volume);
    Click(dialog, "cmdOK");
    Left(dialog, ledger);
  }
  Click(ledger, "cmdClose");
  Menu({"ファイル", "データの保存"});
  ASSERT_TRUE(ReadFiles());
  EXPECT_EQ(Material(1).RemainVol(3), 45) << "2 x 20 + 1 x 20 - 15";
  Quit(QString());
  ASSERT_NO_FATAL_FAILURE(Start());
  Click(kBar, "資材管理表を表示します");
  EXPECT_EQ(RowText(ledger, "mfgMaterial", 0, 0), QStringLiteral("肥料"));
}

// --- The schedule: a period through the period calendar, with its place ------
TEST_F(Walk, SchedulePeriodWithItsPlace) {
  const QString w = QStringLiteral("Vorn　作業工程表");
  ASSERT_NO_FATAL_FAILURE(MakeData([] {
    Schedule.RedimPreserve(1);
    Schedule(0).Work = "耕起";
    Schedule(1).Work = "収穫";
    FarmName.RedimPreserve(2);
    FarmName(0) = "東畑", FarmName(1) = "西畑", FarmName(2) = "ハウス";
    Schedule(0).SchedulePeriod(kToday.year())(0) = {601, 620, 2};
  }));
  ASSERT_NO_FATAL_FAILURE(Start());
  Click(kBar, "予定表を表示します");
  ASSERT_TRUE(e2e::WaitFor([&] { return Shown(w); }, 8000));
  EXPECT_EQ(Text(w, "cmbPlace"), QStringLiteral("ハウス"));
  Choose(w, "cmbWork", QStringLiteral("収穫"));
  Choose(w, "cmbPlace", QStringLiteral("西畑"));
  // Start with the left button, end with the right, in this month.
  PickDay(w, kToday.year(), kToday.month(), 3, "cmdCalender2", "pctCalender2", 1);
  PickDay(w, kToday.year(), kToday.month(), 9, "cmdCalender2", "pctCalender2", 3);
  const QDate from(kToday.year(), kToday.month(), 3), to(kToday.year(), kToday.month(), 9);
  EXPECT_EQ(Text(w, "txtCalenderFrom"), Ymd(from));
  EXPECT_EQ(Text(w, "txtCalenderTo"), Ymd(to));
  Click(w, "cmdSave");
  ASSERT_TRUE(ReadFiles());
  const SchedulePeriodRec p = Schedule(1).SchedulePeriod(kToday.year())(0);
  EXPECT_EQ(p.Start, from.month() * 100 + 3);
  EXPECT_EQ(p.End, to.month() * 100 + 9);
  EXPECT_EQ(p.Place, 1) << "the period was stored at another place";
  EXPECT_EQ(Schedule(0).SchedulePeriod(kToday.year())(0).Place, 2) << "耕起 lost its place";

  // The second entry of 収穫 by the entry bar, then ファイル → 保存.
  Control bar = Wait(w, "vscScheduleNumber");
  ClickAt(bar.x(), bar.r.bottom() - 5);
  EXPECT_EQ(Text(w, "txtScheduleNumber"), QStringLiteral("1"));
  Choose(w, "cmbPlace", QStringLiteral("東畑"));
  PickDay(w, kToday.year(), kToday.month(), 12, "cmdCalender2", "pctCalender2", 1);
  PickDay(w, kToday.year(), kToday.month(), 14, "cmdCalender2", "pctCalender2", 3);
  Click(w, "cmdClose");
  Menu({"ファイル", "データの保存"});
  ASSERT_TRUE(ReadFiles());
  EXPECT_EQ(Schedule(1).SchedulePeriod(kToday.year())(1).Start, kToday.month() * 100 + 12);
  Quit(QString());
  ASSERT_NO_FATAL_FAILURE(Start());
  Click(kBar, "予定表を表示します");
  Choose(w, "cmbWork", QStringLiteral("収穫"));
  EXPECT_EQ(Text(w, "txtCalenderFrom"), Ymd(from));
  EXPECT_EQ(Text(w, "cmbPlace"), QStringLiteral("西畑"));
}

// --- Observations: a comment and a picture through the picture chooser -------
TEST_F(Walk, ObservationWithItsPicture) {
  const QString w = QStringLiteral("作物観察日記"), chooser = QStringLiteral("画像ファイルの選択");
  std::filesystem::create_directories(home.file("home"));
  QImage picture(40, 30, QImage::Format_RGB32);
  picture.fill(Qt::darkGreen);
  ASSERT_TRUE(picture.save(QString::fromStdString(home.file("home/nasu.bmp"))));
  ASSERT_NO_FATAL_FAILURE(MakeData([] {
    ObserveItem.RedimPreserve(1);
    ObserveFile.RedimPreserve(1);
    ObserveItem(0).Name = "ナス", ObserveItem(1).Name = "トマト";
  }));
  ASSERT_NO_FATAL_FAILURE(Start());
  Click(kBar, "作物観察日記を表示します");
  ASSERT_TRUE(e2e::WaitFor([&] { return Shown(w); }, 8000));
  Choose(w, "cmbProduce", QStringLiteral("トマト"));
  PickDay(w, kDay.year(), kDay.month(), kDay.day());
  Click(w, "txtComment");
  Commit(QStringLiteral("花が咲いた"));
  // The chooser left by 取消 and by Esc, then a picture chosen with 選択.
  Click(w, "cmdFileName");
  Click(chooser, "cmdCancel");
  Left(chooser, w);
  Click(w, "cmdFileName");
  ASSERT_TRUE(e2e::WaitFor([&] { return Shown(chooser); }, 5000));
  Key(kEsc);
  Left(chooser, w);
  Click(w, "cmdFileName");
  const int row = static_cast<int>(Items(chooser, "filMain").indexOf(QStringLiteral("nasu.bmp")));
  ASSERT_GE(row, 0) << "the chooser does not list the home folder's picture";
  ClickRow(chooser, "filMain", row);
  Click(chooser, "cmdOK");
  Left(chooser, w);
  EXPECT_EQ(Text(w, "txtFileName"), QString::fromStdString(home.file("home/nasu.bmp")));
  Click(w, "cmdSave");
  ASSERT_TRUE(ReadFiles());
  EXPECT_EQ(ObserveItem(1).Comment(kDay.year(), kDay.month(), kDay.day()), "花が咲いた");
  EXPECT_EQ(ObserveFile(1)(kDay.year(), kDay.month(), kDay.day()), home.file("home/nasu.bmp"));
  EXPECT_EQ(ObserveItem(0).Comment(kDay.year(), kDay.month(), kDay.day()), "") << "the comment went to another crop";
  Click(w, "cmdClose");
  Quit(QString());
  ASSERT_NO_FATAL_FAILURE(Start());
  Click(kBar, "作物観察日記を表示します");
  Choose(w, "cmbProduce", QStringLiteral("トマト"));
  PickDay(w, kDay.year(), kDay.month(), kDay.day());
  EXPECT_EQ(Text(w, "txtComment"), QStringLiteral("花が咲いた"));
}

// --- Backup and restore --------------------------------------------------------
TEST_F(Walk, BackupAndRestore) {
  const QString save = QStringLiteral("ディスクへ保存"), restore = QStringLiteral("ディスクから復元");
  std::filesystem::create_directories(home.file("home/usb"));
  ASSERT_NO_FATAL_FAILURE(MakeData([] { Nikki(2020, 5, 1) = "元の日記"; }));
  ASSERT_NO_FATAL_FAILURE(Start());
  Click(kBar, "ディスクにバックアップします");
  Click(save, "cmdCancel");
  Left(save, kBar);
  Click(kBar, "ディスクにバックアップします");
  ASSERT_TRUE(e2e::WaitFor([&] { return Shown(save); }, 5000));
  Key(kEsc);
  Left(save, kBar);
  auto intoUsb = [&](const QString& dialog) {
    Click(kBar, dialog == save ? "ディスクにバックアップします" : "データを、ディスクから復元します");
    const int row = static_cast<int>(Items(dialog, "dirMain").indexOf(QStringLiteral("usb")));
    ASSERT_GE(row, 0);
    QRect r = RowRect(dialog, "dirMain", row);
    DoubleClickAt(r.center().x(), r.center().y());
    Click(dialog, "cmdSave");
  };
  intoUsb(save);
  ASSERT_TRUE(e2e::WaitFor([&] { return std::filesystem::exists(home.file("home/usb/nikki.dat")); }, 10000));
  for (int i = 0; i < 3 && !Modal().isEmpty(); ++i) Answer(QStringLiteral("OK"));
  Left(save, kBar);

  // A change, then the backup restored over it.
  Click(kBar, "日記を編集します");
  PickDay(QStringLiteral("Vorn　日記（編集）"), kDay.year(), kDay.month(), kDay.day());
  Click(QStringLiteral("Vorn　日記（編集）"), "txtDiary");
  Commit(QStringLiteral("消える"));
  Click(QStringLiteral("Vorn　日記（編集）"), "cmdEnd");
  intoUsb(restore);
  while (!Modal().isEmpty() && Modal() != restore) Answer(Look(kModal, "はい").ok ? "はい" : "OK");
  Left(restore, kBar);
  Menu({"ファイル", "データの保存"});
  ASSERT_TRUE(ReadFiles());
  EXPECT_EQ(Nikki(2020, 5, 1), "元の日記");
  // The file writes a day without text as one space.
  EXPECT_EQ(Nikki(kDay.year(), kDay.month(), kDay.day()), " ") << "the restore kept the day the backup lacks";
  Quit(QString());
}

// --- A start with damaged files -------------------------------------------------
// The files are read while the title window is up, two of them on threads of
// their own; the farmer still sees the title, then each damaged file reported
// in the order of loading, and the other files' records.
TEST_F(Walk, DamagedFilesAreReportedInFileOrderBehindTheTitleAndTheRestLoads) {
  ASSERT_NO_FATAL_FAILURE(MakeData([] { Nikki(kToday.year(), kToday.month(), kToday.day()) = "残る日記"; }));
  auto append = [&](const std::string& name, const std::string& lines) {
    std::ofstream(home.file("vorn/" + name), std::ios::binary | std::ios::app) << lines;
  };
  append("material.dat", "#1\r\n%1\r\nMode=Foo\r\n");  // not a mode: 13
  append("price.dat", "#Start0\r\nH,1990/01,1\r\n");   // a year before the first: 9
  vorn_ = std::make_unique<e2e::Vorn>(x_->display(), home, QStringList{}, true);
  ASSERT_TRUE(e2e::WaitFor([&] { return !Modal().isEmpty() || !vorn_->running(); }, 30000)) << "no report came";
  const std::vector<e2e::Window> titles =
      s_->Windows([](const e2e::Window& w) { return w.width == 480 && w.height == 300; });
  ASSERT_EQ(titles.size(), 1u) << "the title window is not shown during the load";
  // The box's own event loop paints the title if the load left it no time.
  QColor sky;
  EXPECT_TRUE(e2e::WaitFor(
      [&] {
        sky = s_->PixelAt(titles[0].x + 8, titles[0].y + 8);
        return sky.blue() > 180 && sky.red() < 150;
      },
      3000))
      << "the title shows no picture: " << sky.name().toStdString();
  // Str() gives a number its sign's place, as the box shows it.
  const QString first = Answer(QStringLiteral("OK"));
  QString second;  // once the first box has gone
  e2e::WaitFor(
      [&] {
        second = Look(kModal, QStringLiteral("qt_msgbox_label")).text;
        return !second.isEmpty() && second != first;
      },
      10000);
  Answer(QStringLiteral("OK"));
  EXPECT_TRUE(first.contains(QStringLiteral("ｴﾗｰｺｰﾄﾞ: 13"))) << "material.dat first: " << first.toStdString();
  EXPECT_TRUE(second.contains(QStringLiteral("ｴﾗｰｺｰﾄﾞ: 9"))) << "price.dat second: " << second.toStdString();
  ASSERT_TRUE(e2e::WaitFor([&] { return Look(kBar, QStringLiteral("ファイル")).ok; }, 10000)) << "no menu bar";
  Click(kBar, "日記を編集します");
  EXPECT_EQ(Text(kDiaryEdit, "txtDiary"), QStringLiteral("残る日記"));
  Click(kDiaryEdit, "cmdEnd");
  Quit(QString());
}
