#include "observe/frmFileSelect.h"

#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include "observe/modObserve.h"
#include "platform/DriveLists.h"
#include "platform/ErrorReporter.h"
#include "platform/Fonts.h"
#include "platform/MessageBox.h"
#include "platform/PictureBox.h"
#include "platform/Screen.h"
#include "runtime/RuntimeError.h"

// --- The file list ------------------------------------------------------------

FileListBox::FileListBox(QWidget* parent) : QListWidget(parent) {}

void FileListBox::SetPath(const QString& path) {
  QFileInfo info(path);
  if (!info.isDir() || !info.isReadable()) throw rt::RuntimeError(rt::kErrPathNotFound, path.toStdString());
  path_ = QDir::cleanPath(info.absoluteFilePath());
  Refresh();
}

void FileListBox::SetPattern(const QString& pattern) {
  pattern_ = pattern;
  if (!path_.isEmpty()) Refresh();
}

QString FileListBox::FileName() const {
  // The highlighted line: the one whose name and preview are shown.
  const QList<QListWidgetItem*> chosen = selectedItems();
  return chosen.isEmpty() ? QString() : chosen.first()->text();
}

void FileListBox::Refresh() {
  QStringList names;
  const QStringList files = QDir(path_).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
  for (const QString& f : files)
    if (MatchesPattern(f, pattern_)) names << f;
  QSignalBlocker block(this);
  clear();
  addItems(names);
  setCurrentRow(-1);
}

// --- The chooser -----------------------------------------------------------------

frmFileSelect::frmFileSelect(QWidget* owner) : QDialog(owner) {
  setWindowTitle(QStringLiteral("画像ファイルの選択"));
  setFont(MapFont(kPGothic, ScaledFontSize(9)));

  txtFileName = new QLineEdit(QStringLiteral("*.BMP *.JPG *.JPEG"), this);
  txtFileName->setReadOnly(true);
  drvMain = new DriveListBox(this);
  dirMain = new DirListBox(this);
  filMain = new FileListBox(this);
  filMain->SetPattern(kPicturePattern);
  fraInfo = new QGroupBox(QStringLiteral("画像プレビュー"), this);
  pctInfo = new PictureBox(fraInfo);
  pctInfo->SetScaleMode(PictureBox::kPixels);
  pctInfo->SetBackColor(palette().color(QPalette::Window));
  pctInfo->setFocusPolicy(Qt::NoFocus);
  pctBuff = new PictureBox(this);
  pctBuff->hide();
  cmdOK = new QPushButton(QStringLiteral("選択"), this);
  cmdCancel = new QPushButton(QStringLiteral("取消"), this);
  // Enter opens a directory or does nothing; only a click or Space chooses.
  cmdOK->setAutoDefault(false);
  cmdCancel->setAutoDefault(false);

  PlaceTwips(txtFileName, 0, 0, 2715, 285);
  PlaceTwips(drvMain, 0, 300, 2715, 300);
  PlaceTwips(dirMain, 0, 600, 2715, 3240);
  PlaceTwips(filMain, 2730, -30, 2745, 3510);
  PlaceTwips(fraInfo, 5490, 0, 3045, 3825);
  PlacePixels(pctInfo, 6, 18, 191, 231);
  PlacePixels(pctBuff, 0, 0, 16, 16);
  PlaceTwips(cmdOK, 2790, 3480, 1245, 345);
  PlaceTwips(cmdCancel, 4170, 3480, 1245, 345);
  resize(TwipsToPixelsX(8535), TwipsToPixelsY(3840));
  setFixedSize(size());
  if (owner) move(owner->geometry().center() - rect().center());

  // The lists start where the process is.
  const QString start = QDir::currentPath();
  drvMain->Fill();
  drvMain->SelectVolumeOf(start);
  lastDrive_ = drvMain->currentIndex();
  CatchErrors([&] {
    dirMain->SetPath(start);
    filMain->SetPath(dirMain->Path());
  });

  connect(drvMain, &QComboBox::currentIndexChanged, this, [this](int) { drvMain_Change(); });
  // The lists follow their highlighted line, whether a click or a key moved
  // it: a directory shows its files, a file its name and preview. A double-click
  // (or Enter) opens a directory, and the files follow the opened one.
  connect(dirMain, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* now) {
    if (now) dirMain_Click();
  });
  connect(dirMain, &DirListBox::PathChanged, this, [this] { dirMain_Click(); });
  connect(filMain, &QListWidget::itemSelectionChanged, this, [this] { filMain_Click(); });
  connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
  connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
}

frmFileSelect::~frmFileSelect() = default;

void frmFileSelect::drvMain_Change() {
  const QString previous = dirMain->Path();
  try {
    drvMain->CheckReady();
    dirMain->SetPath(drvMain->Root());
    lastDrive_ = drvMain->currentIndex();
  } catch (...) {
    const int16_t number = rt::ErrorNumberOf(std::current_exception());
    if (number == rt::kErrDeviceUnavailable)
      MsgBox(QStringLiteral("ディスクが用意されていません"));
    else
      ReportError(number);
    CatchErrors([&] {
      if (dirMain->Path() != previous) dirMain->SetPath(previous);
    });
    // The drive list shows the drive of the directory shown.
    QSignalBlocker block(drvMain);
    drvMain->setCurrentIndex(lastDrive_);
  }
}

void frmFileSelect::dirMain_Click() {
  CatchErrors([&] { filMain->SetPath(dirMain->SelectedPath()); });
}

void frmFileSelect::filMain_Click() {
  CatchErrors([&] {
    const QString name = filMain->FileName();
    if (name.isEmpty()) return;
    txtFileName->setText(name);
    pctBuff->SetPicture(QImage());
    // A file that is no picture is said in the preview, not as a fault.
    PictureOrNote read = ReadPictureOrNote(SelectedPath(), pctInfo->InnerSize(), PictureView::kFitted);
    if (!read.note.isEmpty()) return ShowPictureNote(pctInfo, read.note);
    pctBuff->SetPicture(read.image);
    ShowFitted(pctInfo, pctBuff->Picture());
  });
}

QString frmFileSelect::SelectedPath() const {
  const QString name = filMain->FileName();
  return name.isEmpty() ? QString() : QDir(filMain->Path()).filePath(name);
}

void frmFileSelect::cmdOK_Click() {
  CatchErrors([&] {
    const QString path = SelectedPath();
    // Without a chosen file there is nothing to hand back.
    if (path.isEmpty()) return;
    if (!StorablePicturePath(path)) {
      MsgBox(path + QStringLiteral("\r\n") +
             QStringLiteral("この画像ファイルの名前には、記録できない文字（「,」など）が含まれています"));
      return;
    }
    // A picture that cannot be shown would only come back as a note on
    // its day.
    const QString note = ReadPictureOrNote(path, pctInfo->InnerSize(), PictureView::kFitted).note;
    if (!note.isEmpty()) {
      MsgBox(QString(note).replace(QChar('\n'), QStringLiteral("\r\n")) + QStringLiteral("\r\n") +
             QStringLiteral("別のファイルを選んでください。"));
      return;
    }
    chosen_ = path;
    accept();
  });
}

void frmFileSelect::cmdCancel_Click() { reject(); }
