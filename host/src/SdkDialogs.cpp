// The QorUtil functions of the SDK: messages, the interface and colours. Every function records its
// call, checks its handles and arguments, records a fault for anything invalid and then returns a
// safe default; none of them throws or crashes on bad input.
#include "SdkArgs.h"
#include "StudioHooks.h"

using namespace quorvin::host::sdkargs;

extern "C" {

// ---------------------------------------------------------------------------
// Messages

void QorUtilDialogErrMsg(const char *Msg) {
    ENTER();
    if (!nonNull(h, Msg, __func__, "message"))
        return;
    Message m;
    m.call = Message::Call::ErrMsg;
    m.boxType = MessageBox_Error;
    m.text = Msg;
    h.show(m);
}

Boolean_t QorUtilDialogMessageBox(const char *Msg, MessageBoxType_e MessageBoxType) {
    ENTER();
    if (!nonNull(h, Msg, __func__, "message"))
        return FALSE;
    if (MessageBoxType < MessageBox_Error || MessageBoxType > MessageBox_Question) {
        h.fault(fn(__func__) + "unknown message box type " + std::to_string(MessageBoxType));
        return FALSE;
    }
    if (MessageBoxType >= MessageBox_WarningOkCancel) {
        qh::promptForAnswer(h, Msg, MessageBoxType);
        return h.ask(Msg, MessageBoxType) ? TRUE : FALSE;
    }
    Message m;
    m.call = Message::Call::MessageBox;
    m.boxType = MessageBoxType;
    m.text = Msg;
    h.show(m);
    return TRUE;
}

void QorUtilPleaseWait(const char *WaitMessage, Boolean_t DoStart) {
    ENTER();
    Message m;
    m.call = Message::Call::PleaseWait;
    m.text = WaitMessage ? WaitMessage : "";
    m.answer = DoStart != 0; // on or off
    h.show(m);
}

// ---------------------------------------------------------------------------
// Interface and colours

void QorUtilInterfaceGetDotsPerInch(double *HorzDotsPerInch, double *VertDotsPerInch) {
    ENTER();
    if (!nonNull(h, HorzDotsPerInch, __func__, "output") ||
        !nonNull(h, VertDotsPerInch, __func__, "output"))
        return;
    *HorzDotsPerInch = qh::kScreenDpi;
    *VertDotsPerInch = qh::kScreenDpi;
}

int32_t QorUtilInterfaceGetBaseFontSize(void) {
    ENTER();
    return 16;
}

void QorUtilColorMapGetBasicColorRGB(ColorIndex_t BasicColor, uint8_t *Red, uint8_t *Green,
                                     uint8_t *Blue) {
    ENTER();
    if (!nonNull(h, Red, __func__, "Red") || !nonNull(h, Green, __func__, "Green") ||
        !nonNull(h, Blue, __func__, "Blue"))
        return;
    *Red = *Green = *Blue = 0;
    if (!qh::validColor(BasicColor)) {
        h.fault(fn(__func__) + "colour index " + std::to_string(BasicColor) + " is not 0 to 63");
        return;
    }
    qh::colorRGB(BasicColor, Red, Green, Blue);
}

Boolean_t QorUtilDialogGetColor(Boolean_t AllowMultiColor, ColorIndex_t *Color) {
    ENTER();
    (void)AllowMultiColor;
    if (!nonNull(h, Color, __func__, "output pointer"))
        return FALSE;
    qh::promptForColor(h);
    if (h.colors.empty()) {
        h.fault("unanswered colour chooser");
        return FALSE;
    }
    std::optional<ColorIndex_t> answer = h.colors.front();
    h.colors.pop_front();
    if (!answer)
        return FALSE;
    *Color = *answer;
    return TRUE;
}

} // extern "C"
