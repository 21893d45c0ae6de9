// The application: the main window and every dialog the design describes,
// built by the generated code. Callbacks queued for idle time run from a
// zero-interval timer.
//
//   {{NAME}}                     shows the Greeting dialog
//   {{NAME}} --list              prints the dialog's controls and quits
//   {{NAME}} --snapshot FILE.png saves a picture of the dialog and quits
#define GUIDEFS_MODULE_
#include "quorvin_generated.h"

#include <QTimer>

#include <algorithm>
#include <cstring>
#include <iostream>

namespace {

// The dialog the design calls "Greeting" (its form is GreetingDialogUI).
QWidget *GreetingDialog() {
    for (QObject *object : MainWindowGenerated::qtWidgets())
        if (auto *dialog = qobject_cast<QDialog *>(object))
            if (dialog->objectName() == "GreetingDialogUI")
                return dialog;
    return nullptr;
}

void ListControls(QWidget *dialog) {
    std::cout << "dialog \"" << dialog->windowTitle().toStdString() << "\"\n";
    std::vector<std::string> lines;
    for (QWidget *w : dialog->findChildren<QWidget *>()) {
        const std::string name = w->objectName().toStdString();
        if (!name.empty() && name.rfind("qt_", 0) != 0)
            lines.push_back(name + " " + w->metaObject()->className());
    }
    std::sort(lines.begin(), lines.end());
    for (const std::string &line : lines)
        std::cout << line << "\n";
}

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    MainWindowGenerated window;
    buildAllSidebars();
    buildAllDialogs();
    QTimer idle;
    QObject::connect(&idle, &QTimer::timeout, [] {
        quorvin::sdk::integration::Manager::getInstance().getEventManager().runIdle();
    });
    idle.start(0);

    QWidget *dialog = GreetingDialog();
    if (!dialog) {
        std::cerr << "error: the design has no Greeting dialog\n";
        return 1;
    }
    dialog->show();
    app.processEvents();
    if (argc >= 2 && std::strcmp(argv[1], "--list") == 0) {
        ListControls(dialog);
        return 0;
    }
    if (argc >= 3 && std::strcmp(argv[1], "--snapshot") == 0) {
        if (!dialog->grab().save(argv[2], "PNG")) {
            std::cerr << "error: cannot save " << argv[2] << "\n";
            return 1;
        }
        std::cout << argv[2] << "\n";
        return 0;
    }
    window.show();
    return app.exec();
}
