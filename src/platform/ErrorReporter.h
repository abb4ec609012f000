#pragma once
// The error reporter: a message box with the error number, its explanation
// and a request to tell the author. Routines that "catch their errors" run
// their body through CatchErrors, which reports and returns.
#include <QString>
#include <cstdint>
#include <exception>

// The five lines of the report, separated by CR alone.
QString ErrorReportText(int16_t number);

// Shows the report: OK only, no icon, title "Vorn".
void ReportError(int16_t number);

// Reports the exception being handled (call inside a catch block).
void ReportCurrentError();

// Runs body; any failure is reported through ReportError and swallowed, so
// that nothing escapes into the event loop. Returns whether body finished.
template <class Body>
bool CatchErrors(Body&& body) noexcept {
  try {
    body();
    return true;
  } catch (...) {
    ReportCurrentError();
    return false;
  }
}

// Sends the store's reader and writer errors to ReportError.
void InstallStoreErrorReporter();
