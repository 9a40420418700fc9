#include "Document.h"
#include "FileChooser.h"
#include "FirstPaint.h"
#include "FleetTexts.h"
#include "Language.h"
#include "LanguageSettings.h"
#include "MainWindow.h"
#include "MessageBoxPrompter.h"
#include "ProgressDialog.h"
#include "RadioLink.h"
#include "SafeSave.h"
#include "StandardStreams.h"
#include "TextFormat.h"
#include "Texts.h"
#include "Version.h"

#include <QApplication>
#include <QBuffer>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QImageWriter>
#include <QPushButton>

#include <iostream>
#include <string_view>

namespace {

// --help and --version only print, so they must not need a display (a
// terminal over ssh, a package check): the offscreen platform serves them.
bool onlyPrints(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view a(argv[i]);
        if (a == "-h" || a == "--help" || a == "--help-all" || a == "-v" || a == "--version")
            return true;
    }
    return false;
}

// The window as a picture in the format its name asks for (PNG when it names
// none), saved as every other file is: whole or not at all. False, with the
// reason on stderr, when it was not.
bool saveScreenshot(QWidget &window, const QString &path)
{
    QByteArray format = QFileInfo(path).suffix().toLower().toLatin1();
    if (!QImageWriter::supportedImageFormats().contains(format))
        format = "png";
    QByteArray picture;
    QBuffer buffer(&picture);
    buffer.open(QIODevice::WriteOnly);
    window.grab().save(&buffer, format.constData());
    const kx9::SafeSaveResult saved = kx9::saveFileSafely(
        path.toStdString(), std::string_view(picture.constData(), picture.size()));
    if (!saved)
        std::cerr << "kx9: "
                  << kx9::fillIn(kx9::text::kCannotWriteFile.en, {path.toStdString(), saved.reason})
                  << "\n";
    return saved.ok;
}

} // namespace

int main(int argc, char *argv[])
{
    kx9::reserveStandardStreams();
    if (onlyPrints(argc, argv) && !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kx9"));
    // showVersion() prints "kx9 <version>": the licence lines follow it.
    QApplication::setApplicationVersion(QString::fromUtf8(kx9::kVersion) + QLatin1Char('\n') +
                                        QString::fromUtf8(kx9::kLicenseNotice).trimmed());

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("KX9 radio programming software"));
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption portOption(QStringLiteral("port"),
                                  QStringLiteral("Serial port to start with: COM1-COM4 or a "
                                                 "device path."),
                                  QStringLiteral("PORT"));
    parser.addOption(portOption);
    // For the demo, screenshots and start-up measurements.
    QCommandLineOption readOption(QStringLiteral("read"),
                                  QStringLiteral("Read From Radio at once, pressing Start."));
    QCommandLineOption screenshotOption(
        QStringLiteral("screenshot"),
        QStringLiteral("Save a picture of the window to FILE once it is shown (after --read: "
                       "once the read has ended), then quit."),
        QStringLiteral("FILE"));
    parser.addOption(readOption);
    parser.addOption(screenshotOption);
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("A .sin channel file."),
                                 QStringLiteral("[FILE.sin]"));
    parser.process(app);
    const QString port = parser.value(portOption).trimmed();
    if (parser.isSet(portOption) && port.isEmpty()) {
        std::cerr << "kx9: --port: " << kx9::text::kFleetEmptyPortName.en << "\n";
        return 2;
    }

    // The language chosen last (English until a switch was made).
    kx9::applyStartLanguage();

    kx9::Document document;
    kx9::MessageBoxPrompter prompter;
    kx9::DialogFileChooser files;
    kx9::MainWindow window(document, prompter, files,
                           [] { return std::make_unique<kx9::RadioLink>(); });
    prompter.setParent(&window);
    if (parser.isSet(portOption))
        window.view().setPortName(port);

    document.newDocument(kx9::currentLanguage());
    window.view().initialUpdate();
    const QStringList arguments = parser.positionalArguments();
    // A file that cannot be opened ends the start, as double-clicking a
    // broken file should not leave an unrelated empty document behind.
    if (!arguments.isEmpty() && !window.openFile(arguments.first()))
        return 1;
    window.show();

    const QString screenshot = parser.value(screenshotOption);
    auto finish = [&] {
        if (!screenshot.isEmpty())
            QCoreApplication::exit(saveScreenshot(window, screenshot) ? 0 : 1);
    };
    kx9::FirstPaint::after(&window, [&] {
        if (!parser.isSet(readOption)) {
            finish();
            return;
        }
        QObject::connect(&window.view(), &kx9::ChannelView::transferStateChanged, &window,
                         [&](bool running) {
                             // Queued, so that the status bar has laid out
                             // the read's result before the picture.
                             if (!running)
                                 QMetaObject::invokeMethod(&window, finish, Qt::QueuedConnection);
                         });
        window.view().readFromRadio();
        // Start once the window manager has placed the dialog: a move during
        // the read stops it, as the user's own would.
        kx9::ProgressDialog &progress = window.view().progressDialog();
        kx9::FirstPaint::after(&progress, [&progress] { progress.startButton()->click(); });
    });
    return app.exec();
}
