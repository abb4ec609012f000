#pragma once
// "kousui.dat" (rainfall), "ondo.dat" (low and high temperature) and
// "tenki.dat" (weather code): one line per month, one value per day.
// Each routine reports its own errors and returns whether it succeeded.

bool LoadKousui();
bool SaveKousui();
bool LoadOndo();
bool SaveOndo();
bool LoadTenki();
bool SaveTenki();
