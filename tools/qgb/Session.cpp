#include "Session.h"

#include <cmath>
#include <cstdio>
#include <iostream>
#include <sstream>

namespace qgb {

using quorvin::host::Host;
using quorvin::host::Message;

namespace {

const char *BoxPrefix(MessageBoxType_e type) {
    switch (type) {
    case MessageBox_Error:
        return "error";
    case MessageBox_Warning:
    case MessageBox_WarningOkCancel:
        return "warning";
    case MessageBox_Information:
        return "info";
    default:
        return "question";
    }
}

bool IsQuestion(MessageBoxType_e type) {
    return type == MessageBox_YesNo || type == MessageBox_YesNoCancel ||
           type == MessageBox_Question;
}

} // namespace

std::string DescribeMessage(const Message &message) {
    switch (message.call) {
    case Message::Call::ErrMsg:
        return "error: " + message.text;
    case Message::Call::MessageBox: {
        std::string text = std::string(BoxPrefix(message.boxType)) + ": " + message.text;
        if (IsQuestion(message.boxType))
            text += message.answer ? " [answered yes]" : " [answered no]";
        return text;
    }
    case Message::Call::PleaseWait:
        return "wait: " + message.text;
    case Message::Call::Help:
        return "help: " + message.text;
    }
    return message.text;
}

void PrintError(const std::string &text) {
    std::fflush(stdout);
    std::cerr << "error: " << text << std::endl;
}

const char *LanguageWord(int32_t language) {
    switch (language) {
    case 0:
        return "C";
    case 1:
        return "CPP";
    case 2:
        return "FORTRAN";
    case 3:
        return "QT";
    default:
        return "?";
    }
}

std::string FormatNumber(double value) {
    if (!std::isfinite(value))
        return std::to_string(value);
    std::ostringstream out;
    out.precision(6);
    out << std::fixed << value;
    std::string text = out.str();
    text.erase(text.find_last_not_of('0') + 1);
    if (!text.empty() && text.back() == '.')
        text.pop_back();
    if (text == "-0")
        text = "0";
    return text;
}

Session::Session(const GlobalOptions &options) : options_(options) {
    Host &h = host();
    h.reset();
    if (options_.hostVersion)
        h.setVersion(*options_.hostVersion);
    // Messages are printed the moment the add-on shows them, so that a long
    // build shows its progress and its warnings in order.
    h.setMessageObserver([](const Message &message) {
        if (message.call == Message::Call::PleaseWait)
            return;
        std::fflush(stdout);
        std::cerr << DescribeMessage(message) << std::endl;
    });
}

Session::~Session() {
    quit();
    host().setMessageObserver(nullptr);
}

void Session::quit() {
    if (quit_)
        return;
    quit_ = true;
    host().quit();
}

bool Session::loadLayout(const std::string &path) {
    std::string error;
    if (!host().loadLayout(path, &error)) {
        PrintError(error.empty() ? "cannot load layout " + path : error);
        return false;
    }
    return true;
}

bool Session::loadAddOn(const std::string &modulePath) {
    std::string error;
    if (!host().loadAddOnModule(modulePath, &error)) {
        PrintError(error.empty() ? "cannot load add-on module " + modulePath : error);
        return false;
    }
    return true;
}

bool Session::reportNewFaults() {
    const std::vector<std::string> &faults = host().faults();
    bool any = false;
    for (; faultsReported_ < faults.size(); ++faultsReported_) {
        PrintError("host fault: " + faults[faultsReported_]);
        any = true;
    }
    return any;
}

bool Session::errorShown() const {
    for (const Message &message : host().messages()) {
        if (message.call == Message::Call::ErrMsg)
            return true;
        if (message.call == Message::Call::MessageBox && message.boxType == MessageBox_Error)
            return true;
    }
    return false;
}

} // namespace qgb
