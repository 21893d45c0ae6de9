/* The SDK header on its own compiles as strict C99. */
#include "QORADDON.h"

int QorHeaderCompilesAsC99(void) {
    return BADDIALOGID + TRUE + FALSE + (NULL == 0);
}
