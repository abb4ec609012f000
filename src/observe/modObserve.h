#pragma once
// modObserve: the year strip of the observation window and what the window
// and the picture chooser share about pictures and comments.
//
// The strip shows one year of the shown crop as a row of days: month names
// and month boundaries, and a 2-pixel bar on every day that holds a comment
// or a picture, the day under the pointer in blue. Day d of the year lies at
// x = d * ObserveDayWidth / TwipsPerPixelX pixels; ObserveDayWidth is the
// strip's width / 366 in whole twips, so a common year leaves one day's width
// free at the right.
#include <QImage>
#include <QSize>
#include <QString>
#include <cstdint>
#include <string>

#include "store/Store.h"

class PictureBox;

// --- Observation state -----------------------------------------------------

extern int16_t ObserveIndex;       // the crop shown: an index into ObserveItem
extern uint8_t ObserveHoverDay;    // the day under the pointer (0: none yet)
extern uint8_t ObserveHoverMonth;

// The crop index inside the list: an index the list no longer holds (it shrank
// in a reload or in the name list editor) becomes 0.
int16_t CropInList(int index);

// Whether day (year, month, day) of crop item holds a comment or a picture.
bool ObserveDayMarked(int item, int year, int month, int day);

// --- The strip ---------------------------------------------------------------

class ObserveChart {
 public:
  int32_t ObserveGraphWidth = 0;  // inner size of the strip in twips, rounded
  int32_t ObserveGraphHeight = 0;
  int32_t ObserveDayWidth = 1;    // one day's width in twips

  // Takes the strip's geometry from its inner size in twips. A strip too
  // narrow for 366 days still gets a day width of one twip, so that
  // hit-testing never divides by zero.
  void SetGeometry(float innerWidthTwips, float innerHeightTwips);

  // The date under x (twips from the strip's left edge) in year: the nearest
  // day boundary, the far left reading 1 January and anything past the
  // year's end 31 December.
  MonthDay ObserveDayAt(int year, float x) const;

  // Clears the strip, prints the month names, draws the month lines and a
  // bar for every marked day of crop `item`, the hovered day in blue. An
  // index outside the tables throws.
  void Draw(PictureBox& chart, int year, int item, int hoverMonth, int hoverDay) const;
};

// --- Comments ----------------------------------------------------------------

// A text box's text as the store keeps a comment (only what the file can
// hold, line breaks as CR LF whatever the widget used), and back.
std::string CommentToStore(const QString& text);
QString CommentFromStore(const std::string& comment);

// --- Pictures ----------------------------------------------------------------

// The chooser's file pattern: patterns separated by ";".
inline const QString kPicturePattern = QStringLiteral("*.bmp;*.jpg;*.jpeg");
// Whether a file name matches one of the patterns, regardless of case.
bool MatchesPattern(const QString& fileName, const QString& patterns);

// Whether the observation file keeps a picture path exactly: a comma would
// end the path field (the file writes it as a full-width comma), a line break
// would end the line, and a character the file's code page cannot hold would
// come back as another.
bool StorablePicturePath(const QString& path);

// The scale at which a picture shows whole in a box: fitted both ways, never
// enlarged (at most 1).
double FitScale(QSize picture, QSize box);
// Clears box (and any note in it) and paints picture into its top left
// corner at FitScale.
void ShowFitted(PictureBox* box, const QImage& picture);

// Reads only as much of a picture file as a box of `box` pixels shows, so
// that a camera's picture of many megapixels decodes quickly:
//   kFitted   the whole picture, reduced to FitScale (the preview boxes);
//   kTopLeft  the picture at its natural size, cut to the box (the large
//             display, which shows it from its top left corner).
enum class PictureView { kFitted, kTopLeft };

// A picture file read for a box, or, when it cannot be shown, the note that
// says why: missing, empty, or not a readable picture. Files copied from
// another machine, cut short or damaged are the farmer's everyday lot, not a
// fault of the program, so none of this raises an error. A file cut short
// gives what could be decoded of it.
struct PictureOrNote {
  QImage image;
  QString note;  // "" when image holds the picture
};
PictureOrNote ReadPictureOrNote(const QString& path, QSize box, PictureView view);

// Clears box and writes note into it, wrapped to the box (the full text also
// comes up when the pointer rests on the box); "" leaves the box empty.
void ShowPictureNote(PictureBox* box, const QString& note);
// The note the box shows ("" when none).
QString PictureNoteShown(const PictureBox* box);
