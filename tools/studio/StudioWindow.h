// The studio's main window: the paper, the host's menus (Tools > Quorvin GUI
// Builder), files, undo and redo, a side panel for a text's string and
// macro-function command and the frame's name, the design problems and the
// messages. Every action of the person is one host command, run through
// runCommand(), which checks the host's invariants after it, records an undo
// step when the workspace changed, brings the add-on's windows in line with
// the GUI records; the idle queue runs when the event loop is about to block.
#pragma once

#include "GuiWindows.h"
#include "Problems.h"

#include "quorvin/Host.h"

#include <QMainWindow>

#include <optional>
#include <string>
#include <vector>

class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;

namespace studio {

class WorkspaceView;

// Host resources alive (strings, sets, string lists, argument lists).
struct Resources {
    size_t strings = 0, sets = 0, stringLists = 0, argLists = 0;
    bool leakedSince(const Resources &before) const;
    std::string describe() const;
};
Resources liveResources();

struct StudioOptions {
    std::string modulePath;
    std::optional<int32_t> hostVersion;
    // Where "Save As" and "Open" start; the current directory when empty.
    QString startDirectory;
};

class StudioWindow : public QMainWindow {
  public:
    explicit StudioWindow(const StudioOptions &options, QWidget *parent = nullptr);
    ~StudioWindow() override;

    // Loads the add-on module and runs its start-up. False with *error.
    bool startAddOn(std::string *error);
    bool openLayout(const QString &path);
    // An empty, unnamed workspace.
    void newLayout();
    // Saves under the current name ("Save As" when there is none).
    bool save();
    bool saveAs(const QString &path);
    void undo();
    void redo();
    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }

    enum class UndoStep { Record, MergeWithLast, None };
    void runCommand(const std::string &what, const std::function<bool(std::string *)> &action,
                    UndoStep step = UndoStep::Record);

    // Every broken host invariant seen so far: a host fault, a leaked host
    // resource or a lock left held after a command, naming the command.
    const std::vector<std::string> &invariantFailures() const { return failures_; }
    // The files the last successful build wrote, relative to the layout's directory.
    const std::vector<std::string> &lastBuildFiles() const { return buildFiles_; }
    QStringList recentFiles() const;

    WorkspaceView *workspace() const { return view_; }
    GuiWindows &guiWindows() { return *gui_; }
    QListWidget *messagesPanel() const { return messages_; }
    ProblemsPanel *problemsPanel() const { return problems_; }
    // A picture of the window with the add-on's windows that are up beside it.
    QImage screenshot();

  private:
    void buildMenus();
    void rebuildHostMenus();
    void afterCommand();
    void runIdle();
    // before: the resources before the command; null when it may keep some.
    void checkInvariants(const std::string &what, size_t faultsBefore, const Resources *before);
    void updateSidePanel();
    void rememberRecent(const QString &path);
    void showReport(const std::vector<quorvin::host::Message> &messages,
                    const std::vector<std::string> &files);
    bool confirmDiscard();

    StudioOptions options_;
    WorkspaceView *view_ = nullptr;
    std::unique_ptr<GuiWindows> gui_;
    QListWidget *messages_ = nullptr;
    ProblemsPanel *problems_ = nullptr;
    QPlainTextEdit *textString_ = nullptr;
    QLineEdit *textCommand_ = nullptr, *frameName_ = nullptr;
    QMenu *hostMenus_ = nullptr, *recentMenu_ = nullptr, *windowMenu_ = nullptr;
    QAction *undoAction_ = nullptr, *redoAction_ = nullptr;
    void stepHistory(std::vector<quorvin::host::Host::WorkspaceSnapshot> &from,
                     std::vector<quorvin::host::Host::WorkspaceSnapshot> &to, const char *name);
    std::vector<quorvin::host::Host::WorkspaceSnapshot> undo_, redo_;
    std::vector<std::string> failures_;
    std::vector<std::string> buildFiles_;
    bool busy_ = false;
    bool quit_ = false;
    bool idleRunPosted_ = false;
};

} // namespace studio
