/*
 * A hand-written add-on in the shape of the builder's generated classic code,
 * compiled twice: as C99 (generated_calls.c) and as C++17
 * (generated_calls_cpp.cpp). Each build exposes its entry points under its
 * own name so that one test program can run both against the host.
 */
#ifndef GENERATED_CALLS_H_
#define GENERATED_CALLS_H_

#include "QORADDON.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct GeneratedAddOn {
    void (*init)(void);           /* registers, adds "Tools/Generated <lang>" */
    const GUIInt_t *dialog1;      /* modal dialog manager */
    const GUIInt_t *dialog2;      /* modeless dialog manager */
    const GUIInt_t *sidebar1;     /* sidebar manager */
    const GUIInt_t *colourButton; /* the coloured button of dialog 1 */
    const GUIInt_t *formPage;     /* the form page of dialog 1 */
} GeneratedAddOn;

GeneratedAddOn GeneratedAddOnC(void);
GeneratedAddOn GeneratedAddOnCpp(void);

#ifdef __cplusplus
}
#endif

#endif /* GENERATED_CALLS_H_ */
