#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "app/RegisterWindows.h"
#include "diary/DiaryTextBox.h"
#include "diary/DiaryWindows.h"
#include "diary/frmDiaryEdit.h"
#include "materials/frmMaterial.h"
#include "platform/DriveLists.h"
#include "platform/FlexGrid.h"
#include "runtime/Cp932.h"
#include "shell/ShellFixture.h"
#include "shell/frmSave.h"

namespace {

void Put(const std::string& path, const std::string& utf8) {
  std::ofstream(path, std::ios::binary) << rt::Utf8ToCp932(utf8);
}
std::string Get(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return rt::Cp932ToUtf8(std::string(std::istreambuf_iterator<char>(in), {}));
}

bool GridShows(FlexGrid* g, const QString& text) {
  for (int r = 0; r < g->Rows(); ++r)
    for (int c = 0; c < g->Cols(); ++c)
      if (g->TextMatrix(r, c) == text) return true;
  return false;
}

}  // namespace

// A backup smaller than the data in memory: after the restore the windows and
// the data folder hold the backup's records and nothing of the old ones, and
// the file the backup lacks keeps today's records.
TEST_F(ShellTest, RestoreFromASmallerBackupLeavesNothingOfTheOldRecordsBehind) {
  std::filesystem::create_directories(dataDir());
  std::string material;
  for (int k = 1; k <= 3; ++k)
    material += "#" + std::to_string(k) + "\r\nName=肥料" + std::to_string(k) +
                "\r\n%1\r\nDate=20050701\r\nMode=Buy\r\nOrVolNum=5\r\nRemainVol=5\r\n%End\r\n#End\r\n\r\n";
  Put(dataDir() + "material.dat", material);
  Put(dataDir() + "nikki.dat", "2005/0714,今日の畑\r\n");
  Put(dataDir() + "price.dat", "#Start0\r\nName=トマト\r\nMax=300\r\n#End\r\n");
  TempDir backup;
  const std::string small = "#1\r\nName=堆肥\r\nPrice=0\r\nVolume=0\r\nUnit=\r\n%1\r\nDate=20050601\r\nMode=Buy\r\n"
                            "OrVolNum=1\r\nRemainVol=1\r\n%End\r\n#End\r\n\r\n";
  Put(backup.file("material.dat"), small);
  Put(backup.file("nikki.dat"), "2005/0713,昨日\r\n");

  RegisterWindows();
  ASSERT_EQ(Start(), StartResult::Running);
  bar()->mnuDisplayDiaryEdit->trigger();
  bar()->mnuDisplayMaterial->trigger();
  ProcessEvents();
  frmDiaryEdit* diary = LoadedDiaryEdit();
  frmMaterial* ledger = LoadedMaterialWindow();
  ASSERT_TRUE(diary && ledger);
  EXPECT_EQ(diary->txtDiary->toPlainText(), QStringLiteral("今日の畑"));
  EXPECT_TRUE(GridShows(ledger->mfgMaterial, QStringLiteral("肥料3")));

  bar()->mnuFileRestore->trigger();
  frmSave* dlg = bar()->SaveDialog();
  ASSERT_NE(dlg, nullptr);
  dlg->dirMain->SetPath(QString::fromStdString(backup.dir()));
  {
    MessageBoxes boxes;
    boxes.Answer(MsgResult::Yes);
    QTest::mouseClick(dlg->cmdSave, Qt::LeftButton);
    ProcessEvents();
    ASSERT_EQ(boxes.calls().size(), 1u);
  }
  EXPECT_EQ(bar()->SaveDialog(), nullptr);
  // The backup has no line for today: the day is empty, not today's text.
  EXPECT_EQ(diary->txtDiary->toPlainText(), QString());
  EXPECT_TRUE(GridShows(ledger->mfgMaterial, QStringLiteral("堆肥")));
  for (const char* old : {"肥料1", "肥料2", "肥料3"}) EXPECT_FALSE(GridShows(ledger->mfgMaterial, old)) << old;
  EXPECT_EQ(Get(dataDir() + "material.dat"), small);
  EXPECT_EQ(Get(dataDir() + "nikki.dat").find("今日の畑"), std::string::npos);
  // price.dat is not in the backup: today's produce stay.
  EXPECT_NE(Get(dataDir() + "price.dat").find("Name=トマト"), std::string::npos);
}
