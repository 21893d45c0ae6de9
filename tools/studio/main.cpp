// qgb-studio: the desktop front end of the Quorvin GUI Builder. The
// reference host with the add-on loaded, its workspace drawn and edited with
// the mouse, the add-on's dialogs as real windows. "qgb studio" runs it.
#include "StudioWindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

#include <iostream>

#ifndef QGB_DEFAULT_MODULE
#define QGB_DEFAULT_MODULE "libquorvin_gui_builder.so"
#endif

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName("Quorvin");
    QCoreApplication::setApplicationName("qgb-studio");
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Design, arrange, preview and build Quorvin GUI Builder layouts with the mouse.");
    parser.addHelpOption();
    const QCommandLineOption module("module", "The add-on module to load.", "PATH",
                                    QGB_DEFAULT_MODULE);
    const QCommandLineOption hostVersion("host-version", "The version the host reports.", "N");
    const QCommandLineOption screenshot(
        "screenshot", "Open LAYOUT with the tool dialog up, write a picture and quit.", "FILE.png");
    parser.addOption(module);
    parser.addOption(hostVersion);
    parser.addOption(screenshot);
    parser.addPositionalArgument("LAYOUT", "A layout file to open.", "[LAYOUT]");
    parser.process(app);
    if (parser.positionalArguments().size() > 1) {
        std::cerr << "error: at most one LAYOUT" << std::endl;
        return 2;
    }

    studio::StudioOptions options;
    options.modulePath = parser.value(module).toStdString();
    if (parser.isSet(hostVersion)) {
        bool ok = false;
        options.hostVersion = parser.value(hostVersion).toInt(&ok);
        if (!ok) {
            std::cerr << "error: --host-version needs a number" << std::endl;
            return 2;
        }
    }
    studio::StudioWindow window(options);
    std::string error;
    if (!window.startAddOn(&error)) {
        std::cerr << "error: " << error << std::endl;
        return 1;
    }
    if (!parser.positionalArguments().isEmpty() &&
        !window.openLayout(parser.positionalArguments().front()))
        return 1;
    window.show();
    if (parser.isSet(screenshot)) {
        window.runCommand("Tools > Quorvin GUI Builder", [](std::string *why) {
            return quorvin::host::Host::instance().chooseMenuOption("Tools", "Quorvin GUI Builder",
                                                                    why);
        });
        const QString path = parser.value(screenshot);
        if (!window.screenshot().save(path, "PNG")) {
            std::cerr << "error: cannot write " << path.toStdString() << std::endl;
            return 1;
        }
        std::cout << path.toStdString() << std::endl;
        return window.invariantFailures().empty() ? 0 : 1;
    }
    return app.exec();
}
