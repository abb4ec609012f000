#pragma once
// The drive list and the directory list with which a dialog chooses a
// directory (backup and restore, the picture chooser).
#include <QComboBox>
#include <QListWidget>
#include <QString>

// The mounted volumes, each item carrying its root directory. Rebuilt by
// Fill(); a machine reporting none still gets "/".
class DriveListBox : public QComboBox {
  Q_OBJECT
 public:
  explicit DriveListBox(QWidget* parent = nullptr);
  void Fill();
  // Root directory of the chosen volume ("" when none is chosen).
  QString Root() const;
  // Chooses the volume that holds path, without a change signal.
  void SelectVolumeOf(const QString& path);
  // Whether the chosen volume can be read now; raises run-time error 68
  // (device unavailable) when it cannot.
  void CheckReady() const;
};

// A directory list: the chosen directory's ancestors from the root down,
// then its subdirectories. A click selects a line; a double-click or Enter
// opens the directory of that line, which becomes Path().
class DirListBox : public QListWidget {
  Q_OBJECT
 public:
  explicit DirListBox(QWidget* parent = nullptr);
  // The open directory.
  QString Path() const { return path_; }
  // The directory of the selected line (the open one when none is).
  QString SelectedPath() const;
  // Opens a directory; raises run-time error 76 when it is not there.
  void SetPath(const QString& path);
  // Opens the directory of a line, reporting a failure.
  void Open(QListWidgetItem* item);

 signals:
  void PathChanged(const QString& path);

 protected:
  void keyPressEvent(QKeyEvent* e) override;

 private:
  QString path_;
};
