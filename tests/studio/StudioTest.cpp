// The studio driven as a person drives it: QtTest mouse events on the paper,
// the add-on's windows and the file dialogs, offscreen; its idle hook and the
// layout of the add-on's windows. After every test the host must have stayed
// strict: no fault, no leak, no lock left held.
#include "Problems.h"
#include "StudioWindow.h"
#include "WorkspaceView.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QLabel>
#include <QListWidget>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QStyleOptionGroupBox>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <filesystem>
#include <csignal>
#include <unistd.h>

// Qt's offscreen platform plugin never frees its screen. Under the
// sanitizers the leak check skips what that plugin allocated, and whole
// allocation stacks are kept so that the plugin shows in them.
extern "C" const char *__asan_default_options() {
    return "fast_unwind_on_malloc=0";
}
extern "C" const char *__lsan_default_suppressions() {
    return "leak:libqoffscreen.so\n";
}

namespace {

namespace fs = std::filesystem;
using quorvin::host::Host;

// One application for the whole program, offscreen unless told otherwise.
class QtEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "test_studio";
        static char *argv[] = {name, nullptr};
        app_ = new QApplication(argc, argv);
        QCoreApplication::setOrganizationName("Quorvin");
        QCoreApplication::setApplicationName("qgb-studio-test");
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString(QGB_BINARY_DIR) + "/studio-settings");
    }
    void TearDown() override { delete app_; }

  private:
    QApplication *app_ = nullptr;
};
const auto *const kEnvironment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

class StudioTest : public ::testing::Test {
  protected:
    void SetUp() override {
        work_ = fs::path(QGB_BINARY_DIR) / "studio-work" /
                ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(work_);
        fs::create_directories(work_);
        studio::StudioOptions options;
        options.modulePath = QGB_STUDIO_MODULE;
        options.startDirectory = QString::fromStdString(work_.string());
        window_ = std::make_unique<studio::StudioWindow>(options);
        std::string error;
        ASSERT_TRUE(window_->startAddOn(&error)) << error;
        window_->show();
        // A test that waits on a window nobody answers ends here, not in a hang.
        std::signal(SIGALRM, [](int) {
            static const char text[] = "test_studio: a test hung for 60 s\n";
            [[maybe_unused]] auto n = write(2, text, sizeof text - 1);
            _exit(1);
        });
        alarm(60);
        // Every modal window (questions, file dialogs) is answered as a person
        // would: the accepting button, unless the test said otherwise.
        auto *answerer = new QTimer(window_.get());
        QObject::connect(answerer, &QTimer::timeout, [this] { answerModal(); });
        answerer->start(20);
        settle();
    }
    void TearDown() override {
        alarm(0);
        settle();
        for (const std::string &f : window_->invariantFailures())
            ADD_FAILURE() << f;
        window_.reset();
    }
    // The event loop gets to wait each time, so that the idle queue runs.
    static void settle() {
        for (int i = 0; i < 5; ++i) {
            QEventLoop loop;
            QTimer::singleShot(1, &loop, &QEventLoop::quit);
            loop.exec();
        }
    }
    void openSample() {
        fs::copy(fs::path(QGB_SOURCE_DIR) / "examples/sample", work_ / "sample",
                 fs::copy_options::recursive);
        ASSERT_TRUE(window_->openLayout(
            QString::fromStdString((work_ / "sample/sample.lay.json").string())));
        settle();
    }
    const quorvin::host::Text *textNamed(const std::string &s) {
        const auto *frame = Host::instance().currentFrame();
        for (const auto &t : frame->texts)
            if (t.spec.string == s)
                return &t;
        return nullptr;
    }
    QPoint at(const quorvin::host::Text *t) {
        return window_->workspace()->centreOfText(t->handle)->toPoint();
    }
    // Clicks a host menu option of the studio's menu bar, then its item.
    void chooseMenu(const QString &menuName, const QString &actionName) {
        QMenu *menu = window_->findChild<QMenu *>(menuName);
        ASSERT_TRUE(menu);
        QMenuBar *bar = window_->menuBar();
        QTest::mouseClick(bar, Qt::LeftButton, {},
                          bar->actionGeometry(menu->menuAction()).center());
        settle();
        QAction *action = menu->findChild<QAction *>(actionName);
        ASSERT_TRUE(action) << actionName.toStdString();
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
        settle();
    }
    void openToolDialog() { chooseMenu("menu-tools", "host-menu-Quorvin GUI Builder"); }
    // Clicks the button of an add-on window with this label or tool tip.
    void clickButton(const std::string &name) {
        const Host &host = Host::instance();
        for (const auto &[id, d] : host.dialogs()) {
            if (!d.up)
                continue;
            const auto *c = host.findControlByLabel(id, name);
            if (!c)
                continue;
            QWidget *w = window_->guiWindows().widget(c->id);
            ASSERT_TRUE(w) << name;
            ASSERT_TRUE(w->isEnabled()) << name << " is insensitive";
            QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
            settle();
            return;
        }
        FAIL() << "no button " << name << " in a window that is up";
    }
    // Clicks the accepting button of the modal window that is up, if any.
    void answerModal() {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        QAbstractButton *accept = nullptr;
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            for (auto b : {QMessageBox::Yes, QMessageBox::Ok})
                if (!accept)
                    accept = box->button(b);
        } else if (auto *buttons = modal->findChild<QDialogButtonBox *>()) {
            for (auto b : {QDialogButtonBox::Save, QDialogButtonBox::Open, QDialogButtonBox::Ok})
                if (!accept)
                    accept = buttons->button(b);
        }
        if (accept)
            QTest::mouseClick(accept, Qt::LeftButton);
        else
            modal->close();
    }

    fs::path work_;
    std::unique_ptr<studio::StudioWindow> window_;
};

TEST_F(StudioTest, DragMovesPickedTextOnPaperAndUndoPutsItBack) {
    openSample();
    const auto *name = textNamed("Name:");
    ASSERT_TRUE(name);
    const double x0 = name->spec.x, y0 = name->spec.y;
    const QPoint from = at(name);
    QWidget *view = window_->workspace();
    QTest::mousePress(view, Qt::LeftButton, {}, from);
    QTest::mouseMove(view, from + QPoint(48, 24));
    QTest::mouseRelease(view, Qt::LeftButton, {}, from + QPoint(96, 48));
    settle();
    // 96 pixels are one paper inch at zoom 1: one inch right, half down.
    const auto *frame = Host::instance().currentFrame();
    const auto *moved = textNamed("Name:");
    ASSERT_TRUE(moved);
    const double dxPercent = 100.0 / frame->spec.width, dyPercent = 50.0 / frame->spec.height;
    EXPECT_NEAR(moved->spec.x, x0 + dxPercent, 1e-6);
    EXPECT_NEAR(moved->spec.y, y0 - dyPercent, 1e-6); // frame y is up
    ASSERT_TRUE(window_->canUndo());
    window_->undo();
    settle();
    EXPECT_NEAR(textNamed("Name:")->spec.x, x0, 1e-9);
    EXPECT_NEAR(textNamed("Name:")->spec.y, y0, 1e-9);
}

TEST_F(StudioTest, ShiftClickThreeControlsThenAlignLeftAndSpaceEvenly) {
    openSample();
    openToolDialog();
    QWidget *view = window_->workspace();
    const char *names[] = {"Name:", "Count:", "Push Button"};
    for (int i = 0; i < 3; ++i) {
        const auto *t = textNamed(names[i]);
        ASSERT_TRUE(t) << names[i];
        QTest::mouseClick(view, Qt::LeftButton, i ? Qt::ShiftModifier : Qt::NoModifier, at(t));
        settle();
    }
    EXPECT_EQ(Host::instance().pickList().size(), 3u);
    clickButton("Align Left");
    clickButton("Space Evenly Vertically");
    std::vector<quorvin::host::PaperRect> boxes;
    for (const auto &f : quorvin::host::workspaceDrawing())
        if (f.uniqueId == Host::instance().currentFrame()->uniqueId)
            for (const auto &t : f.texts)
                for (const char *n : names)
                    if (t.string == n)
                        boxes.push_back(t.box);
    ASSERT_EQ(boxes.size(), 3u);
    std::sort(boxes.begin(), boxes.end(), [](auto &a, auto &b) { return a.top < b.top; });
    EXPECT_NEAR(boxes[0].left, boxes[1].left, 1e-6);
    EXPECT_NEAR(boxes[0].left, boxes[2].left, 1e-6);
    // Centres are spaced evenly (not the gaps between the boxes).
    auto centre = [](const quorvin::host::PaperRect &r) { return (r.top + r.bottom) / 2; };
    EXPECT_NEAR(centre(boxes[1]) - centre(boxes[0]), centre(boxes[2]) - centre(boxes[1]), 1e-3);
}

TEST_F(StudioTest, EmptyWorkspaceToBuiltCppDesignWithTheMouseAlone) {
    chooseMenu("menu-file", "action-new");
    openToolDialog();
    clickButton("Modal Dialog");
    ASSERT_EQ(Host::instance().frames().size(), 1u);
    const size_t texts = Host::instance().currentFrame()->texts.size();
    clickButton("Text Field");
    clickButton("Push Button");
    ASSERT_GT(Host::instance().currentFrame()->texts.size(), texts + 1);

    // Undo takes the push button away, redo brings it back.
    chooseMenu("menu-edit", "action-undo");
    EXPECT_EQ(Host::instance().currentFrame()->texts.size(), texts + 1);
    chooseMenu("menu-edit", "action-redo");
    EXPECT_GT(Host::instance().currentFrame()->texts.size(), texts + 1);

    clickButton("Preview Layout");
    GUIInt_t preview = 0;
    for (const auto &[id, d] : Host::instance().dialogs())
        if (d.up && d.title != "GUI Builder" && window_->guiWindows().window(id))
            preview = id;
    ASSERT_NE(preview, 0) << "no preview window";
    // The host's picture of the previewed dialog, from the Window menu.
    chooseMenu("menu-window", QString("host-picture-action-%1").arg(preview));
    auto *picture = window_->findChild<QLabel *>(QString("host-picture-%1").arg(preview));
    ASSERT_TRUE(picture);
    EXPECT_FALSE(picture->pixmap(Qt::ReturnByValue).isNull());

    chooseMenu("menu-file", "action-save-as");
    ASSERT_TRUE(fs::exists(work_ / "untitled.lay.json"));
    clickButton("Go Build");
    const auto &files = window_->lastBuildFiles();
    EXPECT_NE(std::find(files.begin(), files.end(), "guibld.cpp"), files.end());
    EXPECT_TRUE(fs::exists(work_ / "guibld.cpp"));
    auto *report = window_->findChild<QMessageBox *>("report");
    ASSERT_TRUE(report);
    EXPECT_TRUE(report->text().contains("guibld.cpp"));
    EXPECT_EQ(window_->recentFiles().front().toStdString(),
              fs::absolute(work_ / "untitled.lay.json").string());
}

TEST_F(StudioTest, ProblemsPanelListsTheChecksAndAClickPicksTheControl) {
    openSample();
    std::vector<uint64_t> twins;
    for (const char *label : {"Push Button", "Colour"}) {
        const auto *t = textNamed(label);
        ASSERT_TRUE(t) << label;
        twins.push_back(t->handle);
        std::string error;
        ASSERT_TRUE(Host::instance().setTextCommand(
            reinterpret_cast<Text_ID>(static_cast<uintptr_t>(t->handle)), "VarName=Twice", &error))
            << error;
    }
    QTest::mouseClick(window_->findChild<QPushButton *>("check-design"), Qt::LeftButton);
    settle();
    const auto &problems = window_->problemsPanel()->problems();
    int row = -1;
    for (size_t i = 0; i < problems.size(); ++i)
        if (problems[i].message.find("same identifier") != std::string::npos)
            row = static_cast<int>(i);
    ASSERT_GE(row, 0) << problems.size() << " findings, none on the repeated identifier";
    ASSERT_NE(problems[static_cast<size_t>(row)].text, 0u);
    QListWidget *list = window_->problemsPanel()->list();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
    settle();
    const auto picks = Host::instance().pickList();
    ASSERT_EQ(picks.size(), 1u);
    EXPECT_EQ(picks[0].handle, problems[static_cast<size_t>(row)].text);
    EXPECT_NE(std::find(twins.begin(), twins.end(), picks[0].handle), twins.end());
}

TEST_F(StudioTest, ScreenshotShowsPaperFramesAndToolDialog) {
    openSample();
    openToolDialog();
    const QImage shot = window_->screenshot();
    const fs::path file = fs::path(QGB_BINARY_DIR) / "studio-screenshot.png";
    ASSERT_TRUE(shot.save(QString::fromStdString(file.string())));
    // The desk around the paper, a frame's background where the workspace
    // draws it, and the tool dialog beside the main window.
    auto *view = window_->workspace();
    const QPoint origin = view->mapTo(window_.get(), QPoint(0, 0));
    EXPECT_EQ(shot.pixelColor(origin + QPoint(4, 4)), QColor(200, 204, 210));
    // A point of the current frame that no text, geometry or header covers
    // and that the scroll area shows.
    const auto drawing = quorvin::host::workspaceDrawing();
    const auto &top = drawing.back();
    auto covered = [&top](double x, double y) {
        auto in = [x, y](const quorvin::host::PaperRect &r) {
            return x > r.left - 0.05 && x < r.right + 0.05 && y > r.top - 0.05 &&
                   y < r.bottom + 0.05;
        };
        bool any = y < top.rect.top + quorvin::host::kFrameHeaderInches + 0.05;
        for (const auto &t : top.texts)
            any = any || in(t.box);
        for (const auto &g : top.geoms)
            any = any || in(g.bounds);
        return any;
    };
    const QRect shown = view->visibleRegion().boundingRect();
    std::optional<QPoint> free;
    for (double y = top.rect.top + 0.1; !free && y < top.rect.bottom - 0.1; y += 0.1)
        for (double x = top.rect.left + 0.1; !free && x < top.rect.right - 0.1; x += 0.1) {
            const QPoint at = view->toWidget(x, y).toPoint();
            if (!covered(x, y) && shown.contains(at))
                free = at;
        }
    ASSERT_TRUE(free);
    EXPECT_EQ(shot.pixelColor(origin + *free),
              QColor(top.background.r, top.background.g, top.background.b));
    EXPECT_GT(shot.width(), window_->width() + 100);
    // Every add-on window is a window of its own, never painted into the paper.
    for (const auto &[id, d] : Host::instance().dialogs()) {
        if (QDialog *w = window_->guiWindows().window(id)) {
            EXPECT_TRUE(w->isWindow()) << d.title;
        }
    }
}

TEST_F(StudioTest, IdleQueueRunsOnlyWhenTheEventLoopWouldBlock) {
    ASSERT_EQ(Host::instance().idlePending(), 0u);
    window_->runCommand("texts changed", [](std::string *) {
        Host::instance().sendStateChange(StateChange_Text);
        return true;
    });
    // Events still being handled: the loop never had to wait.
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    EXPECT_EQ(Host::instance().idlePending(), 1u);
    settle();
    EXPECT_EQ(Host::instance().idlePending(), 0u);
}

TEST_F(StudioTest, ToolDialogHeadingsClearTheirButtons) {
    openToolDialog();
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
