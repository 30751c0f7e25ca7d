#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <cstdio>
#include <unistd.h>
#include <vector>

// Benches open the receivers' sockets: outside a private network namespace they run themselves
// again through scripts/in-netns.sh, so nothing reaches a real interface. Returns only when
// already inside one, or with false when the script could not be started.
inline bool runInPrivateNetwork(int argc, char **argv) {
    if (qgetenv("TESSAVIEW_IN_NETNS") == "1")
        return true;
    const QByteArray script = QByteArray(TESSAVIEW_SOURCE_DIR) + "/scripts/in-netns.sh";
    std::vector<char *> args{const_cast<char *>(script.constData())};
    for (int i = 0; i < argc; ++i)
        args.push_back(argv[i]);
    args.push_back(nullptr);
    execv(script.constData(), args.data());
    perror("scripts/in-netns.sh");
    return false;
}
