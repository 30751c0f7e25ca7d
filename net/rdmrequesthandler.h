#pragma once

#include "net/rdmuid.h"

#include <QByteArrayView>

// What the Art-Net node hands ArtRdm to: the RDM responder implements it, so that the node
// carries RDM without depending on the responder.
class RdmRequestHandler {
public:
    // `message` is the RDM message as ArtRdm carries it (Sub-START code through checksum),
    // `ownUid` the UID the node announced to the requesting controller. Returns the response in
    // the same form, or an empty view when nothing is to be sent; the view stays valid until
    // the next call.
    virtual QByteArrayView handleRequest(QByteArrayView message, const RdmUid &ownUid) = 0;

protected:
    // Never deleted through this interface.
    ~RdmRequestHandler() = default;
};
