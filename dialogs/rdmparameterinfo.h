#pragma once

#include <QString>
#include <QtGlobal>

// Names and command classes of the RDM parameters as ANSI E1.20, E1.37-1 and E1.37-2 define
// them (read from the responder's parameter table), for showing the device model to the
// operator.
namespace RdmParameterInfo {

// An id as four upper-case hexadecimal digits ("00E0").
QString idDigits(quint16 id);

// The standard's name of a parameter id ("DEVICE_INFO"), or an empty string when unknown.
QString parameterName(quint16 pid);

// The standard's name of a product detail id ("PRODUCT_DETAIL_LED"), or an empty string.
QString productDetailName(quint16 id);

// The command classes the standards define for the id: "GET", "SET", "GET / SET", or an empty
// string for an id that allows neither.
QString allowedCommands(quint16 pid);

} // namespace RdmParameterInfo
