// The SDK header on its own compiles as strict C++17.
#include "QORADDON.h"

int QorHeaderCompilesAsCpp17() {
    return BADDIALOGID + TRUE + FALSE + (NULL == nullptr);
}
