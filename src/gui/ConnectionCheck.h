// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>

class QNetworkInterface;

// Whether the computer may be on line, from what the machine itself says. The network
// information backend alone is not enough: without D-Bus it may be missing, and the glib one
// says "online" whenever a default route exists. So the machine counts as off line when the
// backend says disconnected, or when no interface other than the loopback is up and running
// with an address beyond its own link (a link-local address comes with any cable or none).
class ConnectionCheck {
public:
    struct Interface {
        bool up = false;
        bool running = false;
        bool loopback = false;
        int routableAddresses = 0; // neither loopback nor link-local
    };

    static bool mayBeOnline(const QList<Interface>& interfaces, bool backendSaysDisconnected);
    // The same over this machine's interfaces and the loaded backend, if any.
    static bool mayBeOnline();

    static Interface describe(const QNetworkInterface& interface);
};
