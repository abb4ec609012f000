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
// then its subdirectories. Clicking a line opens that directory.
class DirListBox : public QListWidget {
  Q_OBJECT
 public:
  explicit DirListBox(QWidget* parent = nullptr);
  QString Path() const { return path_; }
  // Opens a directory; raises run-time error 76 when it is not there.
  void SetPath(const QString& path);

 signals:
  void PathChanged(const QString& path);

 private:
  QString path_;
};
