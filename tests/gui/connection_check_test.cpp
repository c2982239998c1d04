// SPDX-License-Identifier: GPL-3.0-or-later
// Whether the machine may be on line, from its network interfaces.
#include "gui/ConnectionCheck.h"

#include <gtest/gtest.h>

TEST(ConnectionCheckTest, OnLineOnlyWithAnInterfaceUpBeyondItsOwnLink)
{
    using I = ConnectionCheck::Interface;
    const I loopback{true, true, true, 1};
    const I cableUnplugged{true, false, false, 1};
    const I down{false, false, false, 1};
    const I linkLocalOnly{true, true, false, 0};
    const I connected{true, true, false, 1};
    EXPECT_FALSE(ConnectionCheck::mayBeOnline({}, false));
    EXPECT_FALSE(ConnectionCheck::mayBeOnline({loopback, cableUnplugged, down, linkLocalOnly}, false));
    EXPECT_TRUE(ConnectionCheck::mayBeOnline({loopback, connected}, false));
    EXPECT_FALSE(ConnectionCheck::mayBeOnline({loopback, connected}, true)); // the backend knows better
}
