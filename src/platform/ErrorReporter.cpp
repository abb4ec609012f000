#include "platform/ErrorReporter.h"

#include "platform/MessageBox.h"
#include "runtime/Convert.h"
#include "runtime/RuntimeError.h"
#include "store/DataFile.h"

namespace {
constexpr const char* kContact = "support@vorn.example";
}

QString ErrorReportText(int16_t number) {
  const QChar cr('\r');
  return QStringLiteral("Error!! ｴﾗｰｺｰﾄﾞ:") + QString::fromStdString(rt::Str(static_cast<long long>(number))) + cr +
         QStringLiteral("ｴﾗｰ内容:") + QString::fromUtf8(rt::ErrorMessage(number)) + cr +
         QStringLiteral("誠にお手数ですが、ｴﾗｰｺｰﾄﾞを作者に連絡いただけると幸いです。") + cr +
         QStringLiteral("ﾊﾞｸﾞﾌｨｯｸｽの参考になるのでよろしくお願いします。") + cr + QStringLiteral("ﾒｰﾙ：") +
         QString::fromLatin1(kContact);
}

void ReportError(int16_t number) {
  try {
    MsgBox(ErrorReportText(number), MsgButtons::Ok, MsgIcon::None, QStringLiteral("Vorn"));
  } catch (...) {
    // The reporter has nowhere left to report to.
  }
}

void ReportCurrentError() { ReportError(rt::ErrorNumberOf(std::current_exception())); }

void InstallStoreErrorReporter() {
  StoreErrorHook = [](const StoreError& e) { ReportError(e.number); };
}
