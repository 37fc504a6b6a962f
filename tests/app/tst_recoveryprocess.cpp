// The program as a process: typed text survives a kill -9 and comes back at the next start.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtTest>
#include <csignal>

#include "testsupport.h"

class TestRecoveryProcess : public QObject
{
    Q_OBJECT

private slots:
    void killAndRecover_data();
    void killAndRecover();

private:
    // Starts the program with a script of actions; waits until the script's report is there.
    QJsonArray RunUntilReport(const QString &script, const QString &report);

    QTemporaryDir m_dir;
    QProcess m_process;
};

QJsonArray TestRecoveryProcess::RunUntilReport(const QString &script, const QString &report)
{
    const QString scriptFile = m_dir.filePath(QStringLiteral("script.txt"));
    QFile f(scriptFile);
    if (!f.open(QIODevice::WriteOnly))
        return {};
    f.write(script.toUtf8());
    f.close();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("PENDWICK_CONFIG"), m_dir.filePath(QStringLiteral("registry.ini")));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), m_dir.filePath(QStringLiteral("data")));
    env.insert(QStringLiteral("PENDWICK_TEST_SCRIPT"), scriptFile);
    env.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
    m_process.setProcessEnvironment(env);
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(QStringLiteral(PENDWICK_PROGRAM), {});
    if (!m_process.waitForStarted())
        return {};
    QDeadlineTimer deadline(60000);
    while (!QFileInfo::exists(report) && !deadline.hasExpired() && m_process.state() == QProcess::Running)
        QTest::qWait(100);
    QFile r(report);
    if (!r.open(QIODevice::ReadOnly))
        qWarning("the program wrote no report");
    const QJsonArray tabs = QJsonDocument::fromJson(r.readAll()).array();
    // The hard way out: no clean-up runs.
    ::kill(pid_t(m_process.processId()), SIGKILL);
    m_process.waitForFinished();
    return tabs;
}

void TestRecoveryProcess::killAndRecover_data()
{
    QTest::addColumn<QString>("enabled");
    QTest::addColumn<bool>("recovered");
    QTest::newRow("recovery on (default)") << "" << true;
    QTest::newRow("recovery switched off") << "0" << false;
}

void TestRecoveryProcess::killAndRecover()
{
    QFETCH(QString, enabled);
    QFETCH(bool, recovered);
    QVERIFY(m_dir.isValid());
    QDir(m_dir.filePath(QStringLiteral("data"))).removeRecursively();
    QFile::remove(m_dir.filePath(QStringLiteral("registry.ini")));
    if (!enabled.isEmpty()) {
        QFile ini(m_dir.filePath(QStringLiteral("registry.ini")));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[Software\\Pendwick\\Recovery]\nEnabled=" + enabled.toUtf8() + "\n");
    }
    const QString original = m_dir.filePath(QStringLiteral("page.html"));
    const QByteArray originalBytes("<p>caf\xc3\xa9\r\nend</p>\r\n");
    {
        QFile f(original);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(originalBytes);
    }
    const QString first = m_dir.filePath(QStringLiteral("first.json"));
    const QString second = m_dir.filePath(QStringLiteral("second.json"));
    QFile::remove(first);
    QFile::remove(second);
    // Typing, then a pause long enough for the copies to be written.
    const QJsonArray typed = RunUntilReport(QStringLiteral("new\ntype untitled\\nline two\nopen %1\ntype NEW \nwait 3500\nreport %2\n")
                                                .arg(original, first),
                                            first);
    QCOMPARE(typed.size(), 2);
    const QJsonArray back = RunUntilReport(QStringLiteral("recover yes\nreport %1\n").arg(second), second);
    QCOMPARE(QFile(original).exists(), true);
    {
        QFile f(original);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), originalBytes);
    }
    if (!recovered) {
        QCOMPARE(back.size(), 1);
        QCOMPARE(back.at(0)[QStringLiteral("modified")].toBool(), false);
        return;
    }
    QCOMPARE(back.size(), 2);
    for (int i = 0; i < 2; ++i) {
        QCOMPARE(back.at(i)[QStringLiteral("text")].toString(), typed.at(i)[QStringLiteral("text")].toString());
        QCOMPARE(back.at(i)[QStringLiteral("path")].toString(), typed.at(i)[QStringLiteral("path")].toString());
        QCOMPARE(back.at(i)[QStringLiteral("caret")].toInt(), typed.at(i)[QStringLiteral("caret")].toInt());
        QCOMPARE(back.at(i)[QStringLiteral("modified")].toBool(), true);
    }
    QCOMPARE(back.at(0)[QStringLiteral("text")].toString(), QStringLiteral("untitled\nline two"));
    QCOMPARE(back.at(1)[QStringLiteral("text")].toString(), QStringLiteral("NEW <p>caf\u00e9\nend</p>\n"));
}

QTEST_GUILESS_MAIN(TestRecoveryProcess)
#include "tst_recoveryprocess.moc"
