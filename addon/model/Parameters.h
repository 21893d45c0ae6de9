// Readers of the key=value parameters kept in frame names, macro-function
// commands and the strings of tab and form controls.
#pragma once

#include "QORADDON.h"
#include "model/HostResources.h"

#include <vector>

namespace quorvin::builder {

// Index of the first character of the key's value, or -1. The key is found as
// a substring (case-insensitive) anywhere outside quoted and bracketed runs.
int FindParameter(const char *str, const char *key);
// atoi of the value, or the default when the key is absent.
int GetIntParameter(const char *str, const char *key, int defaultValue);
// The "ID" parameter, -1 when absent.
int GetFrameId(const char *frameName);
// The value as a new host string (tag "GetStringTag"), null when absent. A
// quoted value ends at its closing quote; an unquoted one at the next double
// quote or the end of the string.
char *GetStringTag(const char *str, const char *key);
// True when the text is a recognised boolean word; the value is written only
// then.
bool ParseBoolean(const char *text, bool &value);
// The boolean value; an unrecognised one shows the not-recognised warning and
// gives the default.
bool GetBoolParameter(const char *str, const char *key, bool defaultValue);
// Reads a page or sidebar flag with ParseBoolean; an unrecognised value shows
// the not-recognised warning and counts as false. Absent: false.
// With report off an unrecognised value is false without the warning.
bool GetFlagParameter(const char *str, const char *key, bool report = true);
bool IsModeless(const char *frameName);
// True unless the frame name marks a form page or a tab page. With report,
// an unrecognised FORMPAGE or TABPAGE value shows the not-recognised warning.
bool IsPlainDialogFrame(const char *frameName, bool report = true);
// The title (at most 511 characters). The text lives until the next call.
const char *GetDialogTitle(const char *frameName);
bool GetShowLabel(const char *command);
bool GetTransparentColor(const char *command, int &red, int &green, int &blue);

// The not-recognised warning, with the key filled in (type 1 message box).
void ShowBooleanNotRecognized(const char *key);

// One control of the current frame in tab order.
struct TabOrderEntry {
    bool isText = false;
    int tabOrder = 0;
    Text_ID text = nullptr;
    Geom_ID geom = nullptr;
    // The text's or geometry's command, read once for the tab order and the
    // control alike (null when it has none).
    HostString command;
};
// Every geometry and then every text of the current frame, sorted by TabOrder
// (stable: equal values keep the collected order).
std::vector<TabOrderEntry> CollectTabOrder();

} // namespace quorvin::builder
