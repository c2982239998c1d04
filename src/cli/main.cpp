#include "cli/CliApp.h"

#include <QCoreApplication>
#include <QStringConverter>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);
    return runCli(app.arguments().mid(1), out, err);
}
