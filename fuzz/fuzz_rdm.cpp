// The RDM request path as a LAN peer reaches it. The first input byte picks the route, the
// rest is the message; routes that repair the address and checksum let the fuzzer past those
// gates into every handler. Further routes (the ArtRdm / ArtTod dispatch in front of the
// responder) are added as new cases.

#include "tests/rdm/rdmtestsupport.h"

#include <QCoreApplication>
#include <cstddef>
#include <cstdint>

namespace {

enum Route : quint8 {
    RawMessage,     // handed over as received
    AddressedToUs,  // destination set to our UID, checksum made right
    AddressedToAll, // destination set to FFFF:FFFFFFFF, checksum made right
    RouteCount,
};

// Message offsets as carried over Art-Net (without START code).
constexpr int destinationOffset = 2;
constexpr int pdlOffset = 22;

void repair(QByteArray &message, quint16 manufacturer, quint32 device) {
    const QByteArray uid = RdmTest::uidBytes(manufacturer, device);
    for (int i = 0; i < uid.size() && destinationOffset + i < message.size(); ++i)
        message[destinationOffset + i] = uid[i];
    if (message.size() <= pdlOffset)
        return;
    const int checksumAt = 23 + quint8(message[pdlOffset]);
    if (checksumAt + 2 > message.size())
        return;
    quint16 sum = 0xCC;
    for (int i = 0; i < checksumAt; ++i)
        sum = quint16(sum + quint8(message[i]));
    message[checksumAt] = char(sum >> 8);
    message[checksumAt + 1] = char(sum);
}

RdmTest::Fixture &fixture() {
    static RdmTest::Fixture f(100);
    return f;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv) {
    static QCoreApplication app(*argc, *argv);
    // The sensor provider reports unknown sensor numbers; thousands of those say nothing.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    fixture();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 1 || size > 1024)
        return 0;
    const Route route = Route(data[0] % RouteCount);
    QByteArray message(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    RdmTest::Fixture &f = fixture();
    switch (route) {
    case RawMessage:
        break;
    case AddressedToUs:
        repair(message, RdmTest::ownManufacturer, RdmTest::ownDevice);
        break;
    case AddressedToAll:
        repair(message, 0xFFFF, 0xFFFFFFFF);
        break;
    case RouteCount:
        return 0;
    }
    const QByteArrayView answer =
        f.responder.handleRequest(message, RdmUid{RdmTest::ownManufacturer, RdmTest::ownDevice});
    // A response is never longer than the largest message and always checks out.
    if (answer.size() > 256 || (!answer.isEmpty() && answer.size() < 25))
        __builtin_trap();
    return 0;
}
