#pragma once
// Gives the controls of every shown window their own names as object names
// (cmdSave, txtKionHigh, ...), so that the test probe (platform/TestProbe.h)
// can find them from outside. Cheap and idempotent.
void NameControls();
