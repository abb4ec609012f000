// The diary editor and the diary viewer with entries of several lines.
#include <QPushButton>
#include <QWidget>

#include "diary/DiaryWindows.h"
#include "diary/frmDiary.h"
#include "diary/frmDiaryEdit.h"
#include "diary/modDiary.h"
#include "screenshots/Screenshots.h"
#include "store/Store.h"

namespace {

void SampleEntries() {
  CurYear = 2003;
  CurMonth = 4;
  CurDay = 12;
  StoreDiaryEntry(2003, 4, 12,
                  QStringLiteral("朝から晴れ。東の畑にジャガイモ（男爵）を植え付けた。\n"
                                 "種芋は二つ切りにして灰をまぶす。\n"
                                 "午後は苗床の水やりと、トマトの鉢上げ。"));
  StoreDiaryEntry(2004, 4, 12,
                  QStringLiteral("雨のち曇り。ハウスの換気を午前中だけ。\n"
                                 "キュウリ定植まであと一週間ほど。"));
  StoreDiaryEntry(2005, 4, 12, QStringLiteral(" "));
  StoreDiaryEntry(2006, 4, 12,
                  QStringLiteral("晴れ、風強し。\n"
                                 "トンネルのビニールが飛ばされ、張り直した。\n"
                                 "夕方、堆肥を二トン入れる。"));
}

}  // namespace

SCREENSHOT(diary_edit) {
  SampleEntries();
  ShowDiaryEdit();
  QWidget* w = LoadedDiaryEdit();
  w->move(40, 60);
  return GrabWidget(w);
}

SCREENSHOT(diary_view) {
  SampleEntries();
  ShowDiary();
  QWidget* w = LoadedDiary();
  w->move(480, 60);
  return GrabWidget(w);
}

SCREENSHOT(diary_edit_calendar) {
  SampleEntries();
  ShowDiaryEdit();
  frmDiaryEdit* w = LoadedDiaryEdit();
  w->move(40, 60);
  w->cmdCalender->click();
  QImage shot = GrabWidget(w);
  w->cmdCalender->setFocus();
  return shot;
}
