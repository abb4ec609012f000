#pragma once
// Every message box of the program goes through MsgBox, so that tests can
// answer them (SetMsgBoxHandler) and no test ever blocks on a modal dialog.
#include <QString>
#include <functional>

class QMessageBox;
class QWidget;

enum class MsgButtons { Ok, YesNo, YesNoCancel };
enum class MsgIcon { None, Exclamation };
enum class MsgResult { Ok, Yes, No, Cancel };

struct MsgBoxCall {
  QString text;  // as the program builds it (lines may be separated by CR alone)
  QString title;
  MsgButtons buttons = MsgButtons::Ok;
  MsgIcon icon = MsgIcon::None;
  // Enter answers No: for questions whose Yes throws data away.
  bool defaultNo = false;
};

// Shows a modal message box and returns the button pressed. Closing the box
// without a button counts as Cancel where there is one, No for Yes/No, OK
// otherwise.
MsgResult MsgBox(const QString& text, MsgButtons buttons = MsgButtons::Ok, MsgIcon icon = MsgIcon::None,
                 const QString& title = QStringLiteral("Vorn"));

// A Yes/No question whose Yes overwrites or throws away the farmer's data:
// Enter (the default button) answers No, so a hurried key press loses nothing.
MsgResult AskDestructive(const QString& text, MsgIcon icon = MsgIcon::Exclamation,
                         const QString& title = QStringLiteral("Vorn"));

// The dialog MsgBox shows for a call, not yet shown (tests look at it
// without running it): standard buttons in the translations loaded, placed
// in the middle of the screen when shown. The caller owns it.
QMessageBox* NewMessageBox(const MsgBoxCall& call);

// Ends every press still held on a scroll bar, slider or spinner, as if the
// mouse had been released: MsgBox does this before any box, since a modal
// box swallows that release and the control would go on repeating.
void ReleaseHeldControls();

// Replaces the real dialog (tests). An empty handler restores it.
using MsgBoxHandler = std::function<MsgResult(const MsgBoxCall&)>;
void SetMsgBoxHandler(MsgBoxHandler handler);
