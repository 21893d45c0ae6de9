/*
 * The add-on: its entry point registers it with the host, adds the menu
 * option Tools > Greeting, initialises the generated code (InitDLB) and, when
 * the option is chosen, builds and launches the dialog designed in
 * design/greeting.lay.json. The dialog's callbacks are in callbacks.{{EXT}}.
 */
#include "ADDGLBL.h"
#include "GUIDEFS.h"

/* The registration handle every callback passes to the host's lock calls. */
AddOn_pa AddOnID = NULL;

/* Tools > Greeting: the dialog is built the first time (BuildDialog1 does
   nothing once Dialog1Manager is set) and launched. */
static void ShowGreeting(void) {
    QorUtilLockStart(AddOnID);
    BuildDialog1(BADDIALOGID);
    QorGUIDialogLaunch(Dialog1Manager);
    QorUtilLockFinish(AddOnID);
}

void InitQorAddOn113(void) {
    QorUtilLockOn();
    AddOnID = QorUtilAddOnRegister(100, "Greeting", "1.0", "{{NAME}}");
    InitDLB();
    QorUtilMenuAddOption("Tools", "Greeting", 'G', ShowGreeting);
    QorUtilLockOff();
}
