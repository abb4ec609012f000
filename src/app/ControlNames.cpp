#include "app/ControlNames.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QWidget>

#include "platform/StorableTextBox.h"
#include "materials/MaskedDateBox.h"
#include "platform/FlexGrid.h"
#include "diary/frmDiary.h"
#include "diary/frmDiaryEdit.h"
#include "market/frmMarketPrice.h"
#include "materials/frmMaterial.h"
#include "materials/frmMaterialDay.h"
#include "materials/frmMaterialInput.h"
#include "namelist/frmEdit.h"
#include "observe/frmFileSelect.h"
#include "observe/frmObserve.h"
#include "schedule/frmSchedule.h"
#include "shell/frmSave.h"
#include "weather/frmMain.h"

namespace {

void Name(QObject* control, const char* name) {
  if (control && control->objectName().isEmpty()) control->setObjectName(QLatin1String(name));
}
#define NAME(m) Name(f->m, #m)

}  // namespace

void NameControls() {
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (auto* f = dynamic_cast<frmMain*>(top)) {
      NAME(pctGraph), NAME(cmbTenki1), NAME(cmbTenki2), NAME(cmbTenki3), NAME(txtKionHigh), NAME(hscKionHigh);
      NAME(txtKionLow), NAME(hscKionLow), NAME(txtRain), NAME(hscRain), NAME(txtDay), NAME(txtKionHighD);
      NAME(cmdSave), NAME(cmdEnd);
    } else if (auto* f = dynamic_cast<frmDiaryEdit*>(top)) {
      NAME(cmdSave), NAME(cmdEnd), NAME(txtDiary);
    } else if (auto* f = dynamic_cast<frmDiary*>(top)) {
      NAME(cmbYear), NAME(cmbMonth), NAME(cmbDay), NAME(cmdClose), NAME(txtDiary1), NAME(txtDiary2);
      NAME(txtDiary3), NAME(txtDiary4);
    } else if (auto* f = dynamic_cast<frmMarketPrice*>(top)) {
      NAME(pctGraph), NAME(cmbProduce), NAME(cmdEdit), NAME(optIndicateMonth), NAME(optIndicateYear);
      NAME(txtLimitMax), NAME(vscLimitMax), NAME(txtPriceHigh), NAME(hscPriceHigh), NAME(txtPriceMid);
      NAME(hscPriceMid), NAME(txtPriceLow), NAME(hscPriceLow), NAME(txtDay), NAME(txtPriceHighD);
      NAME(cmdSave), NAME(cmdClose);
    } else if (auto* f = dynamic_cast<frmMaterial*>(top)) {
      NAME(cmdMaterialInput), NAME(cmdMaterialBuy), NAME(cmdMaterialUse), NAME(cmdSave), NAME(cmdClose);
      NAME(mfgMaterial), NAME(txtForEdit);
    } else if (auto* f = dynamic_cast<frmMaterialDay*>(top)) {
      NAME(cmbName), NAME(txtDay), NAME(txtVolume), NAME(cmdOK), NAME(cmdCancel);
    } else if (auto* f = dynamic_cast<frmMaterialInput*>(top)) {
      NAME(txtName), NAME(txtPrice), NAME(txtVolume), NAME(txtUnit), NAME(txtBuyDay), NAME(txtNumber);
      NAME(cmdOK), NAME(cmdCancel);
    } else if (auto* f = dynamic_cast<frmSchedule*>(top)) {
      NAME(pctGraph), NAME(cmbYear), NAME(cmbWork), NAME(cmdWork), NAME(txtScheduleNumber);
      NAME(vscScheduleNumber), NAME(cmbPlace), NAME(cmdPlace), NAME(txtCalenderFrom), NAME(txtCalenderTo);
      NAME(cmdScheduleDelete), NAME(txtPlaceD), NAME(txtWorkD), NAME(cmdSave), NAME(cmdClose);
    } else if (auto* f = dynamic_cast<frmObserve*>(top)) {
      NAME(pctGraph), NAME(txtDate), NAME(txtFilePath), NAME(txtCommentD), NAME(cmbProduce), NAME(cmdEdit);
      NAME(txtFileName), NAME(cmdFileName), NAME(cmdFileDelete), NAME(txtComment), NAME(cmdSave);
      NAME(cmdClose);
    } else if (auto* f = dynamic_cast<frmFileSelect*>(top)) {
      NAME(txtFileName), NAME(drvMain), NAME(dirMain), NAME(filMain), NAME(cmdOK), NAME(cmdCancel);
    } else if (auto* f = dynamic_cast<frmEdit*>(top)) {
      NAME(lstName), NAME(txtAdd), NAME(cmdOK), NAME(cmdCancel), NAME(cmdAdd), NAME(cmdDelete), NAME(cmdEdit);
      NAME(cmdUP), NAME(cmdDOWN);
    } else if (auto* f = dynamic_cast<frmSave*>(top)) {
      NAME(drvMain), NAME(dirMain), NAME(cmdSave), NAME(cmdCancel);
    }
  }
}
