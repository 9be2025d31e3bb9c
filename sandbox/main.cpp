// The sandbox back end as a program, for the demo and for trying the SDK by hand.
//   tarvello-sandbox [--port N] [--cert-dir DIR] [--fixture FILE] [--foreign-certificate]
// Prints {"baseUrl": ..., "caFile": ...} as one line on stdout, then serves until killed.

#include "sandbox/SandboxServer.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tarvello-sandbox"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Sandbox back end over HTTPS on 127.0.0.1"));
    parser.addHelpOption();
    const QCommandLineOption portOption(QStringLiteral("port"),
                                        QStringLiteral("Port to listen on (0: any free port)."),
                                        QStringLiteral("port"), QStringLiteral("0"));
    const QCommandLineOption certOption(
        QStringLiteral("cert-dir"),
        QStringLiteral("Folder for the generated CA and server certificate (default: a temporary "
                       "folder)."),
        QStringLiteral("dir"));
    const QCommandLineOption fixtureOption(
        QStringLiteral("fixture"),
        QStringLiteral("JSON fixture to load instead of the built-in one."),
        QStringLiteral("file"));
    const QCommandLineOption foreignOption(
        QStringLiteral("foreign-certificate"),
        QStringLiteral("Serve a certificate of another authority than the CA file it writes, as "
                       "an impostor would."));
    parser.addOptions({portOption, certOption, fixtureOption, foreignOption});
    parser.process(app);

    bool portOk = false;
    const uint port = parser.value(portOption).toUInt(&portOk);
    if (!portOk || port > 65535) {
        std::fprintf(stderr, "tarvello-sandbox: invalid port\n");
        return 2;
    }

    SandboxServer::Options options;
    options.port = quint16(port);
    options.foreignCertificate = parser.isSet(foreignOption);
    std::unique_ptr<QTemporaryDir> temporary;
    if (parser.isSet(certOption)) {
        options.certificateDirectory = QDir(parser.value(certOption)).absolutePath();
    } else {
        temporary = std::make_unique<QTemporaryDir>();
        options.certificateDirectory = temporary->path();
    }
    if (parser.isSet(fixtureOption)) {
        QFile file(parser.value(fixtureOption));
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "tarvello-sandbox: cannot read %s\n", qPrintable(file.fileName()));
            return 2;
        }
        options.fixture = file.readAll();
    }

    SandboxServer server;
    if (!server.start(options)) {
        std::fprintf(stderr, "tarvello-sandbox: %s\n", qPrintable(server.errorString()));
        return 1;
    }
    const QJsonObject info{{QStringLiteral("baseUrl"), server.baseUrl()},
                           {QStringLiteral("caFile"), server.caFile()}};
    std::printf("%s\n", QJsonDocument(info).toJson(QJsonDocument::Compact).constData());
    std::fflush(stdout);
    return app.exec();
}
