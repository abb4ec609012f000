#pragma once
// Reader and writer of one data file; each reports its own errors and
// returns whether it succeeded.

bool LoadPrice();
bool SavePrice();
