#include "app/RegisterWindows.h"

#include "diary/DiaryWindows.h"
#include "shell/RecordWindows.h"
#include "weather/frmMain.h"

void RegisterWindows() {
  // Each record window adds its registration here.
  RegisterDiaryWindows();
  RegisterRecordWindow(RecordWindow::Weather, {ShowWeatherWindow, UnloadWeatherWindow});
}
