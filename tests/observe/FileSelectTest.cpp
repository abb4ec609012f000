// The picture chooser: which files it lists, what it hands back and what it
// refuses.
#include <QDir>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "observe/ObserveFixture.h"
#include "platform/DriveLists.h"

namespace {
QStringList Items(const QListWidget* list) {
  QStringList s;
  for (int i = 0; i < list->count(); ++i) s << list->item(i)->text();
  return s;
}
}  // namespace

TEST_F(ObserveTest, TheFileListShowsBitmapsAndJpegsWhateverTheirCase) {
  for (const char* name : {"a.bmp", "B.BMP", "c.Jpg", "d.JPEG", "e.jpeg", "f.png", "g.jpg.txt", "h.gif", "jpg"})
    dir.Write(name, "x");
  std::filesystem::create_directory(dir.file("folder.jpg"));
  EXPECT_TRUE(MatchesPattern(QStringLiteral("写真.JpEg"), kPicturePattern));
  EXPECT_FALSE(MatchesPattern(QStringLiteral("写真.jpe"), kPicturePattern));
  Open();
  frmFileSelect c(f.get());
  c.filMain->SetPath(QString::fromStdString(dir.dir()));
  EXPECT_EQ(Items(c.filMain), (QStringList{"a.bmp", "B.BMP", "c.Jpg", "d.JPEG", "e.jpeg"}));
}

TEST_F(ObserveTest, TheChooserHandsBackAJoinedPathOnlyForAFileItCanKeep) {
  Picture("ok.jpg", 30, 20);
  Picture("a,b.jpg", 30, 20);
  Open();
  auto* c = new frmFileSelect(f.get());
  c->show();
  c->filMain->SetPath(QString::fromStdString(dir.dir()));
  // Nothing selected: no directory is handed back, the dialog stays.
  c->cmdOK_Click();
  EXPECT_TRUE(c->isVisible());
  EXPECT_EQ(c->Result(), QString());

  // A comma would end the path in the observation file.
  ClickFile(c, QStringLiteral("a,b.jpg"));
  c->cmdOK_Click();
  ASSERT_EQ(boxes.calls().size(), 1u);
  EXPECT_TRUE(c->isVisible());
  EXPECT_EQ(c->Result(), QString());

  ClickFile(c, QStringLiteral("ok.jpg"));
  c->cmdOK_Click();
  EXPECT_FALSE(c->isVisible());
  EXPECT_EQ(c->Result().toStdString(), dir.file("ok.jpg"));
  delete c;

  // In the root directory the path has one separator.
  frmFileSelect root(f.get());
  root.filMain->SetPath(QDir::rootPath());
  EXPECT_FALSE(root.filMain->Path().endsWith(QStringLiteral("//")));
  root.filMain->clear();
  root.filMain->addItem(QStringLiteral("x.jpg"));
  root.filMain->setCurrentRow(0);
  EXPECT_EQ(root.SelectedPath(), QStringLiteral("/x.jpg"));
}

TEST_F(ObserveTest, ADriveThatIsNotReadyGivesTheMessageAndKeepsTheDirectory) {
  Open();
  frmFileSelect c(f.get());
  c.dirMain->SetPath(QString::fromStdString(dir.dir()));
  const QString shown = c.dirMain->Path();
  const int drive = c.drvMain->currentIndex();
  c.drvMain->addItem(QStringLiteral("Z:"), QStringLiteral("/no/such/volume"));
  c.drvMain->setCurrentIndex(c.drvMain->count() - 1);
  ASSERT_EQ(boxes.calls().size(), 1u);
  EXPECT_EQ(boxes.calls()[0].text, QStringLiteral("ディスクが用意されていません"));
  EXPECT_EQ(c.dirMain->Path(), shown);
  EXPECT_EQ(c.drvMain->currentIndex(), drive);
}

TEST_F(ObserveTest, AClickOnADirectoryShowsItsPicturesAndADoubleClickOpensIt) {
  std::filesystem::create_directories(dir.file("photos/2001"));
  dir.Write("photos/tomato.jpg", "x");
  Open();
  frmFileSelect c(f.get());
  c.show();
  c.dirMain->SetPath(QString::fromStdString(dir.dir()));
  QListWidgetItem* photos = c.dirMain->item(c.dirMain->count() - 1);
  ASSERT_EQ(photos->text().trimmed(), QStringLiteral("photos"));
  const QPoint at = c.dirMain->visualItemRect(photos).center();
  QTest::mouseClick(c.dirMain->viewport(), Qt::LeftButton, {}, at);
  EXPECT_EQ(Items(c.filMain), QStringList{QStringLiteral("tomato.jpg")});
  EXPECT_EQ(c.dirMain->Path() + "/", QString::fromStdString(dir.dir()));
  QTest::mouseDClick(c.dirMain->viewport(), Qt::LeftButton, {}, at);
  EXPECT_EQ(c.dirMain->Path().toStdString(), dir.file("photos"));
  EXPECT_EQ(c.dirMain->item(c.dirMain->count() - 1)->text().trimmed(), QStringLiteral("2001"));
  EXPECT_EQ(Items(c.filMain), QStringList{QStringLiteral("tomato.jpg")});
  QTest::keyClick(c.dirMain, Qt::Key_Up);  // keys move the lines as clicks do
  EXPECT_EQ(Items(c.filMain), QStringList{});
}

TEST_F(ObserveTest, APictureThatCannotBeReadIsSaidInThePreviewAndRefusedACutOneIsTaken) {
  dir.Write("broken.jpg", "not a picture");
  Picture("full.jpg", 1000, 2000);
  dir.Write("cut.jpg", dir.Read("full.jpg").substr(0, dir.Read("full.jpg").size() / 2));
  const QString cwd = QDir::currentPath();
  QDir::setCurrent(QString::fromStdString(dir.dir()));  // where the chooser starts
  Open();
  QTimer::singleShot(0, [&] {
    auto* c = f->findChild<frmFileSelect*>();
    for (const char* name : {"broken.jpg", "cut.jpg"}) {
      QListWidgetItem* item = c->filMain->findItems(name, Qt::MatchExactly).value(0);
      QTest::mouseClick(c->filMain->viewport(), Qt::LeftButton, {}, c->filMain->visualItemRect(item).center());
      EXPECT_EQ(PictureNoteShown(c->pctInfo).isEmpty(), name == std::string("cut.jpg"));
      QTest::mouseClick(c->cmdOK, Qt::LeftButton);
    }
    if (c->isVisible()) QTest::mouseClick(c->cmdCancel, Qt::LeftButton);
  });
  QTest::mouseClick(f->cmdFileName, Qt::LeftButton);
  QDir::setCurrent(cwd);
  EXPECT_EQ(boxes.calls().size(), 1u);  // the refusal, no error report
  EXPECT_EQ(ObserveFile(0)(2001, 5, 6), dir.file("cut.jpg"));
}
