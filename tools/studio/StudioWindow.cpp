#include "StudioWindow.h"

#include "Authoring.h"
#include "WorkspaceView.h"
#include "model/Settings.h"
#include "options/Options.h"

#include "../qgb/BuildVerb.h"
#include "../check/Check.h"
#include "../qgb/Session.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QInputDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSettings>
#include <QStatusBar>
#include <QVBoxLayout>

#include <sstream>

namespace studio {

using quorvin::host::Frame;
using quorvin::host::Host;
using quorvin::host::Message;
using quorvin::host::Text;

namespace {

constexpr int kMaxRecentFiles = 8;
constexpr const char *kRecentKey = "recentFiles";

QString q(const std::string &s) {
    return QString::fromStdString(s);
}

// Everything of the workspace a person can see or change, to tell whether a
// command changed it.
std::string fingerprint(const Host::WorkspaceSnapshot &snapshot) {
    std::ostringstream out;
    out.precision(17);
    for (const Frame &f : snapshot.frames) {
        const auto &s = f.spec;
        out << 'F' << f.uniqueId << '|' << s.name << '|' << s.x << ',' << s.y << ',' << s.width
            << ',' << s.height << ',' << s.linkGroup << ',' << s.linkSizeAndPosition << ','
            << s.showHeader << ',' << s.backgroundColor << '\n';
        for (const auto &t : f.texts) {
            const auto &ts = t.spec;
            out << 'T' << t.handle << '|' << ts.string << '|' << ts.command << '|' << ts.coordSys
                << ',' << ts.x << ',' << ts.y << ',' << ts.sizeUnits << ',' << ts.height << ','
                << ts.angle << ',' << ts.anchor << ',' << ts.font << ',' << ts.color << ','
                << ts.boxType << ',' << ts.margin << ',' << ts.boxColor << ',' << ts.fillColor
                << ',' << ts.lineThickness << ',' << ts.lineSpacing << ',' << ts.scope << '\n';
        }
        for (const auto &g : f.geoms) {
            const auto &gs = g.spec;
            out << 'G' << g.handle << '|' << gs.type << '|' << gs.command << '|' << gs.coordSys
                << ',' << gs.x << ',' << gs.y << ',' << gs.z << ',' << gs.width << ',' << gs.height
                << ',' << g.drawOrder << '|' << gs.imageFile;
            for (const auto &line : gs.polylines) {
                out << ';';
                for (const auto &p : line)
                    out << p.x << ' ' << p.y << ' ';
            }
            out << '\n';
        }
    }
    return out.str();
}

constexpr const char *kStartAddOn = "start the add-on";

bool isQuestion(MessageBoxType_e type) {
    return type >= MessageBox_WarningOkCancel;
}

bool modalDialogUp() {
    for (const auto &[id, d] : Host::instance().dialogs())
        if (d.up && d.kind == "Modal")
            return true;
    return false;
}

} // namespace

Resources liveResources() {
    const Host &host = Host::instance();
    return {host.liveStrings(), host.liveSets(), host.liveStringLists(), host.liveArgLists()};
}

bool Resources::leakedSince(const Resources &before) const {
    return strings > before.strings || sets > before.sets || stringLists > before.stringLists ||
           argLists > before.argLists;
}

std::string Resources::describe() const {
    return std::to_string(strings) + " string(s), " + std::to_string(sets) + " set(s), " +
           std::to_string(stringLists) + " string list(s), " + std::to_string(argLists) +
           " argument list(s)";
}

StudioWindow::StudioWindow(const StudioOptions &options, QWidget *parent)
    : QMainWindow(parent), options_(options) {
    setObjectName("studio");
    setWindowTitle("Quorvin GUI Builder Studio");
    Host &host = Host::instance();
    host.reset();
    if (options_.hostVersion)
        host.setVersion(*options_.hostVersion);
    if (options_.startDirectory.isEmpty())
        options_.startDirectory = QDir::currentPath();

    auto run = [this](const std::string &what, const std::function<bool(std::string *)> &a) {
        runCommand(what, a);
    };
    gui_ = std::make_unique<GuiWindows>(this, run);
    view_ = new WorkspaceView(run);
    auto *scroll = new QScrollArea(this);
    scroll->setWidget(view_);
    scroll->setWidgetResizable(false);
    setCentralWidget(scroll);

    // Side panel: the picked text's string and command, the frame's name.
    auto *side = new QWidget(this);
    auto *form = new QFormLayout(side);
    textString_ = new QPlainTextEdit(side);
    textString_->setObjectName("text-string");
    textString_->setMaximumHeight(80);
    textCommand_ = new QLineEdit(side);
    textCommand_->setObjectName("text-command");
    frameName_ = new QLineEdit(side);
    frameName_->setObjectName("frame-name");
    auto *apply = new QPushButton("Apply", side);
    apply->setObjectName("apply-properties");
    form->addRow("Text:", textString_);
    form->addRow("Macro command:", textCommand_);
    form->addRow("Frame name:", frameName_);
    form->addRow(apply);
    connect(apply, &QPushButton::clicked, this, [this] {
        const std::vector<Host::PickedObject> picks = Host::instance().pickList();
        const Frame *frame = Host::instance().currentFrame();
        const std::string string = textString_->toPlainText().toStdString();
        const std::string command = textCommand_->text().toStdString();
        const std::string name = frameName_->text().toStdString();
        runCommand("edit properties", [picks, frame, string, command, name](std::string *error) {
            if (picks.size() == 1 && picks.front().type == PickObject_Text) {
                const Text *t = Host::instance().findText(
                    reinterpret_cast<Text_ID>(static_cast<uintptr_t>(picks.front().handle)));
                if (t && t->spec.string != string &&
                    !setTextString(picks.front().handle, string, error))
                    return false;
                if (t && t->spec.command != command &&
                    !setTextCommand(picks.front().handle, command, error))
                    return false;
            }
            if (frame && frame->spec.name != name)
                return setFrameName(frame->uniqueId, name, error);
            return true;
        });
    });
    auto *sideDock = new QDockWidget("Properties", this);
    sideDock->setObjectName("properties-dock");
    sideDock->setWidget(side);
    addDockWidget(Qt::RightDockWidgetArea, sideDock);

    problems_ = new ProblemsPanel([this](const Problem &p) {
        if (p.frame == 0)
            return;
        runCommand("pick frame", [frame = p.frame](std::string *error) {
            return Host::instance().pickFrame(frame, error);
        });
        if (p.text != 0)
            runCommand("pick text", [text = p.text](std::string *error) {
                return Host::instance().pickText(
                    reinterpret_cast<Text_ID>(static_cast<uintptr_t>(text)), false, error);
            });
    });
    problems_->setSource([] {
        // The checks of qgb check, with the settings the build would use
        // (dlb.cfg beside the layout); each finding points at its frame and,
        // by its text, at its control.
        namespace qb = quorvin::builder;
        qb::BuilderSettings = qb::BuilderSettingsT{};
        qb::ReadConfigFile();
        std::vector<Problem> problems;
        const auto &frames = Host::instance().frames();
        for (const qgb::Finding &f : qgb::CheckDesign(-1)) {
            Problem p;
            p.message = std::string(qgb::SeverityName(f.severity)) + ": " + f.message;
            if (!f.advice.empty())
                p.message += " (" + f.advice + ")";
            if (f.frameIndex >= 1 && static_cast<size_t>(f.frameIndex) <= frames.size()) {
                const auto &frame = frames[static_cast<size_t>(f.frameIndex) - 1];
                p.frame = frame.uniqueId;
                for (const auto &t : frame.texts)
                    if (!f.controlText.empty() && t.spec.string == f.controlText) {
                        p.text = t.handle;
                        break;
                    }
            }
            problems.push_back(std::move(p));
        }
        return problems;
    });
    auto *problemsDock = new QDockWidget("Problems", this);
    problemsDock->setObjectName("problems-dock");
    problemsDock->setWidget(problems_);
    addDockWidget(Qt::RightDockWidgetArea, problemsDock);

    messages_ = new QListWidget(this);
    messages_->setObjectName("messages");
    auto *messagesDock = new QDockWidget("Messages", this);
    messagesDock->setObjectName("messages-dock");
    messagesDock->setWidget(messages_);
    addDockWidget(Qt::BottomDockWidgetArea, messagesDock);

    // The idle queue runs when the event loop has nothing left to do and is
    // about to wait: the run itself is posted, so the loop wakes up for it.
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
            [this] {
                if (idleRunPosted_ || busy_ || quit_ || Host::instance().idlePending() == 0)
                    return;
                idleRunPosted_ = true;
                QMetaObject::invokeMethod(this, &StudioWindow::runIdle, Qt::QueuedConnection);
            });

    host.setMessageObserver([this](const Message &m) {
        if (m.call == Message::Call::PleaseWait) {
            statusBar()->showMessage(m.answer ? q(m.text) : QString());
            return;
        }
        messages_->addItem(q(qgb::DescribeMessage(m)));
        messages_->scrollToBottom();
    });
    // Questions and choosers nobody queued an answer for are asked here.
    Host::Prompter prompter;
    prompter.question = [this](const std::string &text, MessageBoxType_e type) {
        QMessageBox box(this);
        box.setObjectName("question");
        box.setWindowTitle("Quorvin GUI Builder");
        box.setText(q(text));
        if (type == MessageBox_WarningOkCancel) {
            box.setIcon(QMessageBox::Warning);
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        } else if (type == MessageBox_YesNoCancel) {
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        } else {
            box.setIcon(QMessageBox::Question);
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        }
        const int answer = box.exec();
        return answer == QMessageBox::Ok || answer == QMessageBox::Yes;
    };
    prompter.fileName = [this](SelectFileOption_e option, const std::string &typeName,
                               const std::string &defaultName,
                               const std::string &filter) -> std::optional<std::string> {
        QFileDialog dialog(this, q(typeName), options_.startDirectory,
                           filter.empty() ? QString() : q(typeName + " (" + filter + ")"));
        dialog.setObjectName("file-chooser");
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        const bool writing = option == SelectFileOption_WriteFile;
        dialog.setAcceptMode(writing ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        dialog.setFileMode(writing ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        if (!defaultName.empty())
            dialog.selectFile(q(defaultName));
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        return dialog.selectedFiles().front().toStdString();
    };
    prompter.color = [this]() -> std::optional<ColorIndex_t> {
        static const char *basic[] = {"Black", "Red",    "Green",  "Blue",
                                      "Cyan",  "Yellow", "Purple", "White"};
        QStringList names;
        for (int i = 0; i < 64; ++i)
            names << (i < 8 ? QString("%1 %2").arg(i).arg(basic[i])
                            : QString("%1 Custom %2").arg(i).arg(i - 7));
        bool ok = false;
        const QString chosen =
            QInputDialog::getItem(this, "Colour", "Colour:", names, 0, false, &ok);
        if (!ok)
            return std::nullopt;
        return static_cast<ColorIndex_t>(names.indexOf(chosen));
    };
    host.setPrompter(prompter);

    buildMenus();
    resize(1280, 900);
    afterCommand();
}

StudioWindow::~StudioWindow() {
    Host &host = Host::instance();
    if (!quit_) {
        quit_ = true;
        host.quit();
    }
    host.setPrompter({});
    host.setMessageObserver(nullptr);
}

void StudioWindow::buildMenus() {
    QMenu *file = menuBar()->addMenu("&File");
    file->setObjectName("menu-file");
    auto add = [this](QMenu *menu, const QString &label, const char *name, QKeySequence key,
                      std::function<void()> slot) {
        QAction *a = menu->addAction(label);
        a->setObjectName(name);
        a->setShortcut(key);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    add(file, "&New", "action-new", QKeySequence::New, [this] {
        if (confirmDiscard())
            newLayout();
    });
    add(file, "&Open...", "action-open", QKeySequence::Open, [this] {
        if (!confirmDiscard())
            return;
        QFileDialog dialog(this, "Open Layout", options_.startDirectory,
                           "Layouts (*.lay.json *.json)");
        dialog.setObjectName("open-dialog");
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setFileMode(QFileDialog::ExistingFile);
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
            openLayout(dialog.selectedFiles().front());
    });
    recentMenu_ = file->addMenu("Open &Recent");
    recentMenu_->setObjectName("menu-recent");
    connect(recentMenu_, &QMenu::aboutToShow, this, [this] {
        recentMenu_->clear();
        for (const QString &path : recentFiles())
            connect(recentMenu_->addAction(path), &QAction::triggered, this, [this, path] {
                if (confirmDiscard())
                    openLayout(path);
            });
    });
    add(file, "&Save", "action-save", QKeySequence::Save, [this] { save(); });
    add(file, "Save &As...", "action-save-as", QKeySequence::SaveAs, [this] {
        QFileDialog dialog(this, "Save Layout As", options_.startDirectory, "Layouts (*.lay.json)");
        dialog.setObjectName("save-dialog");
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        const std::string current = Host::instance().layoutFileName();
        dialog.selectFile(current.empty() ? "untitled.lay.json" : q(current));
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
            saveAs(dialog.selectedFiles().front());
    });
    file->addSeparator();
    add(file, "&Quit", "action-quit", QKeySequence::Quit, [this] { close(); });

    QMenu *edit = menuBar()->addMenu("&Edit");
    edit->setObjectName("menu-edit");
    undoAction_ = add(edit, "&Undo", "action-undo", QKeySequence::Undo, [this] { undo(); });
    redoAction_ = add(edit, "&Redo", "action-redo", QKeySequence::Redo, [this] { redo(); });

    hostMenus_ = menuBar()->addMenu("&Tools");
    hostMenus_->setObjectName("menu-tools");

    windowMenu_ = menuBar()->addMenu("&Window");
    windowMenu_->setObjectName("menu-window");
    connect(windowMenu_, &QMenu::aboutToShow, this, [this] {
        windowMenu_->clear();
        for (const auto &[id, d] : Host::instance().dialogs()) {
            if (!d.up && !d.active)
                continue;
            const GUIInt_t dialog = id;
            QAction *a = windowMenu_->addAction("Host Picture of \"" + q(d.title) + "\"");
            a->setObjectName(QString("host-picture-action-%1").arg(id));
            connect(a, &QAction::triggered, this,
                    [this, dialog] { gui_->showHostPicture(dialog); });
        }
    });
}

// The menus the add-ons added: "Tools > Quorvin GUI Builder" and any other.
void StudioWindow::rebuildHostMenus() {
    hostMenus_->clear();
    for (const Host::MenuOption &option : Host::instance().menuOptions()) {
        QMenu *menu = hostMenus_;
        if (option.menu != "Tools")
            menu = hostMenus_->addMenu(q(option.menu));
        QAction *a = menu->addAction(q(option.label));
        a->setObjectName(q("host-menu-" + option.label));
        const std::string menuName = option.menu, label = option.label;
        connect(a, &QAction::triggered, this, [this, menuName, label] {
            runCommand(menuName + " > " + label, [menuName, label](std::string *error) {
                return Host::instance().chooseMenuOption(menuName, label, error);
            });
        });
    }
}

bool StudioWindow::startAddOn(std::string *error) {
    bool ok = false;
    runCommand(
        kStartAddOn,
        [this, &ok, error](std::string *why) {
            ok = Host::instance().loadAddOnModule(options_.modulePath, why);
            if (!ok && error)
                *error = *why;
            return ok;
        },
        UndoStep::None);
    rebuildHostMenus();
    return ok;
}

// ---- commands

void StudioWindow::runCommand(const std::string &what,
                              const std::function<bool(std::string *)> &action, UndoStep step) {
    if (busy_) {
        // A person can act while a question or chooser is open; the host is
        // in the middle of a command then and takes nothing else.
        statusBar()->showMessage(q("Busy: " + what + " must wait for the open question"), 4000);
        return;
    }
    busy_ = true;
    Host &host = Host::instance();
    const Host::WorkspaceSnapshot before = host.snapshotWorkspace();
    const std::string beforePrint = fingerprint(before);
    const size_t faults = host.faults().size();
    const Resources resources = liveResources();
    const size_t messages = host.messages().size();
    const std::string layout = host.layoutFileName();
    const QString directory = layout.empty() ? QString() : QFileInfo(q(layout)).absolutePath();
    const qgb::DirectorySnapshot files = directory.isEmpty()
                                             ? qgb::DirectorySnapshot{}
                                             : qgb::SnapshotDirectory(directory.toStdString());

    std::string error;
    if (!action(&error) && !error.empty()) {
        messages_->addItem(q("studio: " + what + ": " + error));
        statusBar()->showMessage(q(error), 6000);
    }
    checkInvariants(what, faults,
                    step == UndoStep::None && what == kStartAddOn ? nullptr : &resources);
    if (step != UndoStep::None && fingerprint(host.snapshotWorkspace()) != beforePrint) {
        if (step == UndoStep::Record || undo_.empty())
            undo_.push_back(before);
        redo_.clear();
    }
    // Messages of this command, and the files a build wrote.
    const std::vector<Message> shown(host.messages().begin() + static_cast<long>(messages),
                                     host.messages().end());
    std::vector<std::string> written;
    if (std::any_of(shown.begin(), shown.end(), qgb::IsBuildSuccessReport) &&
        !directory.isEmpty()) {
        written = qgb::WrittenFiles(files, directory.toStdString());
        buildFiles_ = written;
    }
    busy_ = false;
    showReport(shown, written);
    afterCommand();
}

void StudioWindow::checkInvariants(const std::string &what, size_t faultsBefore,
                                   const Resources *before) {
    Host &host = Host::instance();
    std::vector<std::string> found;
    for (size_t i = faultsBefore; i < host.faults().size(); ++i)
        found.push_back("host fault: " + host.faults()[i]);
    // The add-on keeps what its start-up allocated for its life; any other
    // command must give back what it took.
    const Resources after = liveResources();
    if (before && after.leakedSince(*before))
        found.push_back("host resources leaked: " + after.describe() + " live, " +
                        before->describe() + " before");
    if (host.lockHeld() && !modalDialogUp())
        found.push_back("a lock is still held");
    for (const std::string &f : found) {
        failures_.push_back(what + ": " + f);
        messages_->addItem(q("studio: " + what + ": " + f));
    }
}

void StudioWindow::afterCommand() {
    gui_->sync();
    view_->refresh();
    updateSidePanel();
    undoAction_->setEnabled(canUndo());
    redoAction_->setEnabled(canRedo());
    const std::string layout = Host::instance().layoutFileName();
    setWindowTitle(q(layout.empty() ? "Untitled" : QFileInfo(q(layout)).fileName().toStdString()) +
                   " - Quorvin GUI Builder Studio");
}

void StudioWindow::runIdle() {
    idleRunPosted_ = false;
    // A question or chooser opened in the meantime: the loop blocks again
    // once it is answered.
    if (busy_ || quit_)
        return;
    // What the idle callbacks change (anchoring) belongs to the command that
    // queued them; callbacks they queue themselves wait for the next idle.
    runCommand(
        "idle",
        [](std::string *) {
            Host::instance().runIdle();
            return true;
        },
        UndoStep::MergeWithLast);
}

void StudioWindow::updateSidePanel() {
    const Host &host = Host::instance();
    const std::vector<Host::PickedObject> picks = host.pickList();
    const Frame *frame = host.currentFrame();
    const Text *text = nullptr;
    if (picks.size() == 1 && picks.front().type == PickObject_Text)
        text =
            host.findText(reinterpret_cast<Text_ID>(static_cast<uintptr_t>(picks.front().handle)));
    textString_->setPlainText(text ? q(text->spec.string) : QString());
    textCommand_->setText(text ? q(text->spec.command) : QString());
    textString_->setEnabled(text != nullptr);
    textCommand_->setEnabled(text != nullptr);
    frameName_->setText(frame ? q(frame->spec.name) : QString());
    frameName_->setEnabled(frame != nullptr);
}

void StudioWindow::showReport(const std::vector<Message> &shown,
                              const std::vector<std::string> &files) {
    QStringList lines;
    for (const Message &m : shown)
        if (m.call == Message::Call::ErrMsg ||
            (m.call == Message::Call::MessageBox && !isQuestion(m.boxType)))
            lines << q(qgb::DescribeMessage(m));
    if (!files.empty()) {
        lines << ""
              << "Files written:";
        for (const std::string &f : files)
            lines << q(f);
    }
    if (lines.isEmpty())
        return;
    auto *box = findChild<QMessageBox *>("report");
    if (!box) {
        box = new QMessageBox(this);
        box->setObjectName("report");
        box->setWindowTitle("Quorvin GUI Builder");
        box->setModal(false);
    }
    box->setText(lines.join('\n'));
    box->show();
}

// ---- files

bool StudioWindow::openLayout(const QString &path) {
    bool ok = false;
    runCommand(
        "open " + path.toStdString(),
        [&ok, path](std::string *error) {
            ok = Host::instance().loadLayout(path.toStdString(), error);
            return ok;
        },
        UndoStep::None);
    if (ok) {
        undo_.clear();
        redo_.clear();
        rememberRecent(QFileInfo(path).absoluteFilePath());
        afterCommand();
    }
    return ok;
}

void StudioWindow::newLayout() {
    runCommand(
        "new layout",
        [](std::string *) {
            Host &host = Host::instance();
            host.restoreWorkspace({});
            host.setLayoutFileName("");
            host.sendStateChange(StateChange_LayoutOpened);
            return true;
        },
        UndoStep::None);
    undo_.clear();
    redo_.clear();
    afterCommand();
}

bool StudioWindow::save() {
    const std::string name = Host::instance().layoutFileName();
    if (name.empty()) {
        for (QAction *a : findChildren<QAction *>("action-save-as"))
            a->trigger();
        return !Host::instance().layoutFileName().empty();
    }
    return saveAs(q(name));
}

bool StudioWindow::saveAs(const QString &path) {
    bool ok = false;
    runCommand(
        "save " + path.toStdString(),
        [&ok, path](std::string *error) {
            ok = Host::instance().saveLayout(path.toStdString(), error);
            return ok;
        },
        UndoStep::None);
    if (ok)
        rememberRecent(QFileInfo(path).absoluteFilePath());
    return ok;
}

QStringList StudioWindow::recentFiles() const {
    return QSettings().value(kRecentKey).toStringList();
}

void StudioWindow::rememberRecent(const QString &path) {
    QStringList recent = recentFiles();
    recent.removeAll(path);
    recent.prepend(path);
    while (recent.size() > kMaxRecentFiles)
        recent.removeLast();
    QSettings().setValue(kRecentKey, recent);
}

bool StudioWindow::confirmDiscard() {
    // Undo steps tell whether the design changed since it was opened.
    if (undo_.empty())
        return true;
    return QMessageBox::question(this, "Quorvin GUI Builder Studio",
                                 "Discard the changes to this design?") == QMessageBox::Yes;
}

// ---- undo

void StudioWindow::undo() {
    stepHistory(undo_, redo_, "undo");
}

void StudioWindow::redo() {
    stepHistory(redo_, undo_, "redo");
}

// Restores the newest snapshot of `from` and keeps the present workspace in `to`.
void StudioWindow::stepHistory(std::vector<Host::WorkspaceSnapshot> &from,
                               std::vector<Host::WorkspaceSnapshot> &to, const char *name) {
    if (from.empty())
        return;
    Host::WorkspaceSnapshot target = from.back();
    from.pop_back();
    to.push_back(Host::instance().snapshotWorkspace());
    runCommand(
        name,
        [&target](std::string *) {
            Host &host = Host::instance();
            host.restoreWorkspace(target);
            // The pick list is empty now; the add-on hears it as after a pick.
            host.sendStateChange(StateChange_PickListChanged);
            return true;
        },
        UndoStep::None);
}

// ---- pictures

QImage StudioWindow::screenshot() {
    QApplication::processEvents();
    // Each window drawn on its own (a grab of the screen would show the
    // windows over each other), side by side.
    QImage main(size(), QImage::Format_RGB32);
    render(&main);
    std::vector<QImage> parts{main};
    for (const auto &[id, d] : Host::instance().dialogs())
        if (QDialog *w = gui_->window(id); w && w->isVisible()) {
            QImage image(w->size(), QImage::Format_RGB32);
            w->render(&image);
            parts.push_back(image);
        }
    int width = 0, height = 0;
    for (const QImage &p : parts) {
        width += p.width() + 8;
        height = std::max(height, p.height());
    }
    QImage out(width, height, QImage::Format_RGB32);
    out.fill(QColor(80, 86, 96));
    QPainter painter(&out);
    int x = 0;
    for (const QImage &p : parts) {
        painter.drawImage(x, 0, p);
        x += p.width() + 8;
    }
    return out;
}

} // namespace studio
