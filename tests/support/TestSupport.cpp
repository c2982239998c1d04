// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TestSupport.h"

#include "history/DrawLine.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <algorithm>
#include <numeric>
#include <random>
#include <stdexcept>
#include <zip.h>

#include <csignal>
#include <sys/resource.h>

void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

void PrintTo(const QStringList& lines, std::ostream* os)
{
    *os << (lines.isEmpty() ? "{}" : "{\"" + lines.join(QStringLiteral("\",\n \"")).toStdString() + "\"}");
}

namespace TestSupport {

FileSizeLimit::FileSizeLimit(qint64 bytes)
{
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    m_soft = static_cast<qint64>(limit.rlim_cur);
    // The write then fails with EFBIG instead of ending the process.
    m_handler = std::signal(SIGXFSZ, SIG_IGN);
    limit.rlim_cur = static_cast<rlim_t>(bytes);
    setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit()
{
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = static_cast<rlim_t>(m_soft);
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, m_handler);
}

QByteArray crlf(const QStringList& lines)
{
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}

QList<int> numberRange(int from, int to)
{
    QList<int> numbers;
    for (int n = from; n <= to; ++n)
        numbers << n;
    return numbers;
}

QString drawLine(const QString& date, const QList<int>& numbers, const char* slot)
{
    QString line = date;
    for (int n : numbers)
        line += QString::asprintf(" %02d", n);
    return line + QString::fromLatin1(slot);
}

QString drawFrom(const char* date, int first, const char* slot)
{
    return drawLine(QString::fromLatin1(date), numberRange(first, first + 19), slot);
}

QString drawWith(const QDate& date, bool midday, const QList<int>& wanted, int filler)
{
    DrawLine::Numbers numbers{};
    int k = 0;
    for (int n : wanted)
        numbers[static_cast<size_t>(k++)] = n;
    for (int n = filler; k < DrawLine::kNumbers; ++n)
        if (!wanted.contains(n))
            numbers[static_cast<size_t>(k++)] = n;
    std::sort(numbers.begin(), numbers.end());
    return DrawLine::build(date, numbers, midday);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error("cannot write test file");
    file.write(bytes);
}

QByteArray operatorCsv(const QStringList& draws, bool finalLineFeed, bool quirks)
{
    QByteArray csv = "annee_numero_de_tirage;date_de_tirage;heure_de_tirage;date_de_forclusion";
    for (int k = 1; k <= DrawLine::kNumbers; ++k)
        csv += ";boule" + QByteArray::number(k);
    csv += "\r\n";
    for (qsizetype i = draws.size() - 1; i >= 0; --i) {
        const QString& d = draws[i];
        QByteArray row
            = QByteArray::number(i + 1) + ';' + d.left(10).toLatin1() + ';' + d.right(4).toLatin1() + (quirks ? " ;x" : ";");
        for (int k = 1; k <= DrawLine::kNumbers; ++k)
            row += ';' + QByteArray::number(DrawLine::number(d, k));
        csv += row + (quirks ? ";1;2;3\r\n" : "\r\n");
    }
    return finalLineFeed ? csv : csv.chopped(2);
}

QByteArray operatorCsv(const QStringList& draws, const QList<QByteArray>& multipliers)
{
    QList<QByteArray> rows = operatorCsv(draws).split('\n');
    rows.removeLast(); // after the last line feed
    // The header, then the draws newest first.
    for (qsizetype i = 0; i < rows.size(); ++i) {
        rows[i].chop(1); // "\r"
        rows[i] += i == 0 ? QByteArray(";multiplicateur") : ';' + multipliers.value(draws.size() - i);
        rows[i] += "\r\n";
    }
    return rows.join();
}

void writeZip(const QString& path, const QList<std::pair<QByteArray, QByteArray>>& members, const QByteArray& password)
{
    zip_t* archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, nullptr);
    if (!archive)
        throw std::runtime_error("cannot create test archive");
    for (const auto& [name, data] : members) {
        zip_source_t* source = zip_source_buffer(archive, data.constData(), zip_uint64_t(data.size()), 0);
        const zip_int64_t index = source ? zip_file_add(archive, name.constData(), source, ZIP_FL_ENC_RAW) : -1;
        if (index < 0) {
            zip_source_free(source);
            zip_discard(archive);
            throw std::runtime_error("cannot add a member to the test archive");
        }
        if (!password.isEmpty()
            && zip_file_set_encryption(archive, zip_uint64_t(index), ZIP_EM_TRAD_PKWARE, password.constData()) != 0) {
            zip_discard(archive);
            throw std::runtime_error("cannot encrypt a member of the test archive");
        }
    }
    if (zip_close(archive) != 0) {
        zip_discard(archive);
        throw std::runtime_error("cannot write test archive");
    }
}

QString runTool(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QStringLiteral("<%1 failed>").arg(program);
    return QString::fromUtf8(process.readAllStandardOutput());
}

int pdfPages(const QString& pdf)
{
    const QRegularExpression pages(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = pages.match(runTool(QStringLiteral("pdfinfo"), {pdf}));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

QStringList pdfLines(const QString& pdf, bool simplified)
{
    QStringList out;
    const QString text = runTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    for (const QString& line : text.split(QLatin1Char('\n')))
        if (!line.trimmed().isEmpty()) {
            const QString kept = line.trimmed().remove(QLatin1Char('\f'));
            out << (simplified ? kept.simplified() : kept);
        }
    return out;
}

QByteArray testData(const char* name)
{
    const QByteArray bytes = readFile(QStringLiteral(TIRAVOL_TEST_DATA "/") + QString::fromLatin1(name));
    if (bytes.isEmpty())
        throw std::runtime_error("missing test data file");
    return bytes;
}

namespace {

::testing::AssertionResult textHas(bool found, const char* how, const QString& text, const QString& part)
{
    if (found)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << '"' << text.toStdString() << "\"\n does not " << how << "\n\"" << part.toStdString()
                                         << '"';
}

} // namespace

::testing::AssertionResult startsWith(const QString& text, const QString& part)
{
    return textHas(text.startsWith(part), "begin with", text, part);
}

::testing::AssertionResult endsWith(const QString& text, const QString& part)
{
    return textHas(text.endsWith(part), "end with", text, part);
}

::testing::AssertionResult contains(const QString& text, const QString& part)
{
    return textHas(text.contains(part), "hold", text, part);
}

Draws randomDraws(int count, unsigned seed)
{
    std::mt19937 rng(seed);
    Draws draws;
    for (int i = 0; i < count; ++i) {
        std::vector<int> pool(70);
        std::iota(pool.begin(), pool.end(), 1);
        // A swap of each place with a later one, so that every library gives the same draws.
        for (int k = 0; k < 20; ++k) {
            std::uniform_int_distribution<int> pick(k, 69);
            std::swap(pool[static_cast<size_t>(k)], pool[static_cast<size_t>(pick(rng))]);
        }
        pool.resize(20);
        draws.push_back(pool);
    }
    return draws;
}

DrawMatrix matrixOf(const Draws& draws)
{
    DrawMatrix m;
    m.resize(static_cast<int>(draws.size()) + 1);
    for (size_t d = 0; d < draws.size(); ++d)
        for (int n : draws[d])
            m.set(n, static_cast<int>(d), true);
    return m;
}

DrawMatrix matrixOf(const QStringList& lines)
{
    DrawMatrix m;
    m.rebuild(lines);
    return m;
}

NumberStats referenceStats(const QStringList& draws, int first, int last)
{
    NumberStats s;
    for (int d = first; d <= last; ++d) {
        std::array<bool, 71> in{};
        for (int k = 0; k < 20; ++k) {
            const int n = draws[d].mid(11 + 3 * k, 2).toInt();
            if (n >= 1 && n <= 70)
                in[static_cast<size_t>(n)] = true;
        }
        for (size_t n = 1; n <= 70; ++n) {
            s.appearances[n] += in[n];
            s.currentGap[n] = in[n] ? 0 : s.currentGap[n] + 1;
            s.largestGap[n] = std::max(s.largestGap[n], s.currentGap[n]);
        }
    }
    return s;
}

QStringList rankingLines(RankingKind kind, const NumberStats& s)
{
    const auto key = [&](int n) {
        switch (kind) {
        case RankingKind::Sorties:
            return s.appearances[n];
        case RankingKind::Ecarts:
            return s.currentGap[n];
        case RankingKind::EcartsMax:
            return s.largestGap[n];
        case RankingKind::Numero:
            return 0;
        }
        return 0;
    };
    QList<int> numbers = numberRange(1, 70);
    std::stable_sort(numbers.begin(), numbers.end(), [&](int a, int b) { return key(a) > key(b); });
    const char* layout = kind == RankingKind::Sorties ? "%02d %04d   %02d    %04d"
        : kind == RankingKind::Numero                 ? "%02d  %04d   %03d  %04d"
                                                      : "%02d %04d   %04d   %04d";
    QStringList lines;
    for (int n : numbers)
        lines << QString::asprintf(layout, n, s.appearances[n], s.currentGap[n], s.largestGap[n]);
    return lines;
}

QStringList makeHistory(int count, const QDate& start, unsigned seed)
{
    std::mt19937 rng(seed);
    std::array<int, 70> pool{};
    std::iota(pool.begin(), pool.end(), 1);
    QStringList lines;
    lines.reserve(count);
    QDate date = start;
    bool midday = true;
    for (int i = 0; i < count; ++i) {
        std::shuffle(pool.begin(), pool.end(), rng);
        DrawLine::Numbers numbers{};
        std::copy_n(pool.begin(), DrawLine::kNumbers, numbers.begin());
        std::sort(numbers.begin(), numbers.end());
        lines << DrawLine::build(date, numbers, midday);
        if (!midday)
            date = date.addDays(1);
        midday = !midday;
    }
    return lines;
}

bool waitFor(const std::function<bool()>& done)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < 60000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

} // namespace TestSupport

// Helpers of the analyses and forecast tests.
namespace TestSupport {

QStringList utf8Lines(std::initializer_list<const char*> lines)
{
    QStringList out;
    for (const char* line : lines)
        out << QString::fromUtf8(line);
    return out;
}

QString drawHolding(int index, const QList<int>& numbers)
{
    QList<int> all = numbers;
    for (int f = 70; all.size() < DrawLine::kNumbers; --f)
        if (!all.contains(f))
            all << f;
    DrawLine::Numbers fields{};
    std::copy(all.begin(), all.end(), fields.begin());
    return DrawLine::build(QDate(2021, 3, 1).addDays(index / 2), fields, index % 2 == 0);
}

} // namespace TestSupport
