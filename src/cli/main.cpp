// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliApp.h"

#include <QCoreApplication>
#include <QIODevice>
#include <QStringConverter>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Why standard output took no more, in French: the system's own words follow the locale.
QString writeFailure(int code)
{
    switch (code) {
    case EPIPE:
        return QStringLiteral("le programme qui la lisait s'est arrêté");
    case ENOSPC:
        return QStringLiteral("plus de place sur le disque");
    case EBADF:
        return QStringLiteral("elle est fermée");
    default:
        return QString::fromLocal8Bit(std::strerror(code));
    }
}

// Standard output written straight to its descriptor, keeping the reason of a failed write: the
// stream itself only knows that it failed.
class StandardOutput : public QIODevice {
public:
    StandardOutput()
    {
        // A closed descriptor 1 would be the next file opened: held on /dev/null, never written.
        if (::fcntl(STDOUT_FILENO, F_GETFD) == -1) {
            failure = EBADF;
            ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        }
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }
    int failure = 0; // errno of the first failed write

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override
    {
        if (failure == EBADF)
            return -1;
        qint64 done = 0;
        while (done < size) {
            const ssize_t n = ::write(STDOUT_FILENO, data + done, static_cast<size_t>(size - done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                failure = failure ? failure : errno;
                return -1;
            }
            done += n;
        }
        return done;
    }
};

// A report cut short must not pass for a whole one: a failed write makes the run fail.
int finish(QTextStream& out, const StandardOutput& device, QTextStream& err, int status)
{
    out.flush();
    if (out.status() == QTextStream::Ok && device.failure == 0)
        return status;
    err << "tiravol-cli : la sortie standard n'a pas pu être écrite : " << writeFailure(device.failure) << '\n' << Qt::flush;
    return status == 0 ? 1 : status;
}

} // namespace

int main(int argc, char** argv)
{
    // A closed pipe is then a write error, told like the others, rather than a silent death.
    std::signal(SIGPIPE, SIG_IGN);
    StandardOutput device; // before anything opens a file
    QCoreApplication app(argc, argv);
    QTextStream out(&device);
    QTextStream err(stderr);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);
    const int status = runCli(app.arguments().mid(1), out, err);
    return finish(out, device, err, status);
}
