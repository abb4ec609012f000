#include "app/RegisterWindows.h"

#include "diary/DiaryWindows.h"
#include "materials/frmMaterial.h"
#include "shell/RecordWindows.h"
#include "weather/frmMain.h"

void RegisterWindows() {
  // Each record window adds its registration here.
  RegisterRecordWindow(RecordWindow::Weather, {ShowWeatherWindow, UnloadWeatherWindow});
  RegisterRecordWindow(RecordWindow::DiaryEdit, {ShowDiaryEdit, UnloadDiaryEdit});
  RegisterRecordWindow(RecordWindow::Diary, {ShowDiary, UnloadDiary});
  RegisterRecordWindow(RecordWindow::Material, {ShowMaterialWindow, UnloadMaterialWindow, ReloadMaterialWindow});
}
