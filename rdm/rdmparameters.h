#pragma once

#include "rdm/rdmhandlers.h"

#include <QList>
#include <QtGlobal>
#include <span>

// The command classes a parameter allows, as bits.
namespace RdmAllow {
inline constexpr quint8 none = 0;
inline constexpr quint8 get = 1;
inline constexpr quint8 set = 2;
inline constexpr quint8 getSet = get | set;
} // namespace RdmAllow

// How the responder treats a parameter. Only served parameters are answered; every other
// request for it gets NR_UNKNOWN_PID. ANSI E1.20 requires DEVICE_INFO, SUPPORTED_PARAMETERS,
// SOFTWARE_VERSION_LABEL, DMX_START_ADDRESS and IDENTIFY_DEVICE of every responder, so a
// controller asks for them unprompted and SUPPORTED_PARAMETERS leaves them out. (The discovery
// commands are required as well; over Art-Net the node's table of devices stands in for them.)
enum class RdmServe : quint8 { no, listed, required };

// The parameter data length a request must carry, inclusive on both ends.
struct RdmPdl {
    quint8 min = 0;
    quint8 max = 0;
    constexpr bool contains(int pdl) const { return pdl >= min && pdl <= max; }
};

// One big-endian SET field whose valid values form one range; width 0 means no such field.
struct RdmField {
    quint8 offset = 0;
    quint8 width = 0;
    quint32 min = 0;
    quint32 max = 0;
};

// Everything known about one parameter: the standard's name and command classes, whether
// and how we serve it, the request PDL per class, a SET field range the dispatcher checks,
// and the handlers. A served parameter has a handler for each class it allows.
struct RdmParameter {
    quint16 pid = 0;
    const char *name = "";
    quint8 allowed = RdmAllow::none;
    RdmServe serve = RdmServe::no;
    RdmPdl getPdl;
    RdmHandler get = nullptr;
    RdmPdl setPdl;
    RdmHandler set = nullptr;
    RdmField setRange;

    bool served() const { return serve != RdmServe::no; }
};

// The row for `pid`, or null when no standard parameter has that id.
const RdmParameter *findRdmParameter(quint16 pid);

// Every row, sorted by PID.
std::span<const RdmParameter> rdmParameterTable();

// SUPPORTED_PARAMETERS: the listed parameters in PID order.
QList<quint16> rdmListedParameters();

// Every parameter the responder answers, the required ones included, in PID order.
QList<quint16> rdmServedParameters();
