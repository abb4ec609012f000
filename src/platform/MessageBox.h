#pragma once
// Every message box of the program goes through MsgBox, so that tests can
// answer them (SetMsgBoxHandler) and no test ever blocks on a modal dialog.
#include <QString>
#include <functional>

class QWidget;

enum class MsgButtons { Ok, YesNo, YesNoCancel };
enum class MsgIcon { None, Exclamation };
enum class MsgResult { Ok, Yes, No, Cancel };

struct MsgBoxCall {
  QString text;  // as the program builds it (lines may be separated by CR alone)
  QString title;
  MsgButtons buttons = MsgButtons::Ok;
  MsgIcon icon = MsgIcon::None;
};

// Shows a modal message box and returns the button pressed. Closing the box
// without a button counts as Cancel where there is one, No for Yes/No, OK
// otherwise.
MsgResult MsgBox(const QString& text, MsgButtons buttons = MsgButtons::Ok, MsgIcon icon = MsgIcon::None,
                 const QString& title = QStringLiteral("Vorn"));

// Replaces the real dialog (tests). An empty handler restores it.
using MsgBoxHandler = std::function<MsgResult(const MsgBoxCall&)>;
void SetMsgBoxHandler(MsgBoxHandler handler);
