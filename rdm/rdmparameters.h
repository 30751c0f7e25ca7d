#pragma once

#include "rdm/rdmhandlers.h"

#include <QtGlobal>
#include <array>

// One row of the responder's parameter table. A missing GET handler makes a GET answer
// NR_UNKNOWN_PID; a missing SET handler makes a SET answer NR_UNSUPPORTED_COMMAND_CLASS when
// the PID has a GET handler and NR_UNKNOWN_PID when it has none. Requests with fewer
// parameter data bytes than the minimum are refused with NR_FORMAT_ERROR before the handler
// runs.
struct RdmParameter {
    quint16 pid = 0;
    RdmHandler get = nullptr;
    quint8 getMinPdl = 0;
    RdmHandler set = nullptr;
    quint8 setMinPdl = 0;
};

// The row for `pid`, or null when the responder does not know the PID at all.
const RdmParameter *findRdmParameter(quint16 pid);

// SUPPORTED_PARAMETERS in the order controllers have always been given it. DMX_START_ADDRESS
// and IDENTIFY_DEVICE are required of every responder and therefore not listed.
extern const std::array<quint16, 73> rdmSupportedParameters;
