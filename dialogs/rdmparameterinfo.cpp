#include "dialogs/rdmparameterinfo.h"

#include "rdm/rdmparameters.h"

#include <algorithm>

namespace RdmParameterInfo {
namespace {

struct Name {
    quint16 id;
    const char *name;
};

// Sorted by id for the look-up. The spellings are the standard's own.
constexpr Name productDetailNames[] = {
    {0x0000, "PRODUCT_DETAIL_NOT_DECLARED"},
    {0x0001, "PRODUCT_DETAIL_ARC"},
    {0x0002, "PRODUCT_DETAIL_METAL_HALIDE"},
    {0x0003, "PRODUCT_DETAIL_INCANDESCENT"},
    {0x0004, "PRODUCT_DETAIL_LED"},
    {0x0005, "PRODUCT_DETAIL_FLUROESCENT"},
    {0x0006, "PRODUCT_DETAIL_COLDCATHODE"},
    {0x0007, "PRODUCT_DETAIL_ELECTROLUMINESCENT"},
    {0x0008, "PRODUCT_DETAIL_LASER"},
    {0x0009, "PRODUCT_DETAIL_FLASHTUBE"},
    {0x0100, "PRODUCT_DETAIL_COLORSCROLLER"},
    {0x0101, "PRODUCT_DETAIL_COLORWHEEL"},
    {0x0102, "PRODUCT_DETAIL_COLORCHANGE"},
    {0x0103, "PRODUCT_DETAIL_IRIS_DOUSER"},
    {0x0104, "PRODUCT_DETAIL_DIMMING_SHUTTER"},
    {0x0105, "PRODUCT_DETAIL_PROFILE_SHUTTER"},
    {0x0106, "PRODUCT_DETAIL_BARNDOOR_SHUTTER"},
    {0x0107, "PRODUCT_DETAIL_EFFECTS_DISC"},
    {0x0108, "PRODUCT_DETAIL_GOBO_ROTATOR"},
    {0x0200, "PRODUCT_DETAIL_VIDEO"},
    {0x0201, "PRODUCT_DETAIL_SLIDE"},
    {0x0202, "PRODUCT_DETAIL_FILM"},
    {0x0203, "PRODUCT_DETAIL_OILWHEEL"},
    {0x0204, "PRODUCT_DETAIL_LCDGATE"},
    {0x0300, "PRODUCT_DETAIL_FOGGER_GLYCOL"},
    {0x0301, "PRODUCT_DETAIL_FOGGER_MINERALOIL"},
    {0x0302, "PRODUCT_DETAIL_FOGGER_WATER"},
    {0x0303, "PRODUCT_DETAIL_CO2"},
    {0x0304, "PRODUCT_DETAIL_LN2"},
    {0x0305, "PRODUCT_DETAIL_BUBBLE"},
    {0x0306, "PRODUCT_DETAIL_FLAME_PROPANE"},
    {0x0307, "PRODUCT_DETAIL_FLAME_OTHER"},
    {0x0308, "PRODUCT_DETAIL_OLEFACTORY_STIMULATOR"},
    {0x0309, "PRODUCT_DETAIL_SNOW"},
    {0x030A, "PRODUCT_DETAIL_WATER_JET"},
    {0x030B, "PRODUCT_DETAIL_WIND"},
    {0x030C, "PRODUCT_DETAIL_CONFETTI"},
    {0x030D, "PRODUCT_DETAIL_HAZARD"},
    {0x0400, "PRODUCT_DETAIL_PHASE_CONTROL"},
    {0x0401, "PRODUCT_DETAIL_REVERSE_PHASE_CONTROL"},
    {0x0402, "PRODUCT_DETAIL_SINE"},
    {0x0403, "PRODUCT_DETAIL_PWM"},
    {0x0404, "PRODUCT_DETAIL_DC"},
    {0x0405, "PRODUCT_DETAIL_HFBALLAST"},
    {0x0406, "PRODUCT_DETAIL_HFHV_NEONBALLAST"},
    {0x0407, "PRODUCT_DETAIL_HFHV_EL"},
    {0x0408, "PRODUCT_DETAIL_MHR_BALLAST"},
    {0x0409, "PRODUCT_DETAIL_BITANGLE_MODULATION"},
    {0x040A, "PRODUCT_DETAIL_FREQUENCY_MODULATION"},
    {0x040B, "PRODUCT_DETAIL_HIGHFREQUENCY_12V"},
    {0x040C, "PRODUCT_DETAIL_RELAY_MECHANICAL"},
    {0x040D, "PRODUCT_DETAIL_RELAY_ELECTRONIC"},
    {0x040E, "PRODUCT_DETAIL_SWITCH_ELECTRONIC"},
    {0x040F, "PRODUCT_DETAIL_CONTACTOR"},
    {0x0500, "PRODUCT_DETAIL_MIRRORBALL_ROTATOR"},
    {0x0501, "PRODUCT_DETAIL_OTHER_ROTATOR"},
    {0x0502, "PRODUCT_DETAIL_KABUKI_DROP"},
    {0x0503, "PRODUCT_DETAIL_CURTAIN"},
    {0x0504, "PRODUCT_DETAIL_LINESET"},
    {0x0505, "PRODUCT_DETAIL_MOTOR_CONTROL"},
    {0x0506, "PRODUCT_DETAIL_DAMPER_CONTROL"},
    {0x0600, "PRODUCT_DETAIL_SPLITTER"},
    {0x0601, "PRODUCT_DETAIL_ETHERNET_NODE"},
    {0x0602, "PRODUCT_DETAIL_MERGE"},
    {0x0603, "PRODUCT_DETAIL_DATAPATCH"},
    {0x0604, "PRODUCT_DETAIL_WIRELESS_LINK"},
    {0x0701, "PRODUCT_DETAIL_PROTOCOL_CONVERTOR"},
    {0x0702, "PRODUCT_DETAIL_ANALOG_DEMULTIPLEX"},
    {0x0703, "PRODUCT_DETAIL_ANALOG_MULTIPLEX"},
    {0x0704, "PRODUCT_DETAIL_SWITCH_PANEL"},
    {0x0800, "PRODUCT_DETAIL_ROUTER"},
    {0x0801, "PRODUCT_DETAIL_FADER"},
    {0x0802, "PRODUCT_DETAIL_MIXER"},
    {0x0900, "PRODUCT_DETAIL_CHANGEOVER_MANUAL"},
    {0x0901, "PRODUCT_DETAIL_CHANGEOVER_AUTO"},
    {0x0902, "PRODUCT_DETAIL_TEST"},
    {0x0A00, "PRODUCT_DETAIL_GFI_RCD"},
    {0x0A01, "PRODUCT_DETAIL_BATTERY"},
    {0x0A02, "PRODUCT_DETAIL_CONTROLLABLE_BREAKER"},
    {0x7FFF, "PRODUCT_DETAIL_OTHER"},
};

template <std::size_t N> QString lookUp(const Name (&table)[N], quint16 id) {
    const auto *end = table + N;
    const auto *it =
        std::lower_bound(table, end, id, [](const Name &n, quint16 key) { return n.id < key; });
    return (it != end && it->id == id) ? QString::fromLatin1(it->name) : QString();
}

} // namespace

QString idDigits(quint16 id) {
    return QStringLiteral("%1").arg(id, 4, 16, QLatin1Char('0')).toUpper();
}

QString parameterName(quint16 pid) {
    const RdmParameter *parameter = findRdmParameter(pid);
    return parameter ? QString::fromLatin1(parameter->name) : QString();
}

QString productDetailName(quint16 id) {
    return lookUp(productDetailNames, id);
}

QString allowedCommands(quint16 pid) {
    const RdmParameter *parameter = findRdmParameter(pid);
    const quint8 allowed = parameter ? parameter->allowed : RdmAllow::none;
    const bool get = allowed & RdmAllow::get;
    const bool set = allowed & RdmAllow::set;
    if (get && set)
        return QStringLiteral("GET / SET");
    if (get)
        return QStringLiteral("GET");
    if (set)
        return QStringLiteral("SET");
    return {};
}

} // namespace RdmParameterInfo
