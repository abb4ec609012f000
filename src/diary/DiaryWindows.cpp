#include "diary/DiaryWindows.h"

#include <QPointer>

#include "diary/frmDiary.h"
#include "diary/frmDiaryEdit.h"
#include "shell/ErrorReporter.h"
#include "shell/RecordWindows.h"

namespace {
QPointer<frmDiaryEdit> gEdit;
QPointer<frmDiary> gView;

void Present(QWidget* w) {
  w->show();
  w->raise();
  w->activateWindow();
}
}  // namespace

frmDiaryEdit* LoadedDiaryEdit() { return gEdit.data(); }
frmDiary* LoadedDiary() { return gView.data(); }

void ShowDiaryEdit() {
  CatchErrors([] {
    if (!gEdit) gEdit = new frmDiaryEdit;
    Present(gEdit);
  });
}

void ShowDiary() {
  CatchErrors([] {
    if (!gView) gView = new frmDiary;
    Present(gView);
  });
}

void UnloadDiaryEdit() {
  frmDiaryEdit* e = gEdit.data();
  gEdit = nullptr;  // the next showing loads a new window
  if (e) e->Unload();
}
void UnloadDiary() { delete gView.data(); }

void RegisterDiaryWindows() {
  RegisterRecordWindow(RecordWindow::DiaryEdit, {ShowDiaryEdit, UnloadDiaryEdit});
  RegisterRecordWindow(RecordWindow::Diary, {ShowDiary, UnloadDiary});
}
