#pragma once

#include <QByteArray>
#include <QtGlobal>

// An ArtDmx datagram as a console lays it out (offsets from 0, Length big-endian).
inline QByteArray artDmxPacket(quint16 portAddress, quint8 sequence, const QByteArray &data) {
    QByteArray d("Art-Net\0", 8);       // 0: ID
    d.append(char(0x00));               // 8: OpCode lo
    d.append(char(0x50));               // 9: OpCode hi (ArtDmx)
    d.append(char(0x00));               // 10: ProtVerHi
    d.append(char(0x0E));               // 11: ProtVerLo
    d.append(char(sequence));           // 12: Sequence
    d.append(char(0x00));               // 13: Physical
    d.append(char(portAddress & 0xFF)); // 14: SubUni
    d.append(char(portAddress >> 8));   // 15: Net
    d.append(char(data.size() >> 8));   // 16: Length hi
    d.append(char(data.size() & 0xFF)); // 17: Length lo
    return d + data;
}
