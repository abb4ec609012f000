#include "diary/frmDiaryEdit.h"

#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollBar>
#include <algorithm>

#include "platform/StorableTextBox.h"
#include "diary/modDiary.h"
#include "platform/KeepFocus.h"
#include "platform/Fonts.h"
#include "platform/Screen.h"
#include "platform/ErrorReporter.h"
#include "store/DiaryFile.h"
#include "store/ScopedFlag.h"
#include "store/Store.h"

namespace {

constexpr int kWindowMin = 428;
constexpr int kTextTop = 35;

}  // namespace

frmDiaryEdit::frmDiaryEdit() : RecordForm(OnClose::HideAndKeep, Placement::Sized({kWindowMin, 214})) {
  setWindowTitle(QStringLiteral("Vorn　日記（編集）"));
  MakeCalenderControls(this);
  calenderAlign = kAlignLeft;
  // Shown again, the editor keeps the entry it showed, even when another
  // window moved the current date meanwhile; typing still goes to that day.
  catchUpWhenActivated = false;
  // The date box only shows the date; the calendar and the spinner set it.
  txtCalender->setReadOnly(true);
  txtCalender->setFont(MapFont(kGothic, 14.25, true));
  txtCalender->setGeometry(0, 2, 121, 31);
  vscCalender->setGeometry(121, 2, 17, 31);
  cmdCalender->setGeometry(140, 2, 89, 31);
  cmdSave = new QPushButton(QStringLiteral("保存"), this);
  cmdEnd = new QPushButton(QStringLiteral("閉じる"), this);
  txtDiary = new StorableTextBox(this);
  txtDiary->setMaxLength(kDiaryMaxLength);
  txtDiary->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

  // The window opens ready for writing.
  txtDiary->setFocus();

  connect(txtDiary, &QPlainTextEdit::textChanged, this, [this] { txtDiary_Change(); });
  connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
  connect(cmdEnd, &QPushButton::clicked, this, [this] { cmdEnd_Click(); });
  ConnectCalender();
}

void frmDiaryEdit::PlaceControls() {
  cmdSave->setGeometry(312, 2, 51, 31);
  cmdEnd->setGeometry(364, 2, 51, 31);
  txtDiary->setGeometry(0, 32, 437, 153);
  cmdSave->setFont(MapFont(kGothic, ScaledFontSize(11)));
  cmdEnd->setFont(MapFont(kGothic, ScaledFontSize(11)));
  txtDiary->setFont(MapFont(kGothic, ScaledFontSize(12)));
  cmdCalender->setFont(MapFont(kGothic, ScaledFontSize(10)));
}

void frmDiaryEdit::Form_Load() {
  // Cleared however the load ends, so that a failed load never leaves the
  // diary windows deaf to typing.
  ScopedFlag loading(DiaryLoading, -1);
  CatchErrors([&] { LoadEntry(); });
  CatchErrors([&] { WriteCalenderText(*this); });
}

void frmDiaryEdit::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  Form_Resize();
}

void frmDiaryEdit::Form_Resize() {
  CatchErrors([&] {
    if (DiaryLoading) return;
    // A minimised window has no size to keep.
    if (isMinimized()) return;
    const QSize outer = frameGeometry().size();
    const int w = std::max(outer.width(), kWindowMin);
    const int h = std::max(outer.height(), kWindowMin);
    if (!isMaximized() && (w != outer.width() || h != outer.height())) MoveWindowOuter(this, w, h);
    txtDiary->setGeometry(0, kTextTop, width(), std::max(0, height() - kTextTop));
  });
}

void frmDiaryEdit::txtDiary_Change() {
  CatchErrors([&] {
    if (DiaryLoading) return;
    const YearMonthDay d = EditDate();
    StoreDiaryEntry(d.Year, d.Month, d.Day, txtDiary->toPlainText());
  });
}

void frmDiaryEdit::cmdSave_Click() {
  // The writer lets events run between days; the window takes no typing
  // meanwhile, so nothing typed during the save can be marked saved without
  // having been written.
  RunSave(RecordKind::Diary, SaveNikki);
}

void frmDiaryEdit::cmdEnd_Click() {
  CatchErrors([&] { hide(); });
}

void frmDiaryEdit::LoadEntry() {
  // Until the entry is in the box, typing goes to the current date.
  ForgetShown();
  txtDiary->setPlainText(DiaryEntryText(CurYear, CurMonth, CurDay));
  MarkShown();
}

void frmDiaryEdit::RefreshForCurrentDate() {
  ScopedFlag loading(DiaryLoading, -1);
  CatchErrors([&] {
    LoadEntry();
    WriteCalenderText(*this);
  });
}
