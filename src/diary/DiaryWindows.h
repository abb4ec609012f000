#pragma once
// The two diary windows as the menu bar opens and unloads them.
class frmDiaryEdit;
class frmDiary;

// The loaded window, or nullptr when it is not loaded.
frmDiaryEdit* LoadedDiaryEdit();
frmDiary* LoadedDiary();

// Loads the window on first showing, then shows it modeless and brings it
// to the front.
void ShowDiaryEdit();
void ShowDiary();

// Destroys the window when it is loaded; the next showing loads it afresh.
void UnloadDiaryEdit();
void UnloadDiary();

// After the data files were read again: the loaded editor shows the entry of
// the current date afresh, the loaded viewer the entries of its chosen day.
void ReloadDiaryEdit();
void ReloadDiary();
