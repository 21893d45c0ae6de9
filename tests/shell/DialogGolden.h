// The add-on's dialogs as text, one line a control, compared byte for byte
// with a golden file under tests/ (QGB_UPDATE_GOLDEN names a directory to
// write the new outputs to instead). Shared by the shell and command tests.
#pragma once

#include "quorvin/Host.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace qgbtest {

// FNV-1a: enough to tell two pictures apart in a golden file.
inline std::string PictureHash(const std::vector<unsigned char> &bytes) {
    unsigned hash = 2166136261u;
    for (unsigned char b : bytes)
        hash = (hash ^ b) * 16777619u;
    char text[16];
    std::snprintf(text, sizeof text, "%08x", hash);
    return text;
}

// The labels of a menu control's menus, outermost first ("Insert>Dialog").
inline std::string MenuPath(GUIInt_t menu) {
    const quorvin::host::GuiControl *c = quorvin::host::Host::instance().findControl(menu);
    if (!c || c->kind != "Menu")
        return "";
    const std::string outer = MenuPath(c->parent);
    return (outer.empty() ? "" : outer + ">") + (c->labels.empty() ? "" : c->labels[0]);
}

// The dialog's callbacks, size and state, then each control (menus and
// pages included) in creation order: kind, menu or parent control (by its
// place in the list), labels, help text, tool tip, place, picture, value,
// the settings that are not the defaults, callbacks and whether it is
// insensitive.
inline std::string DescribeDialog(const quorvin::host::GuiDialog &dialog) {
    const quorvin::host::Host &host = quorvin::host::Host::instance();
    std::ostringstream out;
    out << dialog.kind << " \"" << dialog.title << "\" " << dialog.width << "x" << dialog.height;
    const std::pair<const char *, QorGUIVoidCallback_pf> callbacks[] = {
        {"init", dialog.init},         {"ok", dialog.ok},
        {"apply", dialog.apply},       {"cancel", dialog.cancel},
        {"help", dialog.help},         {"close", dialog.close},
        {"activate", dialog.activate}, {"deactivate", dialog.deactivate}};
    for (const auto &[name, callback] : callbacks)
        out << (callback ? " " : "") << (callback ? name : "");
    if (dialog.parent != BADDIALOGID)
        out << " parent " << dialog.parent;
    out << (dialog.addOn ? " add-on" : "") << (dialog.active ? " active" : "")
        << (dialog.up ? " up" : "") << "\n";
    const std::vector<GUIInt_t> &ids = dialog.controls;
    for (GUIInt_t id : ids) {
        const quorvin::host::GuiControl *c = host.findControl(id);
        out << c->kind;
        const quorvin::host::GuiControl *parent = host.findControl(c->parent);
        if (!MenuPath(c->parent).empty())
            out << " in " << MenuPath(c->parent);
        else if (parent && parent->kind != "MenuBar")
            out << " in #" << std::find(ids.begin(), ids.end(), c->parent) - ids.begin();
        for (const std::string &label : c->labels)
            out << " \"" << label << "\"";
        if (!c->helpText.empty())
            out << " help=\"" << c->helpText << "\"";
        if (!c->toolTip.empty())
            out << " tip=\"" << c->toolTip << "\"";
        if (c->x || c->y || c->width || c->height)
            out << " at " << c->x << "," << c->y << " " << c->width << "x" << c->height;
        if (!c->bitmap.empty())
            out << " picture " << c->bitmapWidth << "x" << c->bitmapHeight << " "
                << c->bitmap.size() << " " << PictureHash(c->bitmap);
        if (c->useTransparentColor)
            out << " transparent " << c->transparentRed << "," << c->transparentGreen << ","
                << c->transparentBlue;
        if (c->intValue)
            out << " value " << c->intValue;
        if (!c->optionList.empty())
            out << " options \"" << c->optionList << "\"";
        if (c->scaleMin || c->scaleMax || c->decimals)
            out << " range " << c->scaleMin << ".." << c->scaleMax << " decimals " << c->decimals;
        out << (c->numericDisplay ? "" : " no-number") << (c->readOnly ? " read-only" : "")
            << (c->multiSelection ? " multiple" : "");
        if (c->color)
            out << " color " << c->color;
        const std::pair<const char *, bool> calls[] = {{"void", c->voidCallback != nullptr},
                                                       {"void2", c->voidCallback2 != nullptr},
                                                       {"int", c->intCallback != nullptr},
                                                       {"int2", c->intCallback2 != nullptr},
                                                       {"text", c->textCallback != nullptr}};
        for (const auto &[name, set] : calls)
            out << (set ? " " : "") << (set ? name : "");
        out << (c->sensitive ? "" : " insensitive") << "\n";
    }
    return out.str();
}

// relative: the golden file's path below tests/, e.g. "golden/shell/x.txt".
inline void ExpectGolden(const std::string &relative, const std::string &actual) {
    if (const char *update = std::getenv("QGB_UPDATE_GOLDEN")) {
        std::ofstream(std::string(update) + "/" + relative.substr(relative.rfind('/') + 1),
                      std::ios::binary)
            << actual;
        return;
    }
    std::ifstream in(QGB_SOURCE_DIR "/tests/" + relative, std::ios::binary);
    ASSERT_TRUE(in.good()) << "no golden file tests/" << relative;
    std::ostringstream golden;
    golden << in.rdbuf();
    EXPECT_EQ(actual, golden.str()) << "differs from tests/" << relative;
}

} // namespace qgbtest
