// SPDX-License-Identifier: GPL-3.0-or-later
// Builds the help document: pictures of the window taken offscreen on the demonstration
// history, then the French guide (Markdown) laid out by Qt into a PDF. No screen, no extra tool.
#include "ReproduciblePdf.h"
#include "gui/CalendarFilterWindow.h"
#include "gui/GuiApp.h"
#include "gui/MainWindow.h"
#include "shell/CommandUnits.h"
#include "shell/OutcomeView.h"
#include "shell/UserInterface.h"
#include "shell/Workspace.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPixmap>
#include <QSaveFile>
#include <QTextDocument>
#include <QTextStream>
#include <QThread>
#include <QUrl>
#include <cstdio>

namespace {

// SOURCE_DATE_EPOCH (set by Debian's builds): the moment the document says it was made and the
// day its demonstration history ends; the clock when unset.
QDateTime buildMoment()
{
    bool ok = false;
    const qint64 seconds = qEnvironmentVariable("SOURCE_DATE_EPOCH").toLongLong(&ok);
    return ok ? QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC) : QDateTime::currentDateTimeUtc();
}

// The pictures are taken without anyone to answer: every question gets "no" or nothing.
class SilentUi : public UserInterface, public OutcomeView {
public:
    explicit SilentUi(QDate today) : m_today(today) { }
    QDate today() const override { return m_today; }
    void show(const CommandOutcome&) override { }
    bool confirm(const QString&, const QString&) override { return false; }
    std::optional<QString> askText(const QString&, const QString&, const QString&) override { return std::nullopt; }
    QString askSaveFileName(const QString&, const QString&) override { return {}; }
    bool editCalendarFilter(CalendarFilter&) override { return false; }

private:
    QDate m_today;
};

void settle(int milliseconds)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
}

bool save(QWidget* widget, const QString& path)
{
    const QPixmap picture = widget->grab();
    if (picture.isNull() || !picture.save(path, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

bool takePictures(const QString& folder, QDate today)
{
    SilentUi ui(today);
    GuiApp app(&ui, &ui);
    GuiApp::Options options;
    options.demo = true;
    QString error;
    if (!app.start(options, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return false;
    }
    MainWindow* window = app.window();
    window->resize(1100, 760);
    settle(300);
    bool ok = save(window, QDir(folder).filePath(QStringLiteral("fenetre.png")));

    // A few ticked numbers and the ranking by gaps: what a study usually looks like.
    Workspace* workspace = app.workspace();
    for (int number : {7, 12, 23, 34, 45, 59, 66})
        workspace->units().grid.setCheck(number, true);
    workspace->units().rankings.ecarts();
    settle(200);
    ok = save(window, QDir(folder).filePath(QStringLiteral("ecarts.png"))) && ok;

    CalendarFilterWindow filter(window);
    filter.show();
    settle(200);
    ok = save(&filter, QDir(folder).filePath(QStringLiteral("periode.png"))) && ok;
    filter.close();
    return ok;
}

// Pictures are scaled to the text width so that they never overflow a page.
void addPictures(QTextDocument& document, const QString& folder, double textWidth)
{
    for (const char* name : {"fenetre.png", "ecarts.png", "periode.png"}) {
        QImage image(QDir(folder).filePath(QLatin1String(name)));
        if (image.isNull())
            continue;
        const int width = static_cast<int>(textWidth * (image.width() < 700 ? 0.6 : 1.0));
        document.addResource(QTextDocument::ImageResource, QUrl(QLatin1String(name)),
                             image.scaledToWidth(width, Qt::SmoothTransformation));
    }
}

// The guide laid out by Qt on A4 pages, its pictures scaled to the text.
QByteArray layOut(const QString& markdown, const QString& pictures)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setTitle(QStringLiteral("Tiravol — aide"));
    writer.setCreator(QStringLiteral("Tiravol"));
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(18, 18, 18, 18), QPageLayout::Millimeter);

    QTextDocument document;
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setStyleHint(QFont::Serif);
    font.setPointSize(10);
    // No ligatures: "fi" stays two letters for a search or a copy from the viewer.
    font.setStyleStrategy(QFont::PreferNoShaping);
    document.setDefaultFont(font);
    const double textWidth = 600; // pixels at screen resolution: the width of the text, near enough
    // After the text: setting the text drops the resources already added.
    document.setMarkdown(markdown);
    addPictures(document, pictures, textWidth);
    document.print(&writer);
    return buffer.data();
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The document's dates are written in UTC, whatever the zone of the machine that builds it.
    qputenv("TZ", "UTC");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString runtime = QDir::tempPath() + QStringLiteral("/tiravol-helpdoc-runtime");
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
    }
    QApplication application(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: tiravol-helpdoc GUIDE.md PICTURE_FOLDER OUTPUT.pdf\n");
        return 2;
    }
    const QString source = args[1];
    const QString pictures = args[2];
    const QString output = args[3];
    QDir().mkpath(pictures);
    // The demonstration must not read nor write the user's own settings.
    qputenv("XDG_CONFIG_HOME", QDir(pictures).filePath(QStringLiteral("config")).toLocal8Bit());
    const QDateTime moment = buildMoment();
    if (!takePictures(pictures, moment.date()))
        return 1;

    QFile file(source);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(source));
        return 1;
    }
    const QString markdown = QString::fromUtf8(file.readAll());

    const QByteArray bytes = ReproduciblePdf::apply(layOut(markdown, pictures), moment);
    // Written aside and renamed, so that a failed run never leaves half a PDF behind.
    QSaveFile pdf(output);
    if (!pdf.open(QIODevice::WriteOnly) || pdf.write(bytes) != bytes.size() || !pdf.commit()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(output));
        return 1;
    }
    return 0;
}
