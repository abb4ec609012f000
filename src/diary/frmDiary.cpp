#include "diary/frmDiary.h"

#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <algorithm>
#include <cmath>

#include "diary/modDiary.h"
#include "platform/Controls.h"
#include "platform/Fonts.h"
#include "platform/Screen.h"
#include "platform/ErrorReporter.h"
#include "store/ScopedFlag.h"
#include "store/Store.h"

namespace {

constexpr int kWindowMin = 528;

QPlainTextEdit* MakeEntryBox(QWidget* parent) {
  auto* t = new QPlainTextEdit(parent);
  t->setTabChangesFocus(true);
  t->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  t->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  // For reading: what is typed here would never be stored, so nothing is
  // taken (the text can still be selected and copied).
  t->setReadOnly(true);
  t->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  return t;
}

}  // namespace

frmDiary::frmDiary() : RecordForm(OnClose::HideAndKeep, Placement::Sized({kWindowMin, kWindowMin})) {
  setWindowTitle(QStringLiteral("Vorn　日記（閲覧）"));
  lblYear1 = new QLabel(QStringLiteral("年(&Y)"), this);
  cmbYear = new QComboBox(this);
  QStringList years, months;
  for (int y = kFirstYear; y <= kDiaryLastFirstYear; ++y) years << QString::number(y);
  for (int m = 1; m <= 12; ++m) months << QString::number(m);
  FillList(cmbYear, years);
  lblYear4 = new QLabel(QStringLiteral("～2002"), this);
  lblMonth1 = new QLabel(QStringLiteral("月(&M)"), this);
  cmbMonth = new QComboBox(this);
  FillList(cmbMonth, months);
  lblDay1 = new QLabel(QStringLiteral("日(&D)"), this);
  cmbDay = new QComboBox(this);
  cmdClose = new QPushButton(QStringLiteral("閉じる"), this);
  txtDiary1 = MakeEntryBox(this);
  txtDiary2 = MakeEntryBox(this);
  txtDiary3 = MakeEntryBox(this);
  txtDiary4 = MakeEntryBox(this);
  lblYear1->setBuddy(cmbYear);
  lblMonth1->setBuddy(cmbMonth);
  lblDay1->setBuddy(cmbDay);
  for (QComboBox* c : {cmbYear, cmbMonth, cmbDay}) c->setMaxVisibleItems(12);

  // A choice by mouse, keyboard or wheel counts even when it picks the item
  // already chosen; selections made by the program call the handlers
  // themselves.
  connect(cmbYear, &QComboBox::activated, this, [this](int) { cmbYear_Click(); });
  connect(cmbMonth, &QComboBox::activated, this, [this](int) { cmbMonth_Click(); });
  connect(cmbDay, &QComboBox::activated, this, [this](int) { cmbDay_Click(); });
  connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
}

void frmDiary::RecordScale() {
  ScaleLeft = 0;
  ScaleWidth = static_cast<int16_t>(PixelsToTwipsX(width()));
  ScaleHeight = static_cast<int16_t>(PixelsToTwipsY(height()));
}

void frmDiary::PlaceControls() {
  lblYear1->setGeometry(0, 10, 41, 19);
  lblYear4->setGeometry(114, 6, 77, 25);
  lblMonth1->setGeometry(214, 10, 43, 19);
  lblDay1->setGeometry(310, 10, 41, 19);
  cmdClose->setGeometry(424, 2, 69, 31);

  const QFont caption = MapFont(kGothic, ScaledFontSize(12));
  for (QWidget* w : {static_cast<QWidget*>(lblYear1), static_cast<QWidget*>(lblMonth1),
                     static_cast<QWidget*>(lblDay1), static_cast<QWidget*>(cmdClose)})
    w->setFont(caption);
  lblYear4->setFont(MapFont(kGothic, ScaledFontSize(18)));
  const QFont list = MapFont(kGothic, ScaledFontSize(18));
  for (QComboBox* c : {cmbYear, cmbMonth, cmbDay}) c->setFont(list);
  // A drop-down list is as high as its font makes it.
  cmbYear->setGeometry(38, 2, 75, cmbYear->sizeHint().height());
  cmbMonth->setGeometry(252, 2, 51, cmbMonth->sizeHint().height());
  cmbDay->setGeometry(348, 2, 51, cmbDay->sizeHint().height());
  const QFont entry = MapFont(kGothic, ScaledFontSize(12));
  for (QPlainTextEdit* t : {txtDiary1, txtDiary2, txtDiary3, txtDiary4}) t->setFont(entry);

  RecordScale();
  const int h = static_cast<int>(std::floor((height() - 36) / 4.0)) - 4;
  const int top1 = 36;
  const int top2 = top1 + 1 + h;
  const int top3 = top2 + 2 + h;
  const int top4 = top3 + 3 + h;
  txtDiary1->setGeometry(0, top1, width(), h);
  txtDiary2->setGeometry(0, top2, width(), h);
  txtDiary3->setGeometry(0, top3, width(), h);
  txtDiary4->setGeometry(0, top4, width(), h);
}

void frmDiary::Form_Load() {
  ScopedFlag loading(DiaryLoading, -1);
  CatchErrors([&] {
    // The list ends at the year whose fourth year is the last of the records;
    // a later current year starts the four years there, so that it is among
    // them.
    const int first = std::clamp<int>(CurYear, kFirstYear, kDiaryLastFirstYear);
    cmbYear->setCurrentIndex(first - kFirstYear);
    cmbMonth->setCurrentIndex(CurMonth - 1);
    FillDayList(*this);
    // The current day may be missing from the list (29 February when the
    // first year is not a leap year): the month's last day stands in.
    cmbDay->setCurrentIndex(std::clamp<int>(CurDay, 1, cmbDay->count()) - 1);
    lblYear4->setText(QStringLiteral("～") + QString::number(first + 3));
    ShowEntries();
  });
}

void frmDiary::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  Form_Resize();
}

void frmDiary::Form_Resize() {
  CatchErrors([&] {
    // A minimised window has no size to keep.
    if (isMinimized()) return;
    const QSize outer = frameGeometry().size();
    const int w = std::max(outer.width(), kWindowMin);
    const int h = std::max(outer.height(), kWindowMin);
    if (!isMaximized() && (w != outer.width() || h != outer.height())) MoveWindowOuter(this, w, h);

    RecordScale();
    const double boxH = std::floor((ScaleHeight - 540) / 4.0) - 20;
    const double top1 = 540;
    const double top2 = top1 + 15 + boxH;
    const double top3 = top2 + 30 + boxH;
    const double top4 = top3 + 45 + boxH;
    const int left = TwipsToPixelsX(ScaleLeft);
    const int wide = TwipsToPixelsX(ScaleWidth);
    const int high = std::max(0, TwipsToPixelsY(boxH));
    txtDiary1->setGeometry(left, TwipsToPixelsY(top1), wide, high);
    txtDiary2->setGeometry(left, TwipsToPixelsY(top2), wide, high);
    txtDiary3->setGeometry(left, TwipsToPixelsY(top3), wide, high);
    txtDiary4->setGeometry(left, TwipsToPixelsY(top4), wide, high);
  });
}

void frmDiary::ShowEntries() {
  const int y = kFirstYear + cmbYear->currentIndex();
  const int m = cmbMonth->currentIndex() + 1;
  const int d = cmbDay->currentIndex() + 1;
  // Read all four before showing any, so that a failure shows none.
  const QString e1 = DiaryEntryText(y, m, d);
  const QString e2 = DiaryEntryText(y + 1, m, d);
  const QString e3 = DiaryEntryText(y + 2, m, d);
  const QString e4 = DiaryEntryText(y + 3, m, d);
  txtDiary1->setPlainText(e1);
  txtDiary2->setPlainText(e2);
  txtDiary3->setPlainText(e3);
  txtDiary4->setPlainText(e4);
}

void frmDiary::cmbYear_Click() {
  CatchErrors([&] {
    if (DiaryLoading) return;
    FillDayList(*this);
    lblYear4->setText(QStringLiteral("～") + QString::number(kFirstYear + cmbYear->currentIndex() + 3));
    ShowEntries();
  });
}

void frmDiary::cmbMonth_Click() {
  CatchErrors([&] {
    if (DiaryLoading) return;
    FillDayList(*this);
    ShowEntries();
  });
}

void frmDiary::cmbDay_Click() {
  CatchErrors([&] {
    if (DiaryLoading) return;
    ShowEntries();
  });
}

void frmDiary::cmdClose_Click() {
  CatchErrors([&] { hide(); });
}

void frmDiary::Reload() {
  CatchErrors([&] { ShowEntries(); });
}

void FillDayList(frmDiary& form) {
  QComboBox* day = form.cmbDay;
  const int year = kFirstYear + form.cmbYear->currentIndex();
  const int month = form.cmbMonth->currentIndex() + 1;
  const int previous = day->currentIndex() + 1;  // 0 when none was chosen

  // As many days as the month has (29 in February of every fourth year).
  QStringList days;
  for (int d = 1; d <= DaysInMonth(year, month); ++d) days << QString::number(d);
  FillList(day, days);
  SetListIndex(day, std::min(previous, static_cast<int>(days.size())) - 1);
  if (day->currentIndex() >= 0) form.cmbDay_Click();
}
