#pragma once
// vorn-data export: the records of a data folder as CSV files, one per kind
// of record, for a spreadsheet.
#include <string>
#include <vector>

// The part of `vorn-data --help` that describes export and its columns.
extern const char* const kExportHelp;

// Runs "export [--replace] DIR OUT" (args without the word "export").
// `load` loads DIR into the store as the program does at start-up, reports
// what failed on standard error and says whether every file read cleanly.
// Returns the exit status: 0, 1 (a file failed to read or write, OUT
// refused), 2 (wrong arguments).
int Export(const std::vector<std::string>& args, bool (*load)(const std::string& dir));
