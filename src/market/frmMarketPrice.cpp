#include "market/frmMarketPrice.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <algorithm>

#include "market/modMarket.h"
#include "platform/KeepFocus.h"
#include "platform/Controls.h"
#include "platform/ErrorReporter.h"
#include "platform/MessageBox.h"
#include "platform/NameListLink.h"
#include "platform/PictureBox.h"
#include "platform/Today.h"
#include "platform/WindowSlot.h"
#include "runtime/RuntimeError.h"
#include "store/PriceFile.h"
#include "store/ScopedFlag.h"
#include "store/Store.h"

namespace {

WindowSlot<frmMarketPrice>& Slot() {
  static WindowSlot<frmMarketPrice> slot;
  return slot;
}

constexpr int kDefaultLimit = 1000;

using rt::FirstError;

// A limit the window sets on its own (a produce named for the first time, the
// unnamed first produce at loading): the usual 1000, but never below a price
// already recorded, so that no price ends up above the top of its bar.
int32_t DefaultLimit(int16_t item) { return std::max<int32_t>(kDefaultLimit, HighestPrice(item)); }

// The price bars' upper end. A maximum below the bar's minimum is a value
// the bar cannot take (Qt would move the minimum instead).
void SetBarMaximum(QScrollBar* bar, long value) {
  if (value < bar->minimum()) throw rt::RuntimeError(rt::kErrInvalidPropertyValue);
  bar->setMaximum(static_cast<int>(std::min<long>(value, INT32_MAX)));
}

void SetTextColor(QWidget* w, const QColor& c) {
  QPalette p = w->palette();
  p.setColor(QPalette::WindowText, c);
  p.setColor(QPalette::Text, c);
  w->setPalette(p);
}

QString DateText(const YearMonthDay& d) { return CalenderDateText(d.Year, d.Month, d.Day); }

}  // namespace

frmMarketPrice::frmMarketPrice() : RecordForm(OnClose::HideAndKeep, Placement::WholeScreen()) {
  setWindowTitle(QStringLiteral("Vorn　市場価格表"));
  BuildControls();
}

frmMarketPrice::~frmMarketPrice() = default;

void frmMarketPrice::BuildControls() {
  // The strip under the graph first, so that the graph lies above it where
  // they meet; the label strip reaches under the graph's left edge.
  pctDay = new PictureBox(this);
  pctDay->SetBackColor(palette().color(QPalette::Button));
  pctDay->setFocusPolicy(Qt::NoFocus);
  pctNumber = new PictureBox(this);
  pctNumber->SetBackColor(palette().color(QPalette::Button));
  pctNumber->setFocusPolicy(Qt::NoFocus);
  pctGraph = new PictureBox(this);
  pctGraph->SetBorderStyle(1);
  pctGraph->SetBackColor(Qt::white);
  pctGraph->SetFillStyle(PictureBox::kFillSolid);

  Frame1 = new QGroupBox(QStringLiteral("設定エリア"), this);
  // The calendar drops down over the window, so its picture box belongs to
  // the window; the button, the date box and the spinner sit in the frame.
  MakeCalenderControls(this, Frame1);
  calenderAlign = kAlignRight;
  useOpenToggle = true;
  txtCalender->setReadOnly(true);

  lblProduce = new QLabel(QStringLiteral("作物(&P)"), Frame1);
  cmbProduce = new QComboBox(Frame1);
  cmbProduce->setEditable(true);
  // A name is added by the window on Enter, never by the combo box itself,
  // and typing neither completes nor picks an existing entry.
  cmbProduce->setInsertPolicy(QComboBox::NoInsert);
  cmbProduce->setCompleter(nullptr);
  QObject::disconnect(cmbProduce->lineEdit(), &QLineEdit::editingFinished, cmbProduce, nullptr);
  cmbProduce->lineEdit()->setPlaceholderText(kProducePlaceholder);
  KeepStorable(cmbProduce->lineEdit());
  lblProduce->setBuddy(cmbProduce);
  cmdEdit = new QPushButton(QStringLiteral("作物の編集"), Frame1);

  Label2 = new QLabel(QStringLiteral("表示単位(&D)"), Frame1);
  optIndicateMonth = new QRadioButton(QStringLiteral("月"), Frame1);
  optIndicateYear = new QRadioButton(QStringLiteral("年"), Frame1);
  optIndicateMonth->setChecked(true);
  Label2->setBuddy(optIndicateMonth);

  Label1 = new QLabel(QStringLiteral("上限価格(&I)"), Frame1);
  txtLimitMax = MakeShowBox(Frame1, QStringLiteral("1000"));
  vscLimitMax = MakeBar(Frame1, Qt::Vertical, 500, 32000, 100, 100, 1000);
  Label1->setBuddy(vscLimitMax);

  lblPriceHigh = new QLabel(QStringLiteral("高値(&H)"), Frame1);
  txtPriceHigh = MakeShowBox(Frame1, QStringLiteral("100"));
  hscPriceHigh = MakeBar(Frame1, Qt::Horizontal, 0, 1000, 1, 10, 100);
  lblPriceHigh->setBuddy(hscPriceHigh);
  lblPriceMid = new QLabel(QStringLiteral("中値(&M)"), Frame1);
  txtPriceMid = MakeShowBox(Frame1, QStringLiteral("100"));
  hscPriceMid = MakeBar(Frame1, Qt::Horizontal, 0, 1000, 1, 10, 100);
  lblPriceMid->setBuddy(hscPriceMid);
  lblPriceLow = new QLabel(QStringLiteral("安値(&L)"), Frame1);
  txtPriceLow = MakeShowBox(Frame1, QStringLiteral("100"));
  hscPriceLow = MakeBar(Frame1, Qt::Horizontal, 0, 1000, 1, 100, 100);
  lblPriceLow->setBuddy(hscPriceLow);
  // A click or the keyboard gives a bar the focus (MakeBar), so that a name
  // left typed in the produce box is settled before any price is stored.

  Frame2 = new QGroupBox(QStringLiteral("表示エリア"), this);
  txtDay = MakeShowBox(Frame2);
  lblKionHighD = new QLabel(QStringLiteral("高値"), Frame2);
  txtPriceHighD = MakeShowBox(Frame2);
  lblCHigh = new QLabel(QStringLiteral("円"), Frame2);
  lblKionLowD = new QLabel(QStringLiteral("中値"), Frame2);
  txtPriceMidD = MakeShowBox(Frame2);
  lblCLow = new QLabel(QStringLiteral("円"), Frame2);
  lblRainD = new QLabel(QStringLiteral("安値"), Frame2);
  txtPriceLowD = MakeShowBox(Frame2);
  lblRainMM = new QLabel(QStringLiteral("円"), Frame2);
  // The captions in the colours of their lines are the graph's legend.
  for (QLabel* l : {lblPriceHigh, lblKionHighD}) SetTextColor(l, kPriceHighColor);
  for (QLabel* l : {lblPriceMid, lblKionLowD}) SetTextColor(l, kPriceMidColor);
  for (QLabel* l : {lblPriceLow, lblRainD}) SetTextColor(l, kPriceLowColor);

  cmdSave = new QPushButton(QStringLiteral("保存"), this);
  cmdClose = new QPushButton(QStringLiteral("閉じる"), this);

  connect(cmbProduce, &QComboBox::currentIndexChanged, this, [this] { cmbProduce_Click(); });
  connect(cmdEdit, &QPushButton::clicked, this, [this] { cmdEdit_Click(); });
  // A dragged thumb shows its value and is stored when let go: a price passed
  // through on the way is never recorded.
  auto shows = [](QLineEdit* box) { return [box](int value) { box->setText(QString::number(value)); }; };
  ConnectBar(hscPriceHigh, this, [this] { hscPriceHigh_Change(); }, shows(txtPriceHigh));
  ConnectBar(hscPriceMid, this, [this] { hscPriceMid_Change(); }, shows(txtPriceMid));
  ConnectBar(hscPriceLow, this, [this] { hscPriceLow_Change(); }, shows(txtPriceLow));
  // The limit never shows less than it will accept.
  ConnectBar(vscLimitMax, this, [this] { vscLimitMax_Change(); },
             [this](int value) { txtLimitMax->setText(QString::number(std::max(value, PeakPrice))); });
  connect(optIndicateMonth, &QRadioButton::toggled, this, [this](bool on) {
    if (on) optIndicateMonth_Click();
  });
  connect(optIndicateYear, &QRadioButton::toggled, this, [this](bool on) {
    if (on) optIndicateYear_Click();
  });
  connect(pctGraph, &PictureBox::MouseMove, this,
          [this](int b, int s, float x, float y) { pctGraph_MouseMove(b, s, x, y); });
  connect(pctGraph, &PictureBox::DblClick, this, [this] { pctGraph_DblClick(); });
  connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
  connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
  cmbProduce->installEventFilter(this);
  cmbProduce->lineEdit()->installEventFilter(this);
  CloseCalendarOnBackground(pctCalender, {Frame1, Frame2});
  ConnectCalender();
}

bool frmMarketPrice::eventFilter(QObject* watched, QEvent* e) {
  if (watched == cmbProduce && e->type() == QEvent::FocusOut &&
      static_cast<QFocusEvent*>(e)->reason() != Qt::PopupFocusReason)
    cmbProduce_LostFocus();
  if ((watched == cmbProduce || watched == cmbProduce->lineEdit()) && e->type() == QEvent::KeyPress) {
    auto* k = static_cast<QKeyEvent*>(e);
    if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
      // Taken here, before the combo box would act on it itself.
      cmbProduce_KeyPress(keys::kEnter);
      return true;
    }
  }
  return QWidget::eventFilter(watched, e);
}

void frmMarketPrice::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  // The graph follows the inner size the window really got.
  if (!Started() || Busy != 0) return;
  CatchErrors([&] {
    PlaceMarketGraph(*this, size());
    Redraw(EditDate());
  });
}

// --- Loading -----------------------------------------------------------------

void frmMarketPrice::PlaceControls() { LayoutMarketWindow(*this); }

void frmMarketPrice::Form_Load() {
  CatchErrors([&] {
    {
      ScopedFlag busy(Busy);
      // The tables hold 1999..2030 only.
      if (CurYear < kFirstYear || CurYear > kLastYear || CurMonth < 1 || CurMonth > 12 || CurDay < 1 ||
          CurDay > DaysInMonth(CurYear, CurMonth))
        SetCurrentDate(Today());
      // The button of the view on (the other goes off by itself); the
      // graph is drawn once everything is loaded.
      QRadioButton* on = MarketView == 1 ? optIndicateYear : optIndicateMonth;
      Quietly(on, [&] { on->setChecked(true); });
      Chart.SetView(MarketView);
    }
    ShowListFromStore(MarketItem);
  });
}

void frmMarketPrice::FillProduceList() {
  QStringList names;
  placeholder_ = PriceItem(0).Name.empty();
  if (placeholder_) {
    names << kProducePlaceholder;
  } else {
    for (int i = 0; i <= PriceItem.UBound(); ++i) names << QString::fromStdString(PriceItem(i).Name);
  }
  FillList(cmbProduce, names);
}

void frmMarketPrice::ShowListFromStore(int item) {
  {
    ScopedFlag busy(Busy);
    FillProduceList();
    // An index from before a reload or an edit of the list may point past
    // its end now.
    MarketItem = static_cast<int16_t>(item >= 0 && item < cmbProduce->count() ? item : 0);
    SetListIndex(cmbProduce, MarketItem);
    if (placeholder_) {
      cmbProduce->setEditText(QString());  // the placeholder shows greyed
      PriceItem(0).Max = DefaultLimit(0);
      PriceItem(0).Min = 0;
    }
  }
  ShowProduce();
}

void frmMarketPrice::ShowProduce() {
  const YearMonthDay d = CurrentDate();
  FirstError e;
  {
    ScopedFlag busy(Busy);
    const PriceItemRec& rec = PriceItem(MarketItem);
    // The peak and the last accepted limit first: the limit bar checks its
    // new value against them.
    FindPeakPrice(MarketItem);
    const bool fits = rec.Max >= vscLimitMax->minimum() && rec.Max <= vscLimitMax->maximum();
    PriceLastLimit = fits ? rec.Max : vscLimitMax->value();
    e.Try([&] { SetBarValue(vscLimitMax, rec.Max); });
    txtLimitMax->setText(QString::number(vscLimitMax->value()));
    e.Try([&] {
      for (QScrollBar* bar : {hscPriceHigh, hscPriceMid, hscPriceLow}) SetBarMaximum(bar, rec.Max);
    });
    e.Try([&] { LoadPriceBars(d); });
  }
  const bool drawn = Redraw(d);
  WriteCalenderText(*this);
  MarkShown();
  // A control that could not take a value, and a produce without a price
  // range, each reported once.
  if (e.number != 0) ReportError(e.number);
  if (!drawn) ReportError(rt::kErrDivisionByZero);
}

void frmMarketPrice::LoadPriceBars(const YearMonthDay& d) {
  ScopedFlag busy(Busy);
  FirstError e;
  e.Try([&] { SetBarValue(hscPriceHigh, PriceHigh(MarketItem)(d.Year, d.Month, d.Day)); });
  e.Try([&] { SetBarValue(hscPriceMid, PriceMid(MarketItem)(d.Year, d.Month, d.Day)); });
  e.Try([&] { SetBarValue(hscPriceLow, PriceLow(MarketItem)(d.Year, d.Month, d.Day)); });
  e.Rethrow();
}

bool frmMarketPrice::Redraw(const YearMonthDay& d) {
  // A redraw for anything but pointing puts the markers back on the day: the
  // next pointer move reads out afresh.
  PriceHoverDay = PriceHoverMonth = PriceHoverYear = 0;
  Chart.Draw(*pctGraph, *pctNumber, MarketItem, d.Year, d.Month, d.Day);
  return Chart.PriceScale != 0;
}

void frmMarketPrice::RefreshForCurrentDate() {
  CatchErrors([&] {
    FirstError e;
    e.Try([&] { LoadPriceBars(CurrentDate()); });
    e.Try([&] { Redraw(CurrentDate()); });
    WriteCalenderText(*this);
    MarkShown();
    e.Rethrow();
  });
}

void frmMarketPrice::RefillProduceList() {
  CatchErrors([&] { ShowListFromStore(0); });
}

void frmMarketPrice::ReloadFromStore() {
  CatchErrors([&] { ShowListFromStore(MarketItem); });
}

// --- Handlers ------------------------------------------------------------------

void frmMarketPrice::cmbProduce_Click() {
  if (Busy != 0) return;
  CatchErrors([&] {
    const int i = cmbProduce->currentIndex();
    if (i < 0) return;
    MarketItem = static_cast<int16_t>(i);
    ShowProduce();
  });
}

QString frmMarketPrice::ShownProduceName() const {
  // Without a produce the box stays empty, showing the greyed placeholder.
  return placeholder_ ? QString() : cmbProduce->itemText(MarketItem);
}

void frmMarketPrice::cmbProduce_LostFocus() {
  CatchErrors([&] {
    const QString shown = ShownProduceName();
    const QString typed = cmbProduce->currentText();
    if (typed == shown) return;
    // A name typed but not confirmed: the box must not go on showing one
    // produce while the bars edit another. A name of the list is taken as a
    // click on it would; anything else gives way to the produce edited.
    const QString name = typed.trimmed();
    if (Busy == 0 && !placeholder_) {
      for (int i = 0; i < cmbProduce->count(); ++i) {
        if (i != MarketItem && cmbProduce->itemText(i) == name) {
          SetListIndex(cmbProduce, i);
          return;
        }
      }
    }
    cmbProduce->setEditText(shown);
  });
}

void frmMarketPrice::cmbProduce_KeyPress(int keyAscii) {
  if (keyAscii != keys::kEnter) return;
  CatchErrors([&] { AddProduce(); });
}

void frmMarketPrice::AddProduce() {
  QString text = StorableText(cmbProduce->currentText());
  text.replace(QChar('\n'), QChar(' '));
  // Blanks around a name are no part of it (U+3000 included).
  text = text.trimmed();
  // Nothing for an empty text or a name the list already has (the
  // placeholder included); the box shows the produce edited again.
  const std::string name = text.toStdString();
  bool known = text.isEmpty();
  for (int i = 0; i < cmbProduce->count() && !known; ++i) known = cmbProduce->itemText(i) == text;
  for (int i = 0; i <= PriceItem.UBound() && !known; ++i) known = PriceItem(i).Name == name;
  if (known) {
    cmbProduce->setEditText(ShownProduceName());
    return;
  }

  if (placeholder_) {
    // The first produce: the unnamed entry 0 (with whatever prices it got
    // meanwhile) takes the name.
    StorePriceItem(0, PriceItemRec{name, DefaultLimit(0), 0});
    FillList(cmbProduce, {text});
    placeholder_ = false;
    SetListIndex(cmbProduce, 0);
    return;
  }
  const int next = PriceItem.UBound() + 1;
  if (next >= kListLimit) {
    MsgBox(QStringLiteral("作物は%1件までしか登録できません。").arg(kListLimit), MsgButtons::Ok,
           MsgIcon::Exclamation);
    return;
  }
  AddPriceItem(PriceItemRec{name, kDefaultLimit, 0});
  Quietly(cmbProduce, [&] { cmbProduce->addItem(text); });
  SetListIndex(cmbProduce, next);
}

void frmMarketPrice::cmdEdit_Click() {
  CatchErrors([&] { OpenNameListEditor(NameList::Produce, this); });
}

void frmMarketPrice::StorePrice(QScrollBar* bar, QLineEdit* box, VarArray<DayTable<int32_t>>& table) {
  const int value = bar->value();
  box->setText(QString::number(value));
  if (Busy != 0) return;
  const YearMonthDay d = EditDate();
  ::StorePrice(table, MarketItem, d.Year, d.Month, d.Day, value);
  // The floor of the limit is the highest price recorded now: it falls again
  // when that price is lowered.
  FindPeakPrice(MarketItem);
  Redraw(d);
}

void frmMarketPrice::hscPriceHigh_Change() {
  CatchErrors([&] { StorePrice(hscPriceHigh, txtPriceHigh, PriceHigh); });
}
void frmMarketPrice::hscPriceMid_Change() {
  CatchErrors([&] { StorePrice(hscPriceMid, txtPriceMid, PriceMid); });
}
void frmMarketPrice::hscPriceLow_Change() {
  CatchErrors([&] { StorePrice(hscPriceLow, txtPriceLow, PriceLow); });
}

void frmMarketPrice::vscLimitMax_Change() {
  CatchErrors([&] {
    const int v = vscLimitMax->value();
    if (PeakPrice > v) {
      // Never below a recorded price: back to the last accepted limit,
      // which is only shown again, not stored again.
      ScopedFlag busy(Busy);
      SetBarValue(vscLimitMax, PriceLastLimit);
      return;
    }
    PriceLastLimit = v;
    txtLimitMax->setText(QString::number(v));
    if (Busy != 0) return;
    {
      // The bars' values lie at or below the peak, so nothing is clamped;
      // should one be, the clamped value is not stored.
      ScopedFlag busy(Busy);
      for (QScrollBar* bar : {hscPriceHigh, hscPriceMid, hscPriceLow}) SetBarMaximum(bar, v);
    }
    StorePriceItem(MarketItem, {PriceItem(MarketItem).Name, v, PriceItem(MarketItem).Min});
    if (!Redraw(EditDate())) throw rt::RuntimeError(rt::kErrDivisionByZero);
  });
}

void frmMarketPrice::SwitchView(int16_t view) {
  MarketView = view;
  Chart.SetView(view);
  Redraw(EditDate());
}

void frmMarketPrice::optIndicateMonth_Click() {
  CatchErrors([&] { SwitchView(0); });
}
void frmMarketPrice::optIndicateYear_Click() {
  CatchErrors([&] { SwitchView(1); });
}

void frmMarketPrice::pctGraph_MouseMove(int, int, float x, float) {
  OnPointerMove([&] {
    const YearMonthDay at = Chart.MarketDateAt(x);
    if (at.Day == PriceHoverDay && at.Month == PriceHoverMonth && at.Year == PriceHoverYear) return;
    Chart.Draw(*pctGraph, *pctNumber, MarketItem, at.Year, at.Month, at.Day);
    PriceHoverDay = at.Day;
    PriceHoverMonth = at.Month;
    PriceHoverYear = at.Year;
    txtDay->setText(DateText(at));
    txtPriceHighD->setText(QString::number(PriceHigh(MarketItem)(at.Year, at.Month, at.Day)));
    txtPriceMidD->setText(QString::number(PriceMid(MarketItem)(at.Year, at.Month, at.Day)));
    txtPriceLowD->setText(QString::number(PriceLow(MarketItem)(at.Year, at.Month, at.Day)));
    PriceHoverX = x;
  });
}

void frmMarketPrice::pctGraph_DblClick() {
  CatchErrors([&] {
    const YearMonthDay at = Chart.MarketDateAt(PriceHoverX);
    CurMonth = at.Month;
    CurDay = at.Day;
    RefreshForCurrentDate();
  });
}

void frmMarketPrice::vscCalender_Change() {
  // The spinner goes back to rest at 1 by itself: the day is the same and its
  // fields were just loaded (a value they cannot take was just reported).
  if (vscCalender->value() == 1) return;
  CalenderHost::vscCalender_Change();
}

void frmMarketPrice::cmdSave_Click() { RunSave(RecordKind::Price, SavePrice); }

void frmMarketPrice::cmdClose_Click() {
  CatchErrors([&] { hide(); });
}

// --- The one window ------------------------------------------------------------

frmMarketPrice* LoadedMarketPrice() { return Slot().Loaded(); }

void ShowMarketPrice() {
  Slot().Show();
}

void UnloadMarketPrice() { Slot().Unload(); }

void ReloadMarketPrice() {
  if (frmMarketPrice* w = LoadedMarketPrice()) w->ReloadFromStore();
}

void RefillMarketProduce() {
  if (frmMarketPrice* w = LoadedMarketPrice()) w->RefillProduceList();
}
