// Quorvin Qt SDK: user-interface utilities; the generated builder functions
// include it for the names of QorGUICallbackUtil.h.
#pragma once

#include "QorGUICallbackUtil.h"
