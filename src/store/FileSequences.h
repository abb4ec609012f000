#pragma once
// The order in which load-all and save-all read and write the eight files,
// with the progress totals and captions they show. Each file reports its own
// errors and the next is still processed; the result says whether all
// succeeded.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

constexpr int32_t kLoadAllTotal = 56575;
constexpr int32_t kSaveAllTotal = 46720;
inline constexpr const char* kLoadAllCaption = "データを読み込み中．．．";
inline constexpr const char* kSaveAllCaption = "データを保存中．．．";

// The eight data files in the order load-all reads them (save-all writes
// them in the same order).
inline constexpr std::array<const char*, 8> kDataFiles = {"ondo.dat",   "Schedule.dat", "tenki.dat", "material.dat",
                                                          "kousui.dat", "observe.dat",  "nikki.dat", "price.dat"};

// Sets ProgressTotal, ProgressCount (0) and ProgressCaption, then reads
// ondo, Schedule, tenki, material, kousui, observe, nikki, price.
bool LoadAllFiles();
// Starts reading the large files of load-all on worker threads, so that the
// caller can build and show its windows meanwhile; the next LoadAllFiles of
// the same folder finishes the load, and reports any errors only then, in
// the order of loading. The weather and diary files, which count progress,
// are still read by LoadAllFiles itself.
void BeginLoadAll();
// Waits for the workers of a load begun and never finished, and drops their
// errors (a start that ends before its load).
void EndLoadAhead();
// The same for a restore: only the files DataPath holds are read. The tables
// of a file it lacks stay as they are instead of being reset as at a first
// start, so that a folder holding some of the files never wipes the others.
bool LoadPresentFiles();
// The names of kDataFiles that DataPath lacks (names matched as the readers
// match them, whatever their case).
std::vector<std::string> MissingDataFiles();
// Sets the progress state, then writes the files in the same order. Does
// not touch the change flags; the caller clears them when this succeeded.
bool SaveAllFiles();
