#pragma once
// The market price window: the high, middle and low market price of one
// produce on one day, set with three scroll bars, and the produce's prices of
// the whole month or year as a graph that reads out the day under the
// pointer. A vertical bar sets the produce's upper price limit, which is also
// the top of the graph. A new produce is typed into the chooser and added
// with Enter; the name list editor edits the list as a whole.
//
// Every change goes straight into the record store and marks the prices as
// changed; the save button writes the price file. Closing only hides the
// window, so it keeps its state.
#include <QString>
#include <QWidget>
#include <cstdint>

#include "calendar/modCalender.h"
#include "platform/RecordForm.h"
#include "market/modMarket.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class PictureBox;

// The list entry shown while no produce has a name yet.
inline const QString kProducePlaceholder = QStringLiteral("入力して追加");

class frmMarketPrice : public RecordForm, public CalenderHost {
 public:
  frmMarketPrice();
  ~frmMarketPrice() override;

  PictureBox* pctGraph = nullptr;
  PictureBox* pctNumber = nullptr;  // price labels left of the graph
  PictureBox* pctDay = nullptr;     // strip under the graph
  MarketChart Chart;                // the graph's geometry

  // Settings area. txtCalender, vscCalender, cmdCalender and the drop-down
  // pctCalender come with the calendar host.
  QGroupBox* Frame1 = nullptr;
  QLabel* lblProduce = nullptr;
  QComboBox* cmbProduce = nullptr;
  QPushButton* cmdEdit = nullptr;
  QLabel* Label2 = nullptr;
  QRadioButton* optIndicateMonth = nullptr;
  QRadioButton* optIndicateYear = nullptr;
  QLabel* Label1 = nullptr;
  QLineEdit* txtLimitMax = nullptr;
  QScrollBar* vscLimitMax = nullptr;
  QLabel* lblPriceHigh = nullptr;
  QLineEdit* txtPriceHigh = nullptr;
  QScrollBar* hscPriceHigh = nullptr;
  QLabel* lblPriceMid = nullptr;
  QLineEdit* txtPriceMid = nullptr;
  QScrollBar* hscPriceMid = nullptr;
  QLabel* lblPriceLow = nullptr;
  QLineEdit* txtPriceLow = nullptr;
  QScrollBar* hscPriceLow = nullptr;

  // Read-out of the pointed-at day.
  QGroupBox* Frame2 = nullptr;
  QLineEdit* txtDay = nullptr;
  QLabel* lblKionHighD = nullptr;
  QLineEdit* txtPriceHighD = nullptr;
  QLabel* lblCHigh = nullptr;
  QLabel* lblKionLowD = nullptr;
  QLineEdit* txtPriceMidD = nullptr;
  QLabel* lblCLow = nullptr;
  QLabel* lblRainD = nullptr;
  QLineEdit* txtPriceLowD = nullptr;
  QLabel* lblRainMM = nullptr;

  QPushButton* cmdSave = nullptr;
  QPushButton* cmdClose = nullptr;

  // The date last read out by pointing (0 until then). The whole date
  // counts: in the year view the 5th of another month is another day.
  int16_t PriceHoverDay = 0;
  int16_t PriceHoverMonth = 0;
  int16_t PriceHoverYear = 0;
  int32_t PriceLastLimit = 0;  // the last upper limit the bar accepted

  // Event handlers, named after control and event; each catches its errors.
  void cmbProduce_Click();
  void cmbProduce_KeyPress(int keyAscii);
  // Leaving the produce box without Enter.
  void cmbProduce_LostFocus();
  void cmdEdit_Click();
  void hscPriceHigh_Change();
  void hscPriceMid_Change();
  void hscPriceLow_Change();
  void vscLimitMax_Change();
  void optIndicateMonth_Click();
  void optIndicateYear_Click();
  void pctGraph_MouseMove(int button, int shift, float x, float y);
  void pctGraph_DblClick();
  void cmdSave_Click();
  void cmdClose_Click();
  // The calendar: opening (with the shared open toggle), closing and the
  // spinner are the calendar host's; after each the window reloads the day.
  void RefreshForCurrentDate() override;
  void vscCalender_Change() override;

  // After the name list editor rebuilt the produce list: the chooser is
  // filled again and its first entry shown as if the user had chosen it.
  void RefillProduceList();
  // After the data files were read again: the chooser is filled again and
  // the same produce shown when it still exists, else the first.
  void ReloadFromStore();

  // Whether the chooser shows the placeholder instead of produce names.
  bool ShowsPlaceholder() const { return placeholder_; }

 protected:
  void PlaceControls() override;
  void Form_Load() override;
  void resizeEvent(QResizeEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void BuildControls();
  void FillProduceList();
  void ShowListFromStore(int item);
  void ShowProduce();
  QString ShownProduceName() const;
  void LoadPriceBars(const YearMonthDay& d);
  void StorePrice(QScrollBar* bar, QLineEdit* box, VarArray<DayTable<int32_t>>& table);
  void AddProduce();
  void SwitchView(int16_t view);
  // Redraws the graph of the shown produce for a day; false when the
  // produce has no price range (only the grid is drawn).
  bool Redraw(const YearMonthDay& d);

  bool placeholder_ = false;
};

// --- Routines of the window ------------------------------------------------------

// Sizes the window to the screen's work area and places the controls; pctGraph
// is placed from the window's inner size.
void LayoutMarketWindow(frmMarketPrice& f);
// Places pctGraph for an inner size of the window and sets the graph geometry.
void PlaceMarketGraph(frmMarketPrice& f, QSize inner);

// The one market price window of the program (created on first showing).
frmMarketPrice* LoadedMarketPrice();
void ShowMarketPrice();
void UnloadMarketPrice();
// Hooks for the rest of the program; nothing happens when the window is not loaded.
void ReloadMarketPrice();
void RefillMarketProduce();
