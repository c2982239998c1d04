// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A read error on one file for as long as the object lives: every read() of a file of that
// name fails with EIO from byte `from` on (eio_shim.cpp, linked into the test).
#include <QByteArray>
#include <QtGlobal>

extern "C" int tiravol_eio_shim_linked();

namespace TestSupport {

class EioFault {
public:
    EioFault(const char* fileName, qint64 from)
    {
        tiravol_eio_shim_linked(); // keeps the shim in the test's process
        qputenv("TIRAVOL_EIO_FILE", fileName);
        qputenv("TIRAVOL_EIO_FROM", QByteArray::number(from));
    }
    ~EioFault()
    {
        qunsetenv("TIRAVOL_EIO_FILE");
        qunsetenv("TIRAVOL_EIO_FROM");
    }
    EioFault(const EioFault&) = delete;
    EioFault& operator=(const EioFault&) = delete;
};

} // namespace TestSupport
