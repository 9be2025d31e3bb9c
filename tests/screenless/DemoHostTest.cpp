#include "support/SandboxFixture.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

// The demo host names its version as a real host does, so the SDK's delegate-style POSTs carry
// "Client-Version".
TEST(DemoHost, ItsPostsCarryItsVersion) {
    const QString demo = QCoreApplication::applicationDirPath() + QStringLiteral("/tarvello-demo");
    if (!QFileInfo::exists(demo))
        GTEST_SKIP() << "tarvello-demo is not built";
    SandboxFixture sandbox;
    QTemporaryDir home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path() + QStringLiteral("/config"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home.path() + QStringLiteral("/data"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.remove(QStringLiteral("TARVELLO_BASE_URL"));
    environment.remove(QStringLiteral("TARVELLO_CA_FILE"));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(demo,
                  {"--api-key", sandbox.apiKey(), "--token", sandbox.merchantToken(), "--base-url",
                   sandbox.baseUrl(), "--ca-file", sandbox.caFile(), "batches"});
    ASSERT_TRUE(waitUntil([&] { return process.state() == QProcess::NotRunning; }, 60000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();

    int posts = 0;
    for (const SandboxRequest& request : sandbox->requests()) {
        if (request.method != QLatin1String("POST"))
            continue;
        ++posts;
        EXPECT_EQ(request.header("Client-Version").toStdString(), "1.0")
            << request.path.toStdString();
    }
    EXPECT_GT(posts, 0);
}
