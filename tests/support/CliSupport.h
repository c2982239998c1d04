// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// tiravol-cli run in-process, for the end-to-end tests.
#include "cli/CliApp.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTextStream>

namespace TestSupport {

// Words split on spaces: "sorties --until 6" as arguments.
inline QStringList words(const char* text)
{
    return QString::fromUtf8(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

// What one run printed, and its exit status.
struct CliOutput {
    int code = -1;
    QString out, err;
    QStringList outLines() const { return out.split(QLatin1Char('\n')); }
};

inline CliOutput cli(const QStringList& args)
{
    CliOutput run;
    QTextStream out(&run.out), err(&run.err);
    run.code = runCli(args, out, err);
    out.flush();
    err.flush();
    return run;
}

// Nothing reaches the real documents or configuration folders: HOME and the configuration live
// in one temporary folder, the data folder in another.
class CliTest : public ::testing::Test {
protected:
    QTemporaryDir m_home, m_data;

    void SetUp() override
    {
        qputenv("HOME", QFile::encodeName(m_home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home.filePath(QStringLiteral("config"))));
    }

    QString dataFile(const char* name) const { return m_data.filePath(QString::fromLatin1(name)); }
    QString working() const { return dataFile("Tirages_keno.txt"); }
    // The draws as the working history, and as the base too if asked.
    void writeHistory(const QStringList& draws, bool base = false) const
    {
        writeFile(working(), crlf(draws));
        if (base)
            writeFile(dataFile("Tirages.txt"), crlf(draws));
    }

    // Runs with --data-dir set to the data folder.
    CliOutput cli(const QStringList& args) const
    {
        return TestSupport::cli(QStringList{QStringLiteral("--data-dir"), m_data.path()} + args);
    }
    CliOutput cli(const char* args) const { return cli(words(args)); }
};

// The options a usage or help text names ("-o", "--data-dir", ...), for the help and completion tests.
inline QSet<QString> optionsIn(const QString& text)
{
    QSet<QString> options;
    static const QRegularExpression option(QStringLiteral("(?<![\\w-])(--?[a-z][a-z-]*)"));
    for (const QRegularExpressionMatch& m : option.globalMatch(text))
        options.insert(m.captured(1));
    return options;
}

} // namespace TestSupport
