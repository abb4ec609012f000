#pragma once
// What the diary editor and the diary viewer share: the loading guard, the
// conversion between a stored entry (line breaks as CR LF) and a text box
// (line breaks as "\n"), and the window sizing both use.
#include <QString>
#include <cstdint>

class QWidget;

// Set (-1) while the program itself fills a diary text box or list, so that
// change handlers do not take the text back into Nikki and the editor's
// resize handling stands still.
extern int16_t DiaryLoading;

// The longest diary entry the editor lets the farmer type, in characters of
// the stored text (a line break is CR LF, two characters).
constexpr int kDiaryMaxLength = 300;

// Nikki(year, month, day) as text box text. Raises 9 for a date outside the
// tables.
QString DiaryEntryText(int year, int month, int day);

// Text box text stored as the entry of the date (line breaks become CR LF).
void StoreDiaryEntry(int year, int month, int day, const QString& text);

// Text box text in the form the store keeps (line breaks as CR LF), and back.
std::string DiaryTextToEntry(const QString& text);
QString DiaryEntryToText(const std::string& entry);

// Moves a window to its own position with the given outer size in pixels
// (frame included where the window system has one).
void MoveWindowOuter(QWidget* w, int widthPx, int heightPx);
