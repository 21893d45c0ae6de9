// The studio's idle hook and the layout of the add-on's windows: the idle
// queue waits until the event loop would block, and a frame's heading never
// covers a button.
#include "StudioWindow.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QEventLoop>
#include <QGroupBox>
#include <QStyleOptionGroupBox>
#include <QTimer>

namespace {

using quorvin::host::Host;

// Lets the event loop wait once, briefly.
void Block() {
    QEventLoop loop;
    QTimer::singleShot(1, &loop, &QEventLoop::quit);
    loop.exec();
}

class StudioIdleAndLayoutTest : public ::testing::Test {
  protected:
    void SetUp() override {
        studio::StudioOptions options;
        options.modulePath = QGB_STUDIO_MODULE;
        window_ = std::make_unique<studio::StudioWindow>(options);
        std::string error;
        ASSERT_TRUE(window_->startAddOn(&error)) << error;
        window_->show();
        Block();
    }
    void TearDown() override {
        for (const std::string &f : window_->invariantFailures())
            ADD_FAILURE() << f;
    }
    std::unique_ptr<studio::StudioWindow> window_;
};

TEST_F(StudioIdleAndLayoutTest, IdleQueueRunsOnlyWhenTheEventLoopWouldBlock) {
    ASSERT_EQ(Host::instance().idlePending(), 0u);
    window_->runCommand("texts changed", [](std::string *) {
        Host::instance().sendStateChange(StateChange_Text);
        return true;
    });
    // Events still being handled: the loop never had to wait.
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    EXPECT_EQ(Host::instance().idlePending(), 1u);
    Block();
    Block();
    EXPECT_EQ(Host::instance().idlePending(), 0u);
}

TEST_F(StudioIdleAndLayoutTest, ToolDialogHeadingsClearTheirButtons) {
    window_->runCommand("Tools > Quorvin GUI Builder", [](std::string *why) {
        return Host::instance().chooseMenuOption("Tools", "Quorvin GUI Builder", why);
    });
    Block();
    const QList<QGroupBox *> boxes = window_->findChildren<QGroupBox *>();
    ASSERT_GE(boxes.size(), 3);
    int buttons = 0;
    for (QGroupBox *box : boxes) {
        SCOPED_TRACE(box->title().toStdString());
        QStyleOptionGroupBox option;
        option.initFrom(box);
        option.text = box->title();
        option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
        const QRect heading =
            box->style()
                ->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box)
                .translated(box->pos());
        for (QAbstractButton *button : box->parentWidget()->findChildren<QAbstractButton *>(
                 QString(), Qt::FindDirectChildrenOnly)) {
            ++buttons;
            EXPECT_FALSE(heading.intersects(button->geometry()))
                << "heading " << heading.y() << ".." << heading.bottom() << ", button at "
                << button->x() << ", " << button->y();
        }
    }
    EXPECT_GE(buttons, 35);
}

} // namespace
