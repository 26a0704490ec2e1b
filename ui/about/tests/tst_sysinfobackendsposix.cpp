#include "ui/about/SysInfoBackends.h"
#include "ui/about/StandInRegistry.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace zephlan;

class TestSysInfoBackends : public QObject
{
    Q_OBJECT

private slots:
    // Two folders on the search path hold the programs named "folder/program"; the "PATH" value
    // names the one expected, and with nothing expected the key does not open.
    void standInAnswersWithTheFirstProgramFound_data()
    {
        QTest::addColumn<QString>("programs");
        QTest::addColumn<QString>("expected");
        QTest::newRow("none") << "" << "";
        QTest::newRow("only the last") << "1/gnome-system-monitor" << "1/gnome-system-monitor";
        QTest::newRow("list order beats path order") << "0/kinfocenter 1/hardinfo" << "1/hardinfo";
        QTest::newRow("same program: earlier folder") << "0/kinfocenter 1/kinfocenter" << "0/kinfocenter";
        QTest::newRow("unrelated program") << "0/htop" << "";
    }
    void standInAnswersWithTheFirstProgramFound()
    {
        QFETCH(QString, programs);
        QFETCH(QString, expected);
        const QByteArray savedPath = qgetenv("PATH");
        const auto restorePath = qScopeGuard([&] { qputenv("PATH", savedPath); });
        QTemporaryDir folders[2];
        const auto path = [&](const QString &program) {
            return folders[program.section('/', 0, 0).toInt()].filePath(program.section('/', 1));
        };
        for (const QString &program : programs.split(u' ', Qt::SkipEmptyParts)) {
            QFile file(path(program));
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        }
        qputenv("PATH", (folders[0].path() + u':' + folders[1].path()).toLocal8Bit());

        StandInRegistry registry;
        const RegistryOpenResult key = registry.open(kHkeyLocalMachine, kSysInfoKeyPath, 0, kSysInfoKeyAccess);
        QCOMPARE(key.status, expected.isEmpty() ? kErrorFileNotFound : kErrorSuccess);
        if (expected.isEmpty())
            return;
        registry.close(key.handle);
        std::string value;
        QCOMPARE(GetKeyValue(registry, kHkeyLocalMachine, kSysInfoKeyPath, "PATH", value), KeyLookup::Read);
        QCOMPARE(QString::fromStdString(value), path(expected));
    }
};

QTEST_MAIN(TestSysInfoBackends)
#include "tst_sysinfobackendsposix.moc"
