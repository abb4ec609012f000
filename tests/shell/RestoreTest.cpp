#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "app/RegisterWindows.h"
#include "materials/frmMaterial.h"
#include "platform/DriveLists.h"
#include "platform/FlexGrid.h"
#include "shell/ShellFixture.h"
#include "shell/frmSave.h"

// A backup smaller than the records in memory: afterwards the ledger and the
// data folder hold the backup's material alone; price.dat, which the backup
// lacks, keeps today's produce.
TEST_F(ShellTest, RestoreFromASmallerBackupLeavesNothingOfTheOldRecordsBehind) {
  std::filesystem::create_directories(dataDir());
  TempDir backup;
  const std::string small = "#1\r\nName=kept\r\nPrice=0\r\nVolume=0\r\nUnit=\r\n#End\r\n\r\n";
  home.Write("vorn/material.dat", small + "#2\r\nName=old\r\n");
  home.Write("vorn/price.dat", "#Start0\r\nName=tomato\r\n#End\r\n");
  backup.Write("material.dat", small);
  RegisterWindows();
  ASSERT_EQ(Start(), StartResult::Running);
  bar()->mnuDisplayMaterial->trigger();
  FlexGrid* ledger = LoadedMaterialWindow()->mfgMaterial;
  auto shown = [&](const QString& name) {
    for (int r = 0; r < ledger->Rows(); ++r)
      for (int c = 0; c < ledger->Cols(); ++c)
        if (ledger->TextMatrix(r, c) == name) return true;
    return false;
  };
  EXPECT_TRUE(shown("old"));

  bar()->mnuFileRestore->trigger();
  bar()->SaveDialog()->dirMain->SetPath(QString::fromStdString(backup.dir()));
  MessageBoxes boxes;
  boxes.Answer(MsgResult::Yes);
  QTest::mouseClick(bar()->SaveDialog()->cmdSave, Qt::LeftButton);
  ProcessEvents();
  EXPECT_EQ(bar()->SaveDialog(), nullptr);
  EXPECT_TRUE(shown("kept"));
  EXPECT_FALSE(shown("old"));
  EXPECT_EQ(home.Read("vorn/material.dat"), small);
  EXPECT_NE(home.Read("vorn/price.dat").find("Name=tomato"), std::string::npos);
}
