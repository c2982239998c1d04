// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/ConnectionCheck.h"

#include <QNetworkInformation>
#include <QNetworkInterface>

bool ConnectionCheck::mayBeOnline(const QList<Interface>& interfaces, bool backendSaysDisconnected)
{
    if (backendSaysDisconnected)
        return false;
    for (const Interface& i : interfaces)
        if (i.up && i.running && !i.loopback && i.routableAddresses > 0)
            return true;
    return false;
}

ConnectionCheck::Interface ConnectionCheck::describe(const QNetworkInterface& interface)
{
    Interface d;
    const QNetworkInterface::InterfaceFlags flags = interface.flags();
    d.up = flags.testFlag(QNetworkInterface::IsUp);
    d.running = flags.testFlag(QNetworkInterface::IsRunning);
    d.loopback = flags.testFlag(QNetworkInterface::IsLoopBack);
    for (const QNetworkAddressEntry& entry : interface.addressEntries()) {
        const QHostAddress ip = entry.ip();
        if (!ip.isNull() && !ip.isLoopback() && !ip.isLinkLocal())
            ++d.routableAddresses;
    }
    return d;
}

bool ConnectionCheck::mayBeOnline()
{
    const QNetworkInformation* info = QNetworkInformation::instance();
    const bool disconnected = info && info->reachability() == QNetworkInformation::Reachability::Disconnected;
    QList<Interface> interfaces;
    for (const QNetworkInterface& i : QNetworkInterface::allInterfaces())
        interfaces << describe(i);
    return mayBeOnline(interfaces, disconnected);
}
