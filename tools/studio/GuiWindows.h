// The add-on's dialogs as real windows: every dialog and sidebar recorded
// through the GUI API that is up gets a Qt window with its controls, menus
// and standard buttons. What a person does there goes through the driving
// API (press, toggles, radio boxes, text fields), and the windows follow the
// records again after every command (sync).
#pragma once

#include "quorvin/Host.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <map>
#include <string>

class QDialog;

namespace studio {

// Runs one host command on behalf of the user: a description, and the action
// that returns false with *error set when the host refused it.
using CommandRunner =
    std::function<void(const std::string &what, const std::function<bool(std::string *)> &action)>;

class GuiWindows {
  public:
    GuiWindows(QWidget *owner, CommandRunner run);
    ~GuiWindows();
    GuiWindows(const GuiWindows &) = delete;
    GuiWindows &operator=(const GuiWindows &) = delete;

    // Brings the windows in line with the GUI records: windows for dialogs
    // that came up, none for dialogs that went down, values, sensitivity and
    // labels as recorded.
    void sync();
    // The window of a dialog that is up, or null.
    QDialog *window(GUIInt_t dialog) const;
    // The widget (or, for menu items, the menu that holds the action) of a
    // control, or null.
    QWidget *widget(GUIInt_t control) const;
    // Shows the picture the host renders for a dialog, beside its window.
    void showHostPicture(GUIInt_t dialog);

  private:
    struct Window {
        QPointer<QDialog> dialog;
        size_t controls = 0; // records built into the window
        std::map<GUIInt_t, QPointer<QWidget>> widgets;
        std::map<GUIInt_t, QPointer<QObject>> actions; // menu items and menus
    };
    void build(const quorvin::host::GuiDialog &record, Window &window);
    void update(const quorvin::host::GuiDialog &record, Window &window);
    QWidget *makeControl(const quorvin::host::GuiControl &c, QWidget *parent, Window &window);

    QWidget *owner_;
    CommandRunner run_;
    std::map<GUIInt_t, Window> windows_;
};

} // namespace studio
