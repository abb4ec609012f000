#pragma once
// What the record windows do with Qt's controls the same way everywhere.
#include <QComboBox>
#include <QListWidget>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QString>
#include <QStringList>
#include <functional>
#include <utility>

// Programmatic assignments accept only values the control can take; anything
// else raises run-time error 380 (invalid property value), as a stored value
// beyond a bar's range must be reported rather than clamped without a word.
void SetBarValue(QScrollBar* bar, long value);
// -1 clears the selection; an index past the last item raises 380.
void SetListIndex(QComboBox* box, int index);
void SetListIndex(QListWidget* list, int index);

// Replaces the items of a selector without any change signal: Qt selects
// the first item of an empty combo box on its first addItem and says so,
// which would reach a Click handler that is not meant to run yet. The
// selection is left at -1 (none); where the window's own code selects an
// entry afterwards, do that with SetListIndex or call the handler yourself.
void FillList(QComboBox* box, const QStringList& items);
void FillList(QListWidget* list, const QStringList& items);

// Runs fill with the control's signals blocked.
template <class Fill>
void Quietly(QObject* control, Fill&& fill) {
  QSignalBlocker block(control);
  std::forward<Fill>(fill)();
}

// A box that only shows a value (nothing reads it back: a typed value would
// look stored while it is not). It is no Tab stop: there is nothing to do in it.
class QLineEdit;
QLineEdit* MakeShowBox(QWidget* parent, const QString& text = {});
// A scroll bar with its range, steps and starting value that sets a value:
// a Tab stop worked by the arrow, Page, Home and End keys, which reports a
// dragged value only when the thumb is let go.
QScrollBar* MakeBar(QWidget* parent, Qt::Orientation o, int min, int max, int small, int large, int value);
// Connects a value bar: change runs for every value the bar takes (a key, an
// arrow or page click, a released thumb, the program setting it); moving gets
// the thumb's position while it is dragged, for showing it, not storing it.
// Storing only what the thumb is let go at keeps values merely passed through
// out of the records.
void ConnectBar(QScrollBar* bar, QObject* context, std::function<void()> change,
                std::function<void(int)> moving);

// What of a typed or pasted text the data files can hold: every character
// as the file will read back (a character the code page writes differently
// comes out as it will read back, e.g. U+301C as U+FF5E), characters the
// code page cannot hold dropped. Line breaks of any kind become "\n".
QString StorableText(const QString& typed);

class QLineEdit;
// Keeps a line edit (or a combo box's editor) to storable text: whatever is
// typed or pasted that the data files cannot hold is taken out again at once,
// with the caret kept in place.
void KeepStorable(QLineEdit* box);
