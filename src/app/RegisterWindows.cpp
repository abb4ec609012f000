#include "app/RegisterWindows.h"

#include "diary/DiaryWindows.h"
#include "market/frmMarketPrice.h"
#include "materials/frmMaterial.h"
#include "namelist/frmEdit.h"
#include "observe/frmObserve.h"
#include "platform/NameListLink.h"
#include "schedule/frmSchedule.h"
#include "shell/RecordWindows.h"
#include "weather/frmMain.h"

void RegisterWindows() {
  // Each record window adds its registration here.
  RegisterRecordWindow(RecordWindow::Weather, {ShowWeatherWindow, UnloadWeatherWindow, ReloadWeatherWindow});
  RegisterRecordWindow(RecordWindow::DiaryEdit, {ShowDiaryEdit, UnloadDiaryEdit, ReloadDiaryEdit});
  RegisterRecordWindow(RecordWindow::Diary, {ShowDiary, UnloadDiary, ReloadDiary});
  RegisterRecordWindow(RecordWindow::MarketPrice, {ShowMarketPrice, UnloadMarketPrice, ReloadMarketPrice});
  SetNameListOwner(QStringLiteral("Produce"), RefillMarketProduce);
  RegisterRecordWindow(RecordWindow::Schedule, {ShowSchedule, UnloadSchedule, ReloadSchedule});
  SetNameListOwner(QStringLiteral("Work"), RefillScheduleWorks);
  SetNameListOwner(QStringLiteral("Place"), RefillSchedulePlaces);
  RegisterRecordWindow(RecordWindow::Observe, {ShowObserve, UnloadObserve, ReloadObserve});
  SetNameListOwner(QStringLiteral("Observe"), RefillObserveCrops);
  RegisterRecordWindow(RecordWindow::Material, {ShowMaterialWindow, UnloadMaterialWindow, ReloadMaterialWindow});
  SetNameListEditor(ShowNameListEditor);
}
