#include "platform/ErrorReporter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <new>

#include <QStringList>

#include "runtime/RuntimeError.h"
#include "store/DataFile.h"
#include "support/GuiTest.h"

TEST(ErrorReporter, BuildsFiveLinesSeparatedByCrAlone) {
  QStringList lines = ErrorReportText(53).split(QChar('\r'));
  ASSERT_EQ(lines.size(), 5);
  EXPECT_EQ(lines[0], QStringLiteral("Error!! ｴﾗｰｺｰﾄﾞ: 53"));
  EXPECT_EQ(lines[1], QStringLiteral("ｴﾗｰ内容:ﾌｧｲﾙが見つかりません"));
  EXPECT_EQ(lines[2], QStringLiteral("誠にお手数ですが、ｴﾗｰｺｰﾄﾞを作者に連絡いただけると幸いです。"));
  EXPECT_EQ(lines[3], QStringLiteral("ﾊﾞｸﾞﾌｨｯｸｽの参考になるのでよろしくお願いします。"));
  EXPECT_TRUE(lines[4].startsWith(QStringLiteral("ﾒｰﾙ：")));
  EXPECT_FALSE(ErrorReportText(53).contains(QChar('\n')));
}

TEST(ErrorReporter, UnknownNumbersAndTheFullWidthSpace) {
  QStringList four = ErrorReportText(4).split(QChar('\r'));
  EXPECT_EQ(four[0], QStringLiteral("Error!! ｴﾗｰｺｰﾄﾞ: 4"));
  EXPECT_EQ(four[1], QStringLiteral("ｴﾗｰ内容:不明なｴﾗｰです。"));
  EXPECT_EQ(ErrorReportText(400).split(QChar('\r'))[1],
            QStringLiteral("ｴﾗｰ内容:既にﾌｫｰﾑは表示されています\u3000ﾓｰﾀﾞﾙにできません"));
  EXPECT_EQ(ErrorReportText(-1).split(QChar('\r'))[0], QStringLiteral("Error!! ｴﾗｰｺｰﾄﾞ:-1"));
}

TEST(ErrorReporter, ShowsAnOkBoxWithoutIconTitledVorn) {
  MessageBoxes boxes;
  ReportError(13);
  ASSERT_EQ(boxes.calls().size(), 1u);
  EXPECT_EQ(boxes.calls()[0].title, QStringLiteral("Vorn"));
  EXPECT_EQ(boxes.calls()[0].buttons, MsgButtons::Ok);
  EXPECT_EQ(boxes.calls()[0].icon, MsgIcon::None);
  EXPECT_EQ(boxes.calls()[0].text, ErrorReportText(13));
}

TEST(CatchErrors, ReportsTheNumberOfEachKindOfFailureAndReturns) {
  MessageBoxes boxes;
  auto reported = [&](auto body) {
    boxes.clear();
    bool finished = CatchErrors(body);
    EXPECT_FALSE(finished);
    return boxes.calls().size() == 1 ? boxes.calls()[0].text.split(QChar('\r'))[0] : QString();
  };
  EXPECT_EQ(reported([] { throw rt::RuntimeError(9); }), QStringLiteral("Error!! ｴﾗｰｺｰﾄﾞ: 9"));
  EXPECT_EQ(reported([] { throw std::bad_alloc(); }), QStringLiteral("Error!! ｴﾗｰｺｰﾄﾞ: 7"));
  EXPECT_EQ(reported([] { (void)std::filesystem::file_size("/no/such/vorn/file"); }),
            QStringLiteral("Error!! ｴﾗｰｺｰﾄﾞ: 53"));
  EXPECT_EQ(reported([] { throw 42; }), QStringLiteral("Error!! ｴﾗｰｺｰﾄﾞ: 51"));
  boxes.clear();
  EXPECT_TRUE(CatchErrors([] {}));
  EXPECT_TRUE(boxes.calls().empty());
}

TEST(CatchErrors, StoreErrorsReachTheReporter) {
  MessageBoxes boxes;
  InstallStoreErrorReporter();
  StoreErrorHook(StoreError{61, "ondo.dat", 0});
  StoreErrorHook = nullptr;
  ASSERT_EQ(boxes.calls().size(), 1u);
  EXPECT_EQ(boxes.calls()[0].text, ErrorReportText(61));
}
