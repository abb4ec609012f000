#pragma once
// The notification-area icon. Its mouse events arrive as the message numbers
// the windows act on: 514 left button released (a single click), 515 left
// double-click, 517 right button released.
#include <QIcon>
#include <QObject>
#include <QString>
#include <optional>

class QSystemTrayIcon;

constexpr int kTrayLeftUp = 514;
constexpr int kTrayLeftDoubleClick = 515;
constexpr int kTrayRightUp = 517;

class TrayIcon : public QObject {
  Q_OBJECT
 public:
  explicit TrayIcon(QObject* parent = nullptr);
  ~TrayIcon() override;

  // Whether the desktop has a notification area (tests may decide).
  static bool Available();
  static void SetAvailableOverride(std::optional<bool> available);

  void Add(const QIcon& icon, const QString& tip);
  void Remove();
  bool IsAdded() const { return added_; }

  // Delivers a mouse message as if the icon had been clicked.
  void Deliver(int message) { emit MouseMessage(message); }

 signals:
  void MouseMessage(int message);

 private:
  QSystemTrayIcon* icon_ = nullptr;  // only where the desktop has a tray
  bool added_ = false;
};
