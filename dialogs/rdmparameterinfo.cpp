#include "dialogs/rdmparameterinfo.h"

#include <algorithm>
#include <initializer_list>
#include <utility>

namespace RdmParameterInfo {
namespace {

struct Name {
    quint16 id;
    const char *name;
};

// Sorted by id for the look-up.
constexpr Name parameterNames[] = {
    {0x0001, "DISC_UNIQUE_BRANCH"},
    {0x0002, "DISC_MUTE"},
    {0x0003, "DISC_UN_MUTE"},
    {0x0010, "PROXIED_DEVICES"},
    {0x0011, "PROXIED_DEVICE_COUNT"},
    {0x0015, "COMMS_STATUS"},
    {0x0020, "QUEUED_MESSAGE"},
    {0x0030, "STATUS_MESSAGES"},
    {0x0031, "STATUS_ID_DESCRIPTION"},
    {0x0032, "CLEAR_STATUS_ID"},
    {0x0033, "SUB_DEVICE_STATUS_REPORT_THRESHOLD"},
    {0x0050, "SUPPORTED_PARAMETERS"},
    {0x0051, "PARAMETER_DESCRIPTION"},
    {0x0060, "DEVICE_INFO"},
    {0x0070, "PRODUCT_DETAIL_ID_LIST"},
    {0x0080, "DEVICE_MODEL_DESCRIPTION"},
    {0x0081, "MANUFACTURER_LABEL"},
    {0x0082, "DEVICE_LABEL"},
    {0x0090, "FACTORY_DEFAULTS"},
    {0x00A0, "LANGUAGE_CAPABILITIES"},
    {0x00B0, "LANGUAGE"},
    {0x00C0, "SOFTWARE_VERSION_LABEL"},
    {0x00C1, "BOOT_SOFTWARE_VERSION_ID"},
    {0x00C2, "BOOT_SOFTWARE_VERSION_LABEL"},
    {0x00E0, "DMX_PERSONALITY"},
    {0x00E1, "DMX_PERSONALITY_DESCRIPTION"},
    {0x00F0, "DMX_START_ADDRESS"},
    {0x0120, "SLOT_INFO"},
    {0x0121, "SLOT_DESCRIPTION"},
    {0x0122, "DEFAULT_SLOT_VALUE"},
    {0x0140, "DMX_BLOCK_ADDRESS"},
    {0x0141, "DMX_FAIL_MODE"},
    {0x0142, "DMX_STARTUP_MODE"},
    {0x0200, "SENSOR_DEFINITION"},
    {0x0201, "SENSOR_VALUE"},
    {0x0202, "RECORD_SENSORS"},
    {0x0340, "DIMMER_INFO"},
    {0x0341, "MINIMUM_LEVEL"},
    {0x0342, "MAXIMUM_LEVEL"},
    {0x0343, "CURVE"},
    {0x0344, "CURVE_DESCRIPTION"},
    {0x0345, "OUTPUT_RESPONSE_TIME"},
    {0x0346, "OUTPUT_RESPONSE_TIME_DESCRIPTION"},
    {0x0347, "MODULATION_FREQUENCY"},
    {0x0348, "MODULATION_FREQUENCY_DESCRIPTION"},
    {0x0400, "DEVICE_HOURS"},
    {0x0401, "LAMP_HOURS"},
    {0x0402, "LAMP_STRIKES"},
    {0x0403, "LAMP_STATE"},
    {0x0404, "LAMP_ON_MODE"},
    {0x0405, "DEVICE_POWER_CYCLES"},
    {0x0440, "BURN_IN"},
    {0x0500, "DISPLAY_INVERT"},
    {0x0501, "DISPLAY_LEVEL"},
    {0x0600, "PAN_INVERT"},
    {0x0601, "TILT_INVERT"},
    {0x0602, "PAN_TILT_SWAP"},
    {0x0603, "REAL_TIME_CLOCK"},
    {0x0640, "LOCK_PIN"},
    {0x0641, "LOCK_STATE"},
    {0x0642, "LOCK_STATE_DESCRIPTION"},
    {0x0700, "LIST_INTERFACES"},
    {0x0701, "INTERFACE_LABEL"},
    {0x0702, "INTERFACE_HARDWARE_ADDRESS_TYPE1"},
    {0x0703, "IPV4_DHCP_MODE"},
    {0x0704, "IPV4_ZEROCONF_MODE"},
    {0x0705, "IPV4_CURRENT_ADDRESS"},
    {0x0706, "IPV4_STATIC_ADDRESS"},
    {0x0707, "INTERFACE_RENEW_DHCP"},
    {0x0708, "INTERFACE_RELEASE_DHCP"},
    {0x0709, "INTERFACE_APPLY_CONFIGURATION"},
    {0x070A, "IPV4_DEFAULT_ROUTE"},
    {0x070B, "DNS_IPV4_NAME_SERVER"},
    {0x070C, "DNS_HOSTNAME"},
    {0x070D, "DNS_DOMAIN_NAME"},
    {0x1000, "IDENTIFY_DEVICE"},
    {0x1001, "RESET_DEVICE"},
    {0x1010, "POWER_STATE"},
    {0x1020, "PERFORM_SELFTEST"},
    {0x1021, "SELF_TEST_DESCRIPTION"},
    {0x1030, "CAPTURE_PRESET"},
    {0x1031, "PRESET_PLAYBACK"},
    {0x1040, "IDENTIFY_MODE"},
    {0x1041, "PRESET_INFO"},
    {0x1042, "PRESET_STATUS"},
    {0x1043, "PRESET_MERGEMODE"},
    {0x1044, "POWER_ON_SELF_TEST"},
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

using Range = std::pair<quint16, quint16>;

bool inRanges(std::initializer_list<Range> ranges, quint16 pid) {
    return std::any_of(ranges.begin(), ranges.end(),
                       [pid](const Range &r) { return pid >= r.first && pid <= r.second; });
}

bool allowsGet(quint16 pid) {
    return inRanges({{0x0010, 0x0011}, {0x0015, 0x0015}, {0x0020, 0x0020}, {0x0030, 0x0031},
                     {0x0033, 0x0033}, {0x0050, 0x0051}, {0x0060, 0x0060}, {0x0070, 0x0070},
                     {0x0080, 0x0082}, {0x0090, 0x0090}, {0x00A0, 0x00A0}, {0x00B0, 0x00B0},
                     {0x00C0, 0x00C2}, {0x00E0, 0x00E1}, {0x00F0, 0x00F0}, {0x0120, 0x0122},
                     {0x0140, 0x0142}, {0x0200, 0x0201}, {0x0340, 0x0348}, {0x0400, 0x0405},
                     {0x0440, 0x0440}, {0x0500, 0x0501}, {0x0600, 0x0603}, {0x0640, 0x0642},
                     {0x0700, 0x0706}, {0x070A, 0x070D}, {0x1000, 0x1000}, {0x1010, 0x1010},
                     {0x1020, 0x1021}, {0x1031, 0x1031}, {0x1040, 0x1044}},
                    pid);
}

bool allowsSet(quint16 pid) {
    return inRanges(
        {{0x0015, 0x0015}, {0x0032, 0x0033}, {0x0082, 0x0082}, {0x0090, 0x0090}, {0x00B0, 0x00B0},
         {0x00E0, 0x00E0}, {0x00F0, 0x00F0}, {0x0140, 0x0142}, {0x0201, 0x0202}, {0x0341, 0x0343},
         {0x0345, 0x0345}, {0x0347, 0x0347}, {0x0400, 0x0405}, {0x0440, 0x0440}, {0x0500, 0x0501},
         {0x0600, 0x0603}, {0x0640, 0x0641}, {0x0703, 0x0704}, {0x0706, 0x070D}, {0x1000, 0x1001},
         {0x1010, 0x1010}, {0x1020, 0x1020}, {0x1030, 0x1031}, {0x1040, 0x1040}, {0x1042, 0x1044}},
        pid);
}

} // namespace

QString idDigits(quint16 id) {
    return QStringLiteral("%1").arg(id, 4, 16, QLatin1Char('0')).toUpper();
}

QString parameterName(quint16 pid) {
    return lookUp(parameterNames, pid);
}

QString productDetailName(quint16 id) {
    return lookUp(productDetailNames, id);
}

QString allowedCommands(quint16 pid) {
    const bool get = allowsGet(pid);
    const bool set = allowsSet(pid);
    if (get && set)
        return QStringLiteral("GET / SET");
    if (get)
        return QStringLiteral("GET");
    if (set)
        return QStringLiteral("SET");
    return {};
}

} // namespace RdmParameterInfo
