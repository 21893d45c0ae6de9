// A Qt program of its own (the reference host does not load it): the main
// window and every dialog the design describes, built by the generated
// classes against the GUI Builder's Qt SDK (Quorvin::qtsdk). Your callbacks
// are in callbacks.cpp. Callbacks queued for idle time run from a
// zero-interval timer.
//
//   {{NAME}}                     shows the Greeting dialog
//   {{NAME}} --list              prints the dialog's controls (name, class, text)
//                                and quits
//   {{NAME}} --snapshot FILE.png saves a picture of the dialog and quits
#define GUIDEFS_MODULE_
#include "quorvin_generated.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QLabel>
#include <QTimer>

#include <algorithm>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

namespace {

void ListControls(QWidget *dialog) {
    std::cout << "dialog \"" << dialog->windowTitle().toStdString() << "\"\n";
    std::vector<std::string> lines;
    for (QWidget *w : dialog->findChildren<QWidget *>()) {
        const std::string name = w->objectName().toStdString();
        if (name.empty() || name.rfind("qt_", 0) == 0)
            continue;
        std::string line = name + " " + w->metaObject()->className();
        if (auto *label = qobject_cast<QLabel *>(w))
            line += " \"" + label->text().toStdString() + "\"";
        if (auto *button = qobject_cast<QAbstractButton *>(w))
            line += " \"" + button->text().remove('&').toStdString() + "\"";
        if (auto *box = qobject_cast<QDialogButtonBox *>(w))
            for (QAbstractButton *button : box->buttons())
                line += " \"" + button->text().remove('&').toStdString() + "\"";
        lines.push_back(line);
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

    // The dialog the design calls "Greeting" (Dialog1Manager), built above.
    QDialog *dialog = &GreetingDialog::getInstance();
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
