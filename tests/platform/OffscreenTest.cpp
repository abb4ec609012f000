#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>

// Every window test relies on the offscreen screen being the target screen.
TEST(OffscreenScreen, Is1024By768At96Dpi) {
  QScreen* s = QGuiApplication::primaryScreen();
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->geometry(), QRect(0, 0, 1024, 768));
  EXPECT_EQ(s->logicalDotsPerInchX(), 96);
  EXPECT_EQ(s->logicalDotsPerInchY(), 96);
}
