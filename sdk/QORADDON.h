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

#endif /* QORADDON_H_ */
