#include "desktop/qt/tray_notice.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QVBoxLayout>
#include <QWidget>

namespace wendaro {

namespace {

constexpr int kLookEveryMs = 1000;

const char* const kExplanation =
    "Wendaro lives in the system tray, and this desktop shows no tray right now.\n\n"
    "Add one to your panel: in Xfce, right-click the panel, choose Panel, then Add New Items, and add "
    "\u201cStatus Tray\u201d (\u201cNotification Area\u201d in older versions); in LXQt, LXDE or MATE add "
    "\u201cSystem Tray\u201d or \u201cNotification Area\u201d; in GNOME turn on an AppIndicator extension.\n\n"
    "Wendaro's icon appears as soon as there is a tray, and this window then closes by itself.";

std::unique_ptr<QWidget> makeWindow() {
  auto window = std::make_unique<QWidget>();
  window->setObjectName(QStringLiteral("trayNotice"));
  window->setWindowTitle(QStringLiteral("Wendaro: no system tray"));
  auto* text = new QLabel(QString::fromUtf8(kExplanation));
  text->setWordWrap(true);
  text->setTextFormat(Qt::PlainText);
  text->setMinimumWidth(360);
  auto* quit = new QPushButton(QStringLiteral("&Quit Wendaro"));
  quit->setToolTip(QStringLiteral("End Wendaro"));
  QObject::connect(quit, &QPushButton::clicked, [] { QCoreApplication::quit(); });
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(quit);
  auto* layout = new QVBoxLayout(window.get());
  layout->addWidget(text);
  layout->addLayout(buttons);
  return window;
}

}  // namespace

TrayNotice::TrayNotice(std::function<void()> trayAppeared, Availability available)
    : trayAppeared_(std::move(trayAppeared)),
      available_(available ? std::move(available) : Availability(QSystemTrayIcon::isSystemTrayAvailable)),
      window_(makeWindow()) {
  timer_.setInterval(kLookEveryMs);
  connect(&timer_, &QTimer::timeout, this, &TrayNotice::check);
}

TrayNotice::~TrayNotice() = default;

void TrayNotice::watch() {
  check();
  if (shown_) timer_.start();
}

void TrayNotice::check() {
  if (available_()) {
    timer_.stop();
    if (!shown_) return;
    shown_ = false;
    window_->hide();
    if (trayAppeared_) trayAppeared_();
    return;
  }
  if (shown_) return;
  shown_ = true;
  window_->show();
  window_->raise();
  timer_.start();
}

}  // namespace wendaro
