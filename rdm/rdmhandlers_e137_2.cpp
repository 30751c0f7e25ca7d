// GET handlers of the ANSI E1.37-2 IPv4 and DNS parameters. They describe the interfaces as
// the engine copied them into the model; no controller may change them (the SETs are refused
// in the parameter table).

#include "net/network.h"
#include "rdm/configurator.h"
#include "rdm/rdm.h"
#include "rdm/rdmconstants.h"
#include "rdm/rdmhandlers.h"

#include <algorithm>

using namespace Rdm;

namespace {

quint32 idOf(const stIpV4CurrentAddress &e) {
    return e.uiIpV4Address;
}
quint32 idOf(const stIpV4StaticAddress &e) {
    return e.uiIpV4Address;
}
template <typename Entry> quint32 idOf(const Entry &e) {
    return e.uiInterfaceId;
}

// Answers with the first entry of `list` whose interface identifier is the requested one;
// `write` adds the entry's fields after the identifier.
template <typename Entry, typename Write>
RdmReply answerForInterface(RdmContext &c, const QList<Entry> &list, Write write) {
    const quint32 id = c.read32(0);
    const auto it =
        std::find_if(list.cbegin(), list.cend(), [id](const Entry &e) { return idOf(e) == id; });
    if (it == list.cend())
        return RdmReply::nack(Nack::dataOutOfRange);
    c.out.put32(id);
    write(*it);
    return RdmReply::ack();
}

} // namespace

namespace RdmHandlers {

RdmReply getListInterfaces(RdmContext &c) {
    for (const stListInterfaces &entry : c.model.listInterfaces()) {
        c.out.put32(entry.uiInterfaceId);
        c.out.put16(entry.uiHardwareType);
    }
    return RdmReply::ack();
}

RdmReply getInterfaceLabel(RdmContext &c) {
    return answerForInterface(c, c.model.interfaceLabel(), [&](const stInterfaceLabel &e) {
        c.out.putText(e.sLabel, RdmTextWidth::interfaceLabel);
    });
}

RdmReply getInterfaceHardwareAddressType1(RdmContext &c) {
    return answerForInterface(c, c.model.hardwareAddressType1(),
                              [&](const stHardwareAddressType1 &e) {
                                  quint8 bytes[6];
                                  network::hardwareAddressToBytes(e.sHardwareAddress, bytes);
                                  c.out.putBytes(bytes);
                              });
}

RdmReply getIpV4DhcpMode(RdmContext &c) {
    return answerForInterface(c, c.model.ipV4DhcpMode(), [&](const stIpV4DhcpMode &e) {
        c.out.put8(e.uiDhcpMode == 1 ? 1 : 0);
    });
}

RdmReply getIpV4ZeroconfMode(RdmContext &c) {
    return answerForInterface(c, c.model.ipV4ZeroconfMode(),
                              [&](const stIpV4ZeroconfMode &e) { c.out.put8(e.uiZeroconfMode); });
}

RdmReply getIpV4CurrentAddress(RdmContext &c) {
    return answerForInterface(c, c.model.ipV4CurrentAddress(), [&](const stIpV4CurrentAddress &e) {
        c.out.put32(e.uiIpV4Address);
        c.out.put8(quint8(network::prefixLength(e.uiNetmask)));
        c.out.put8(e.uiDhcpStatus);
    });
}

RdmReply getIpV4StaticAddress(RdmContext &c) {
    return answerForInterface(c, c.model.ipV4StaticAddress(), [&](const stIpV4StaticAddress &e) {
        c.out.put32(e.uiIpV4Address);
        c.out.put8(quint8(network::prefixLength(e.uiNetmask)));
    });
}

RdmReply getDnsIpV4NameServer(RdmContext &c) {
    const quint8 index = c.read8(0);
    const QList<QHostAddress> servers = c.model.ipV4NameServer();
    if (!c.net || index >= servers.size())
        return RdmReply::nack(Nack::dataOutOfRange);
    c.out.put8(index);
    c.out.put32(servers.at(index).toIPv4Address());
    return RdmReply::ack();
}

RdmReply getDnsHostName(RdmContext &c) {
    if (!c.net)
        return RdmReply::nack(Nack::formatError);
    c.out.putText(c.model.dnsHostName(), RdmTextWidth::dnsName);
    return RdmReply::ack();
}

RdmReply getDnsDomainName(RdmContext &c) {
    if (!c.net)
        return RdmReply::nack(Nack::formatError);
    c.out.putText(c.model.dnsDomainName(), RdmTextWidth::dnsName);
    return RdmReply::ack();
}

} // namespace RdmHandlers
