#include "SysInfoBackends.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <array>

using namespace zephlan;

namespace {

void makeProgram(const QString &path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\nexit 0\n");
    file.close();
    QVERIFY(file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
}

std::string readPathValue(Registry &registry, RegistryStatus &status)
{
    const RegistryOpenResult opened = registry.open(kHkeyLocalMachine, kSysInfoKeyPath, 0, kSysInfoKeyAccess);
    status = opened.status;
    if (opened.status != kErrorSuccess)
        return {};
    std::array<unsigned char, kKeyValueBufferSize> buffer{};
    const RegistryQueryResult value = registry.queryValue(opened.handle, "PATH", buffer);
    registry.close(opened.handle);
    status = value.status;
    if (value.status != kErrorSuccess || value.type != kRegSz || value.size == 0 || buffer[value.size - 1] != 0)
        return "bad value";
    return std::string(reinterpret_cast<const char *>(buffer.data()), value.size - 1);
}

} // namespace

class TestSysInfoBackends : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_first;
    QByteArray m_savedPath;

private slots:
    void initTestCase()
    {
        QVERIFY(m_first.isValid());
        m_savedPath = qgetenv("PATH");
    }
    void cleanupTestCase() { qputenv("PATH", m_savedPath); }

    void standInAnswersWithTheFirstProgramFound_data()
    {
        QTest::addColumn<QStringList>("inFirstFolder");
        QTest::addColumn<QStringList>("inSecondFolder");
        QTest::addColumn<QString>("expected"); // folder index and name, or empty when the key must not open
        QTest::newRow("none") << QStringList{} << QStringList{} << QString();
        QTest::newRow("only the last") << QStringList{} << QStringList{"gnome-system-monitor"}
                                       << "1/gnome-system-monitor";
        QTest::newRow("fixed order beats path order")
            << QStringList{"kinfocenter"} << QStringList{"hardinfo"} << "1/hardinfo";
        QTest::newRow("same program: earlier folder") << QStringList{"kinfocenter"} << QStringList{"kinfocenter"}
                                                      << "0/kinfocenter";
        QTest::newRow("unrelated program") << QStringList{"htop"} << QStringList{} << QString();
    }
    void standInAnswersWithTheFirstProgramFound()
    {
        QFETCH(QStringList, inFirstFolder);
        QFETCH(QStringList, inSecondFolder);
        QFETCH(QString, expected);
        QTemporaryDir first;
        QTemporaryDir second;
        const QList<QTemporaryDir *> folders{&first, &second};
        for (const QString &name : inFirstFolder)
            makeProgram(first.filePath(name));
        for (const QString &name : inSecondFolder)
            makeProgram(second.filePath(name));
        qputenv("PATH", (first.path() + QLatin1Char(':') + second.path()).toLocal8Bit());

        StandInRegistry registry;
        RegistryStatus status = -1;
        const std::string value = readPathValue(registry, status);
        if (expected.isEmpty()) {
            QCOMPARE(status, kErrorFileNotFound);
            return;
        }
        QCOMPARE(status, kErrorSuccess);
        const QString path = folders.at(expected.section('/', 0, 0).toInt())->filePath(expected.section('/', 1));
        QCOMPARE(QString::fromStdString(value), path);
    }

    void standInNeverOpensOtherKeys()
    {
        makeProgram(m_first.filePath(QStringLiteral("hardinfo")));
        qputenv("PATH", m_first.path().toLocal8Bit());
        StandInRegistry registry;
        QCOMPARE(registry.open(kHkeyLocalMachine, kSysInfoKeyLocation, 0, kSysInfoKeyAccess).status,
                 kErrorFileNotFound);
        QCOMPARE(registry.open(0x80000001u, kSysInfoKeyPath, 0, kSysInfoKeyAccess).status, kErrorFileNotFound);
        QCOMPARE(registry.open(kHkeyLocalMachine, "software\\microsoft\\shared tools\\msinfo", 0, kSysInfoKeyAccess)
                     .status,
                 kErrorSuccess);
    }

    void fileSearchFindsOrdinaryFilesOnly_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("found");
        QTest::newRow("file") << "\\MSINFO32.EXE" << "MSINFO32.EXE";
        QTest::newRow("other case") << "\\msinfo32.exe" << "MSINFO32.EXE";
        QTest::newRow("folder") << "\\Tools" << "";
        QTest::newRow("missing") << "\\NOTHERE.EXE" << "";
        QTest::newRow("wildcard") << "\\MSINFO*" << "MSINFO32.EXE";
    }
    void fileSearchFindsOrdinaryFilesOnly()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, found);
        QTemporaryDir folder;
        makeProgram(folder.filePath(QStringLiteral("MSINFO32.EXE")));
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("Tools")));
        SysInfoBackends backends = machineSysInfoBackends();
        const std::string name = backends.files->findFirst((folder.path() + pattern).toStdString());
        QCOMPARE(QString::fromStdString(name), found);
    }

    void programStartReportsFailure_data()
    {
        QTest::addColumn<QString>("commandLine");
        QTest::addColumn<bool>("started");
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("missing file") << "/nonexistent/msinfo32" << false;
        QTest::newRow("program") << "true" << true;
    }
    void programStartReportsFailure()
    {
        QFETCH(QString, commandLine);
        QFETCH(bool, started);
        qputenv("PATH", m_savedPath);
        SysInfoBackends backends = machineSysInfoBackends();
        QCOMPARE(backends.programs->start(commandLine.toStdString()), started);
    }
};

QTEST_MAIN(TestSysInfoBackends)
#include "tst_sysinfobackends.moc"
