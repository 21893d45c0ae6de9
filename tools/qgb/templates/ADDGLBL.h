/*
 * ADDGLBL.h: the add-on's own globals, as its generated callback file
 * (guicb.tmp, or the callbacks file kept from it) names them. Written once by
 * "qgb new"; it is yours to extend.
 */
#ifndef ADDGLBL_H_
#define ADDGLBL_H_

#include "QORADDON.h"

#include <stdarg.h>
#include <stdio.h>

/* AddOnID: the add-on's registration handle. The entry point sets it from
   QorUtilAddOnRegister; every QorUtilLockStart/QorUtilLockFinish of the
   callbacks passes it back to the host. */
extern AddOn_pa AddOnID;

/* TRACE(format), TRACE0(format), TRACE1(format, value): the callbacks' trace
   lines, printf-style, written to standard error. Define ADDON_NO_TRACE to
   keep them quiet; the formats are still checked by the compiler. */
#if defined(__GNUC__)
__attribute__((format(printf, 1, 2)))
#endif
static inline void
AddOnTrace(const char *format, ...) {
#if !defined(ADDON_NO_TRACE)
    va_list args;
    va_start(args, format);
    vfprintf(stderr, format, args);
    va_end(args);
    fflush(stderr);
#else
    (void)format;
#endif
}

#define TRACE(format) AddOnTrace(format)
#define TRACE0(format) AddOnTrace(format)
#define TRACE1(format, value) AddOnTrace(format, value)

#endif /* ADDGLBL_H_ */
