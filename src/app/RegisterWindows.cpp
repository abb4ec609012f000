#include "app/RegisterWindows.h"

#include "diary/DiaryWindows.h"
#include "market/frmMarketPrice.h"
#include "materials/frmMaterial.h"
#include "namelist/frmEdit.h"
#include "observe/frmObserve.h"
#include "platform/NameListLink.h"
#include "schedule/frmSchedule.h"
#include "shell/RecordWindows.h"
#include "store/NameLists.h"
#include "store/Store.h"
#include "weather/frmMain.h"

void RegisterWindows() {
  // Each record window adds its registration here; a loaded window listens
  // to the store for reloads and rebuilt name lists.
  RegisterRecordWindow(RecordWindow::Weather, {ShowWeatherWindow, UnloadWeatherWindow});
  RegisterRecordWindow(RecordWindow::DiaryEdit, {ShowDiaryEdit, UnloadDiaryEdit});
  RegisterRecordWindow(RecordWindow::Diary, {ShowDiary, UnloadDiary});
  RegisterRecordWindow(RecordWindow::MarketPrice, {ShowMarketPrice, UnloadMarketPrice});
  OnListRebuilt(NameList::Produce, RefillMarketProduce);
  RegisterRecordWindow(RecordWindow::Schedule, {ShowSchedule, UnloadSchedule});
  OnListRebuilt(NameList::Work, RefillScheduleWorks);
  OnListRebuilt(NameList::Place, RefillSchedulePlaces);
  RegisterRecordWindow(RecordWindow::Observe, {ShowObserve, UnloadObserve});
  OnListRebuilt(NameList::Observe, RefillObserveCrops);
  RegisterRecordWindow(RecordWindow::Material, {ShowMaterialWindow, UnloadMaterialWindow});
  for (auto* reload : {ReloadWeatherWindow, ReloadDiaryEdit, ReloadDiary, ReloadMarketPrice, ReloadMaterialWindow,
                       ReloadSchedule, ReloadObserve})
    OnReloaded(reload);
  SetNameListEditor(ShowNameListEditor);
}
