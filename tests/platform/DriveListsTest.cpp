// The drive list and directory list the backup dialog and the picture
// chooser share.
#include <gtest/gtest.h>

#include <QDir>
#include <filesystem>

#include "platform/DriveLists.h"
#include "runtime/RuntimeError.h"
#include "support/TempDir.h"

TEST(DriveListBox, ListsTheVolumesAndChoosesTheOneHoldingAPathQuietly) {
  DriveListBox drives;
  drives.Fill();
  ASSERT_GT(drives.count(), 0);

  TempDir dir;
  int changes = 0;
  QObject::connect(&drives, &QComboBox::currentIndexChanged, [&] { ++changes; });
  drives.SelectVolumeOf(QString::fromStdString(dir.dir()));
  EXPECT_EQ(changes, 0);
  ASSERT_GE(drives.currentIndex(), 0);
  EXPECT_TRUE(QString::fromStdString(dir.dir()).startsWith(drives.Root())) << drives.Root().toStdString();
  EXPECT_NO_THROW(drives.CheckReady());

  // A volume that is gone is reported as not ready (68).
  drives.addItem(QStringLiteral("gone"), QStringLiteral("/no/such/vorn/volume"));
  drives.setCurrentIndex(drives.count() - 1);
  try {
    drives.CheckReady();
    ADD_FAILURE() << "a missing volume counted as ready";
  } catch (const rt::RuntimeError& e) {
    EXPECT_EQ(e.number(), 68);
  }
  // Filling again starts afresh.
  const int volumes = drives.count() - 1;
  drives.Fill();
  EXPECT_EQ(drives.count(), volumes);
}

TEST(DirListBox, OpensADirectoryAndSaysSoOnceAMissingOneChangesNothing) {
  TempDir root;
  std::filesystem::create_directories(root.file("field/Zucchini"));
  std::filesystem::create_directories(root.file("field/apple"));
  DirListBox list;
  QStringList opened;
  QObject::connect(&list, &DirListBox::PathChanged, [&](const QString& p) { opened << p; });
  const QString field = QString::fromStdString(root.file("field"));
  list.SetPath(field + QStringLiteral("/./"));
  EXPECT_EQ(list.Path(), field);  // cleaned
  EXPECT_EQ(opened, QStringList{field});
  // The subdirectories follow the chosen one, ignoring case in their order.
  ASSERT_GE(list.count(), 3);
  EXPECT_EQ(list.item(list.count() - 2)->text().trimmed(), QStringLiteral("apple"));
  EXPECT_EQ(list.item(list.count() - 1)->text().trimmed(), QStringLiteral("Zucchini"));
  EXPECT_EQ(list.item(list.currentRow())->text().trimmed(), QStringLiteral("field"));

  EXPECT_THROW(list.SetPath(field + QStringLiteral("/missing")), rt::RuntimeError);
  EXPECT_EQ(list.Path(), field);
  EXPECT_EQ(opened.size(), 1);
  EXPECT_EQ(list.item(list.count() - 1)->text().trimmed(), QStringLiteral("Zucchini"));
}
