#pragma once
// The four name lists of the store (produce of the market prices, farm
// places, works of the schedule, observed crops) and their rebuild in a new
// order. Every record of a list belongs to its entry by index, so renaming,
// reordering, adding and deleting names moves or drops whole entries: each
// name keeps its records, a deleted name loses them, a new one starts empty.
#include <functional>
#include <string>
#include <vector>

enum class NameList { Produce, Place, Work, Observe };

// The names of a list in index order (entry 0 first).
std::vector<std::string> ListNames(NameList list);

// The most entries a list may be given so that its file still reads back
// and every entry can be referred to: kListLimit, 256 places (a schedule
// period holds its place in one byte) and 201 works (the schedule chart
// can point at no more).
int NameListLimit(NameList list);

// How many used periods (Start not 0) of every work and year are at a place.
int PlaceUseCount(int place);

struct NameListRow {
  std::string Text;
  // Index of the store entry the row stands for, as the list was when the
  // rows were taken; negative for a row added since.
  int Origin = -1;
};

// Rebuilds the store arrays of a list from rows, top row first: entry i
// becomes the entry of row i's origin (its per-day tables of every year and
// its schedule periods of every year with it) under row i's text; a new row
// becomes an empty entry (a new produce with Max 1000, Min 0); entries no
// row stands for are dropped. The new arrays are built aside and swapped in
// at the end: a failure (no rows, an origin beyond the list: error 9; no
// memory) leaves the store as it was.
//
// The schedule periods follow their places: a period at a place that moved
// takes the place's new number, so reordering or renaming places never
// moves work to another field. A place still used by a period cannot be
// dropped (error 5, nothing changed); an unused entry at a dropped place
// goes to place 0. Place numbers past the list (from an edited file) are
// kept as they are. The rebuilt records are marked changed (places with the
// schedule), so that the exit question covers them whichever window saves first.
// Rows that give every entry back in its place under its own name change
// nothing: the store and its flag stay as they are, and the result is false.
bool RebuildNameList(NameList list, const std::vector<NameListRow>& rows);

// The window that shows a list refills its selector once it was rebuilt: one
// listener per list (an empty one removes it), told by NotifyListRebuilt.
void OnListRebuilt(NameList list, std::function<void()> listener);
void NotifyListRebuilt(NameList list);
