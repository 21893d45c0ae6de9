/*
 * Quorvin add-on SDK: the one header an add-on includes.
 *
 * An add-on exports InitQorAddOn113, which the host calls once after loading
 * it. Everything else runs from callbacks the add-on registers.
 */
#ifndef QORADDON_H_
#define QORADDON_H_

#include "QORTYPES.h"
#include "QORUTIL.h"
#include "QORGUI.h"

/* The add-on's entry point. The host loads the add-on's module and calls
   InitQorAddOn113 once: it registers the add-on (QorUtilAddOnRegister), adds
   its menu options (QorUtilMenuAddOption) and state-change callbacks, and
   returns. It is the one symbol an add-on module must export. */
#if defined(_WIN32)
#define QOR_ADDON_ENTRY __declspec(dllexport)
#else
#define QOR_ADDON_ENTRY __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif
QOR_ADDON_ENTRY void InitQorAddOn113(void);
#ifdef __cplusplus
}
#endif

#endif /* QORADDON_H_ */
