#include "platform/TrayIcon.h"

#include <QSystemTrayIcon>

namespace {
std::optional<bool>& Override() {
  static std::optional<bool> o;
  return o;
}
}  // namespace

TrayIcon::TrayIcon(QObject* parent) : QObject(parent) {}

TrayIcon::~TrayIcon() { Remove(); }

bool TrayIcon::Available() {
  if (Override()) return *Override();
  return QSystemTrayIcon::isSystemTrayAvailable();
}

void TrayIcon::SetAvailableOverride(std::optional<bool> available) { Override() = available; }

void TrayIcon::Add(const QIcon& icon, const QString& tip) {
  added_ = true;
  if (!QSystemTrayIcon::isSystemTrayAvailable()) return;  // tests pretend; nothing to show
  if (!icon_) {
    icon_ = new QSystemTrayIcon(this);
    connect(icon_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason why) {
      switch (why) {
        case QSystemTrayIcon::Trigger: emit MouseMessage(kTrayLeftUp); break;
        case QSystemTrayIcon::DoubleClick: emit MouseMessage(kTrayLeftDoubleClick); break;
        case QSystemTrayIcon::Context: emit MouseMessage(kTrayRightUp); break;
        default: break;
      }
    });
  }
  icon_->setIcon(icon);
  icon_->setToolTip(tip);
  icon_->show();
}

void TrayIcon::Remove() {
  added_ = false;
  if (icon_) icon_->hide();
}
