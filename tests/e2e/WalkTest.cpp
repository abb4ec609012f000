// One walk per window and dialog, as a farmer goes through them: open from
// the menus, enter records with the mouse and the keyboard, leave every
// dialog by its own buttons and by Esc, save by the window and by the menu,
// quit through the exit question, start again and find the records in the
// files and on the screen.
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
