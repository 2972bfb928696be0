#include <gtest/gtest.h>

#include <QCursor>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QVBoxLayout>

#include "desktop/qt/windows/qt_window.h"
#include "desktop/qt/windows/window_placement.h"
#include "test_doubles.h"

namespace wendaro {
namespace {

class QtWindowTest : public ::testing::Test {
 protected:
  QtWindowTest() {
    auto widget = std::make_unique<FloatingWindow>();
    widget->resize(200, 100);
    label = new QLabel("Label", widget.get());
    button = new QPushButton("Press", widget.get());
    auto* layout = new QVBoxLayout(widget.get());
    layout->addWidget(label);
    layout->addStretch();
    layout->addWidget(button);
    window = std::make_unique<QtWindow>(std::move(widget));
    window->setTitle("Tools");
    window->setDelegate(&delegate);
  }

  static QRect screenArea() { return QGuiApplication::primaryScreen()->availableGeometry(); }
  static QRect desktop() { return QGuiApplication::primaryScreen()->virtualGeometry(); }
  QWidget& widget() { return window->widget(); }

  testing::TableRows delegate;
  QLabel* label = nullptr;
  QPushButton* button = nullptr;
  std::unique_ptr<QtWindow> window;
};

TEST_F(QtWindowTest, FramesAreInTheCoresCoordinatesWithTheOriginAtTheBottomLeft) {
  window->setFrameOrigin({50, 60});
  const Rect frame = window->frame();
  EXPECT_EQ(frame.origin, (Point{50, 60}));
  EXPECT_EQ(frame.size, (Size{200, 100}));
  EXPECT_EQ(widget().frameGeometry().bottom() + 1, desktop().bottom() + 1 - 60);
}

TEST_F(QtWindowTest, APositionOffTheScreenIsBroughtBackOntoIt) {
  // Below the bottom-right corner of the screen, as the core would place a
  // window under an icon in a panel at the bottom.
  window->setFrameOrigin({double(desktop().width()) - 50, -80});
  EXPECT_TRUE(screenArea().contains(widget().frameGeometry()));
  EXPECT_EQ(widget().frameGeometry().bottomRight(), screenArea().bottomRight());
}

TEST_F(QtWindowTest, AWindowTheCoreDidNotPlaceAppearsBelowThePointer) {
  QCursor::setPos(300, 200);
  ASSERT_EQ(QCursor::pos(), QPoint(300, 200));
  window->makeKeyAndOrderFront();
  EXPECT_TRUE(widget().isVisible());
  EXPECT_EQ(widget().frameGeometry().topLeft(), QPoint(200, 210));

  // Placed by the core, it stays where the core put it.
  window->close();
  window->setFrameOrigin({10, 20});
  window->makeKeyAndOrderFront();
  EXPECT_EQ(window->frame().origin, (Point{10, 20}));

  // Shown again without a placement, it follows the pointer again, kept on
  // the screen.
  QCursor::setPos(screenArea().right(), screenArea().bottom());
  window->makeKeyAndOrderFront();
  EXPECT_TRUE(screenArea().contains(widget().frameGeometry()));
  EXPECT_EQ(widget().frameGeometry().right(), screenArea().right());
}

TEST_F(QtWindowTest, TheFloatingLevelKeepsTheWindowOnTop) {
  window->setLevel(kFloatingWindowLevel);
  EXPECT_TRUE(widget().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  window->setLevel(0);
  EXPECT_FALSE(widget().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST_F(QtWindowTest, HidingTitleBarButtonsKeepsTheOthersAndAShownWindowInPlace) {
  window->setFrameOrigin({40, 40});
  window->makeKeyAndOrderFront();
  const QPoint position = widget().pos();

  window->standardWindowButton(WindowButtonKind::Zoom)->setHidden(true);
  window->standardWindowButton(WindowButtonKind::Miniaturize)->setHidden(true);

  const Qt::WindowFlags flags = widget().windowFlags();
  EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
  EXPECT_TRUE(flags.testFlag(Qt::WindowTitleHint));
  EXPECT_TRUE(widget().isVisible());
  EXPECT_EQ(widget().pos(), position);

  window->standardWindowButton(WindowButtonKind::Zoom)->setHidden(false);
  EXPECT_TRUE(widget().windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
}

TEST_F(QtWindowTest, EveryWayOfClosingTellsTheDelegateOnceThenHides) {
  window->makeKeyAndOrderFront();
  window->close();
  EXPECT_FALSE(widget().isVisible());
  EXPECT_EQ(delegate.events, (std::vector<std::string>{"willClose Tools"}));

  // The title bar's close button.
  window->makeKeyAndOrderFront();
  widget().close();
  EXPECT_FALSE(widget().isVisible());

  // Escape.
  window->makeKeyAndOrderFront();
  QTest::keyClick(&widget(), Qt::Key_Escape);
  EXPECT_FALSE(widget().isVisible());

  // Closing a window that is not shown is still announced.
  window->close();
  EXPECT_EQ(delegate.events, std::vector<std::string>(4, "willClose Tools"));
}

// Sends a left-button drag from `from` to `to` (window coordinates) to the
// widget under `from`, as the windowing system would.
void drag(QWidget& window, QPoint from, QPoint to) {
  QWidget* target = window.childAt(from);
  if (!target) target = &window;
  const auto send = [&](QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
    const QPointF global = window.mapToGlobal(QPointF(at));
    QMouseEvent event(type, target->mapFromGlobal(global), global, Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
  };
  const QPoint start = window.mapToGlobal(from);
  send(QEvent::MouseButtonPress, from, Qt::LeftButton);
  // The window moves under the pointer: later positions are taken from where
  // the pointer is on the screen.
  const QPoint end = start + (to - from);
  const QPoint inWindow = window.mapFromGlobal(end);
  send(QEvent::MouseMove, inWindow, Qt::LeftButton);
  send(QEvent::MouseButtonRelease, window.mapFromGlobal(end), Qt::NoButton);
}

TEST_F(QtWindowTest, ADragOnTheBackgroundMovesAMovableWindowOnly) {
  window->setFrameOrigin({100, 100});
  window->makeKeyAndOrderFront();
  const QPoint start = widget().pos();

  const QPoint background = label->geometry().bottomLeft() + QPoint(0, 8);
  ASSERT_EQ(widget().childAt(background), nullptr);
  drag(widget(), background, background + QPoint(40, 30));
  EXPECT_EQ(widget().pos(), start);

  window->setMovableByWindowBackground(true);
  drag(widget(), background, background + QPoint(40, 30));
  EXPECT_EQ(widget().pos(), start + QPoint(40, 30));

  // A label is background too; a control keeps its presses.
  drag(widget(), label->geometry().center(), label->geometry().center() + QPoint(-10, -5));
  EXPECT_EQ(widget().pos(), start + QPoint(30, 25));
  const QPoint moved = widget().pos();
  drag(widget(), button->geometry().center(), button->geometry().center() + QPoint(30, 30));
  EXPECT_EQ(widget().pos(), moved);
}

}  // namespace
}  // namespace wendaro
