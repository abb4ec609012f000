#include "observe/frmObserve.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <utility>

#include "observe/frmFileSelect.h"
#include "observe/modObserve.h"
#include "platform/Controls.h"
#include "platform/Desktop.h"
#include "platform/ErrorReporter.h"
#include "platform/Fonts.h"
#include "platform/MessageBox.h"
#include "platform/NameListLink.h"
#include "platform/PictureBox.h"
#include "platform/Screen.h"
#include "platform/StorableTextBox.h"
#include "platform/WindowSlot.h"
#include "store/ObserveFile.h"
#include "store/ScopedFlag.h"
#include "store/Store.h"

namespace {

WindowSlot<frmObserve>& Slot() {
  static WindowSlot<frmObserve> slot;
  return slot;
}

}  // namespace

frmObserve::frmObserve() : RecordForm(OnClose::Unload, Placement::WholeScreen()) {
  setWindowTitle(QStringLiteral("作物観察日記"));
  BuildControls();
}

frmObserve::~frmObserve() = default;

void frmObserve::BuildControls() {
  pctGraph = new PictureBox(this);
  pctGraph->SetBorderStyle(1);
  pctGraph->SetBackColor(Qt::white);
  pctGraph->setFocusPolicy(Qt::NoFocus);

  Frame2 = new QGroupBox(QStringLiteral("表示エリア"), this);
  txtDate = new QLineEdit(Frame2);
  txtDate->setReadOnly(true);
  txtFilePath = new QLineEdit(Frame2);
  txtFilePath->setReadOnly(true);
  txtFilePath->installEventFilter(this);
  pctPicture = new PictureBox(Frame2);
  pctPicture->SetBorderStyle(1);
  pctPicture->SetScaleMode(PictureBox::kPixels);
  pctPicture->setFocusPolicy(Qt::NoFocus);
  txtCommentD = new StorableTextBox(Frame2);  // over the lower part of the picture
  txtCommentD->setReadOnly(true);

  Frame1 = new QGroupBox(QStringLiteral("設定エリア"), this);
  // The calendar drops down over the rest of the window, so its picture box
  // belongs to the window; button, date box and spinner sit in the frame.
  MakeCalenderControls(this, Frame1);
  txtCalender->setReadOnly(true);
  Label2 = new QLabel(QStringLiteral("観察する作物(&P)"), Frame1);
  cmbProduce = new QComboBox(Frame1);
  Label2->setBuddy(cmbProduce);
  cmdEdit = new QPushButton(QStringLiteral("編集"), Frame1);
  Label3 = new QLabel(QStringLiteral("画像(&G)"), Frame1);
  txtFileName = new QLineEdit(Frame1);
  // The path is set with "参照" and "取消": a typed path would look stored
  // while it is not.
  txtFileName->setReadOnly(true);
  txtFileName->installEventFilter(this);
  Label3->setBuddy(txtFileName);
  cmdFileName = new QPushButton(QStringLiteral("参照"), Frame1);
  cmdFileDelete = new QPushButton(QStringLiteral("取消"), Frame1);
  pctInfo = new PictureBox(Frame1);
  pctInfo->SetBorderStyle(1);
  pctInfo->SetScaleMode(PictureBox::kPixels);
  pctInfo->setFocusPolicy(Qt::NoFocus);
  pctBuff = new PictureBox(Frame1);
  pctBuff->hide();
  Label1 = new QLabel(QStringLiteral("コメント(&C)"), Frame1);
  txtComment = new StorableTextBox(Frame1);
  Label1->setBuddy(txtComment);

  cmdSave = new QPushButton(QStringLiteral("データの保存"), this);
  cmdClose = new QPushButton(QStringLiteral("閉じる"), this);

  connect(cmbProduce, &QComboBox::currentIndexChanged, this, [this] { cmbProduce_Click(); });
  connect(txtComment, &QPlainTextEdit::textChanged, this, [this] { txtComment_Change(); });
  connect(cmdFileName, &QPushButton::clicked, this, [this] { cmdFileName_Click(); });
  connect(cmdFileDelete, &QPushButton::clicked, this, [this] { cmdFileDelete_Click(); });
  connect(cmdEdit, &QPushButton::clicked, this, [this] { cmdEdit_Click(); });
  connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
  connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
  connect(pctGraph, &PictureBox::MouseMove, this,
          [this](int b, int s, float x, float y) { pctGraph_MouseMove(b, s, x, y); });
  connect(pctGraph, &PictureBox::DblClick, this, [this] { pctGraph_DblClick(); });
  connect(pctPicture, &PictureBox::MouseDown, this,
          [this](int b, int s, float x, float y) { pctPicture_MouseDown(b, s, x, y); });
  connect(pctPicture, &PictureBox::MouseUp, this,
          [this](int b, int s, float x, float y) { pctPicture_MouseUp(b, s, x, y); });
  ConnectCalender();
}

void frmObserve::PlaceControls() {
  const QFont label = MapFont(kPGothic, ScaledFontSize(10));
  const QFont box = MapFont(kGothic, ScaledFontSize(11));
  for (QWidget* w : std::initializer_list<QWidget*>{Frame1, Frame2, Label1, Label2, Label3, cmdEdit, cmdFileName,
                                                     cmdFileDelete, cmdSave, cmdClose, cmdCalender})
    w->setFont(label);
  for (QWidget* w : std::initializer_list<QWidget*>{txtDate, txtFilePath, txtCalender, cmbProduce, txtFileName,
                                                     txtComment, txtCommentD})
    w->setFont(box);

  PlaceTwips(pctGraph, 90, 30, 15105, 735);
  PlaceTwips(Frame2, 90, 810, 9885, 10335);
  PlaceTwips(Frame1, 10050, 780, 5265, 9765);
  PlaceTwips(cmdSave, 11970, 10590, 1575, 495);
  PlaceTwips(cmdClose, 13650, 10590, 1575, 495);

  PlacePixels(txtDate, 10, 22, 110, 24);
  PlacePixels(txtFilePath, 126, 22, 523, 24);
  PlacePixels(pctPicture, 10, 52, 639, 627);
  PlacePixels(txtCommentD, 12, 529, 635, 148);

  PlacePixels(txtCalender, 12, 24, 112, 26);
  PlacePixels(vscCalender, 124, 24, 17, 26);
  PlacePixels(cmdCalender, 235, 24, 104, 26);
  PlacePixels(Label2, 12, 62, 200, 18);
  PlacePixels(cmbProduce, 12, 82, 222, 26);
  PlacePixels(cmdEdit, 240, 82, 99, 26);
  PlacePixels(Label3, 12, 118, 120, 18);
  PlacePixels(txtFileName, 12, 138, 327, 24);
  PlacePixels(cmdFileName, 176, 166, 80, 26);
  PlacePixels(cmdFileDelete, 259, 166, 80, 26);
  PlacePixels(pctInfo, 12, 198, 327, 245);
  PlacePixels(pctBuff, 0, 0, 16, 16);
  PlacePixels(Label1, 12, 452, 120, 18);
  PlacePixels(txtComment, 12, 472, 327, 167);

  Chart.SetGeometry(pctGraph->ScaleWidth(), pctGraph->ScaleHeight());
}

// --- Loading and showing the day ----------------------------------------------

void frmObserve::Form_Load() {
  CatchErrors([&] {
    ObserveHoverDay = ObserveHoverMonth = 0;
    // Every opening starts with the first crop; selecting it shows the day.
    RefillCrops(0);
  });
}

int frmObserve::CropShown() const { return CropInList(ObserveIndex); }

int frmObserve::ChartYear() const { return EditDate().Year; }

void frmObserve::Redraw() {
  Chart.Draw(*pctGraph, ChartYear(), ObserveIndex, ObserveHoverMonth, ObserveHoverDay);
}

void frmObserve::RefillCrops(int select) {
  CatchErrors([&] {
    QStringList names;
    for (int i = 0; i <= ObserveItem.UBound(); ++i) names << QString::fromStdString(ObserveItem(i).Name);
    FillList(cmbProduce, names);
    ObserveIndex = CropInList(select);
    // Raises the crop change, as a choice of the user would.
    SetListIndex(cmbProduce, ObserveIndex);
  });
}

void frmObserve::cmbProduce_Click() {
  CatchErrors([&] {
    if (cmbProduce->currentIndex() < 0) return;
    ObserveIndex = CropInList(cmbProduce->currentIndex());
    RefreshForCurrentDate();
    // The display area shows the day last pointed at: now the chosen crop's
    // picture and comment of it (the list may also have been reordered under
    // the same index).
    if (ObserveHoverDay != 0 && ObserveHoverMonth != 0) ShowPointedDay();
  });
}

void frmObserve::RefreshForCurrentDate() {
  CatchErrors([&] {
    ObserveIndex = CropInList(ObserveIndex);
    const int item = ObserveIndex;
    {
      // The program fills the boxes: nothing of it is stored back.
      ScopedFlag busy(Busy);
      ForgetShown();
      WriteCalenderText(*this);
      txtComment->setPlainText(CommentFromStore(ObserveItem(item).Comment(CurYear, CurMonth, CurDay)));
      txtFileName->setText(QString::fromStdString(ObserveFile(item)(CurYear, CurMonth, CurDay)));
      MarkShown();
    }
    Redraw();
    ShowObservePicture(*this, CurYear, CurMonth, CurDay);
  });
}

// --- Editing the day shown ------------------------------------------------------

void frmObserve::txtComment_Change() {
  if (Busy != 0) return;
  CatchErrors([&] {
    const YearMonthDay day = EditDate();
    const int item = CropShown();
    const bool marked = ObserveDayMarked(item, day.Year, day.Month, day.Day);
    // Qt reports a change for a reading still being composed too; that is
    // no text yet and changes nothing.
    if (!StoreObserveComment(item, day.Year, day.Month, day.Day, CommentToStore(txtComment->toPlainText()))) return;
    // A first comment (or the last one removed) changes the strip.
    if (marked != ObserveDayMarked(item, day.Year, day.Month, day.Day)) Redraw();
  });
}

void frmObserve::cmdFileName_Click() {
  CatchErrors([&] {
    QPointer<frmObserve> self(this);
    const std::optional<QString> chosen = RunDialog(new frmFileSelect(this));
    if (!self || !chosen) return;
    const YearMonthDay day = EditDate();
    const int item = CropShown();
    StoreObservePicture(item, day.Year, day.Month, day.Day, chosen->toStdString());
    {
      ScopedFlag busy(Busy);
      txtFileName->setText(*chosen);
    }
    Redraw();
    ShowObservePicture(*this, day.Year, day.Month, day.Day);
  });
}

void frmObserve::cmdFileDelete_Click() {
  CatchErrors([&] {
    const YearMonthDay day = EditDate();
    // The file itself stays where it is.
    StoreObservePicture(CropShown(), day.Year, day.Month, day.Day, std::string());
    txtFileName->clear();
    Redraw();
    pctBuff->SetPicture(QImage());
    ShowPictureNote(pctInfo, QString());
  });
}

// --- The strip and the display area ---------------------------------------------

void frmObserve::pctGraph_MouseMove(int, int, float x, float) {
  OnPointerMove([&] {
    const int year = ChartYear();
    const MonthDay at = Chart.ObserveDayAt(year, x);
    if (at.Day != ObserveHoverDay || at.Month != ObserveHoverMonth) {
      ObserveHoverDay = static_cast<uint8_t>(at.Day);
      ObserveHoverMonth = static_cast<uint8_t>(at.Month);
      Redraw();
    }
    ShowPointedDay();
  });
}

void frmObserve::ShowPointedDay() {
  const int year = ChartYear();
  const int item = CropShown();
  const QString path = QString::fromStdString(ObserveFile(item)(year, ObserveHoverMonth, ObserveHoverDay));
  txtDate->setText(CalenderDateText(year, ObserveHoverMonth, ObserveHoverDay));
  txtFilePath->setText(path);
  txtCommentD->setPlainText(CommentFromStore(ObserveItem(item).Comment(year, ObserveHoverMonth, ObserveHoverDay)));
  ShowHoveredPicture(path);
}

void frmObserve::ShowHoveredPicture(const QString& path) {
  const YearMonthDay day{static_cast<int16_t>(ChartYear()), ObserveHoverMonth, ObserveHoverDay};
  const int item = CropShown();
  const bool same = hover_.crop == item && hover_.day == day && hover_.path == path;
  if (!same) hover_ = HoverPicture{item, day, path, {}, {}};
  // A picture that cannot be shown says so in its place. The file may go
  // away (or come back) while the pointer rests: looked for on every move.
  QString note = hover_.note;
  if (!path.isEmpty() && !QFileInfo(path).isFile()) {
    hover_ = HoverPicture{item, day, path, {}, {}};
    note = ReadPictureOrNote(path, QSize(), PictureView::kTopLeft).note;
  } else if (!path.isEmpty() && hover_.image.isNull() && hover_.note.isEmpty()) {
    PictureOrNote read = ReadPictureOrNote(path, pctPicture->InnerSize(), PictureView::kTopLeft);
    hover_.image = std::move(read.image);
    note = hover_.note = std::move(read.note);
  }
  // Painted again only when something else is to show.
  if (pctPicture->Picture().cacheKey() == hover_.image.cacheKey() && PictureNoteShown(pctPicture) == note) return;
  pctPicture->SetPicture(QImage());
  ShowPictureNote(pctPicture, note);
  if (!hover_.image.isNull()) pctPicture->SetPicture(hover_.image);
}

void frmObserve::pctGraph_DblClick() {
  CatchErrors([&] {
    // The day under the double-click itself: a hover left from another year
    // (or none at all) must not choose the day.
    const int year = ChartYear();
    const MonthDay at = Chart.ObserveDayAt(year, pctGraph->FromPixelX(pctGraph->LastMousePixel().x()));
    ObserveHoverDay = static_cast<uint8_t>(at.Day);
    ObserveHoverMonth = static_cast<uint8_t>(at.Month);
    SetCurrentDate({static_cast<int16_t>(year), static_cast<int16_t>(at.Month), static_cast<int16_t>(at.Day)});
    RefreshForCurrentDate();
  });
}

void frmObserve::pctPicture_MouseDown(int, int, float, float) {
  CatchErrors([&] { txtCommentD->hide(); });
}

void frmObserve::pctPicture_MouseUp(int, int, float, float) {
  CatchErrors([&] { txtCommentD->show(); });
}

// --- Commands ---------------------------------------------------------------------

void frmObserve::cmdEdit_Click() {
  CatchErrors([&] {
    QPointer<frmObserve> self(this);
    OpenNameListEditor(NameList::Observe, this);
    if (!self) return;
    // Whatever the editor did, the index stays inside the list.
    if (CropInList(ObserveIndex) != ObserveIndex || cmbProduce->count() != ObserveItem.UBound() + 1)
      RefillCrops(0);
  });
}

void frmObserve::cmdSave_Click() { RunSave(RecordKind::Observe, SaveObserve); }

void frmObserve::cmdClose_Click() {
  CatchErrors([&] { close(); });
}

bool frmObserve::eventFilter(QObject* watched, QEvent* e) {
  if (watched == txtFilePath) {
    switch (e->type()) {
      case QEvent::KeyPress: {
        // Read only: every key is swallowed but the ones that move on.
        auto* k = static_cast<QKeyEvent*>(e);
        return k->key() != Qt::Key_Tab && k->key() != Qt::Key_Backtab;
      }
      case QEvent::KeyRelease:
      case QEvent::InputMethod:
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
        return true;
      default:
        break;
    }
  }
  if ((watched == txtFilePath || watched == txtFileName) && e->type() == QEvent::FocusIn) {
    // Selected whole once the focus has arrived (a click would undo it).
    auto* box = static_cast<QLineEdit*>(watched);
    QTimer::singleShot(0, box, [box] { box->selectAll(); });
  }
  return QWidget::eventFilter(watched, e);
}

void ShowObservePicture(frmObserve& f, int year, int month, int day) {
  CatchErrors([&] {
    ShowPictureNote(f.pctInfo, QString());
    f.pctBuff->SetPicture(QImage());
    const QString path = QString::fromStdString(ObserveFile(f.CropShown())(year, month, day));
    if (path.isEmpty()) return;
    // Stepping through the days never stops at a box: a picture that cannot
    // be shown says so in its place.
    PictureOrNote read = ReadPictureOrNote(path, f.pctInfo->InnerSize(), PictureView::kFitted);
    if (!read.note.isEmpty()) return ShowPictureNote(f.pctInfo, read.note);
    f.pctBuff->SetPicture(read.image);
    ShowFitted(f.pctInfo, f.pctBuff->Picture());
  });
}

// --- The one window ---------------------------------------------------------------

frmObserve* LoadedObserve() { return Slot().Loaded(); }

void ShowObserve() {
  Slot().Show();
}

void UnloadObserve() { Slot().Unload(); }

void ReloadObserve() {
  if (frmObserve* w = LoadedObserve()) w->RefillCrops(ObserveIndex);
}

void RefillObserveCrops() {
  if (frmObserve* w = LoadedObserve()) w->RefillCrops(0);
}
