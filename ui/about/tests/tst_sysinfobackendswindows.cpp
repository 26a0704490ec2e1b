#include "sysinfo/testing/SysInfoFakes.h"
#include "ui/about/SysInfoBackends.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <windows.h>

using namespace zephlan;

namespace {

const QString kTestKey = QStringLiteral("HKLM\\SOFTWARE\\Zephlan Tests");
const QString kPathKey = QStringLiteral("HKLM\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString kLocationKey = QStringLiteral("HKLM\\SOFTWARE\\Microsoft\\Shared Tools Location");
constexpr int kMarkerRunMs = 3000; // how long sysinfomarker.exe runs before it writes "finished"

bool underWine()
{
    const HMODULE ntdll = ::GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

bool run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit
        && process.exitCode() == 0;
}

// reg.exe cannot store a string without its closing NUL or a string of no bytes; regedit can,
// from a file in the single-byte REGEDIT4 form.
bool importRegistryFile(const QString &folder, const QByteArray &lines)
{
    const QString path = folder + QStringLiteral("/values.reg");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write("REGEDIT4\r\n\r\n" + lines);
    file.close();
    return run(QStringLiteral("regedit"), {QStringLiteral("/s"), QDir::toNativeSeparators(path)});
}

QString nativePath(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

// The registry, file search and program start of Windows itself. The values are
// written with reg.exe and regedit, into HKEY_LOCAL_MACHINE, so this runs only under Wine.
class TestSysInfoBackends : public QObject
{
    Q_OBJECT

    SysInfoBackends m_machine = machineSysInfoBackends();
    QTemporaryDir m_folder;

    QString copyMarker(const QString &folder, const QString &name)
    {
        QDir().mkpath(folder);
        const QString copy = folder + u'/' + name;
        if (!QFile::copy(QCoreApplication::applicationDirPath() + QStringLiteral("/sysinfomarker.exe"), copy))
            qWarning("sysinfomarker.exe was not copied to %s", qPrintable(copy));
        return nativePath(copy);
    }

private slots:
    void initTestCase()
    {
        if (!underWine())
            QSKIP("writes into HKEY_LOCAL_MACHINE; runs only under Wine");
        QVERIFY(m_folder.isValid());
        const auto add = [](const QString &name, const QString &type, const QString &data) {
            return run(QStringLiteral("reg"), {QStringLiteral("add"), kTestKey, QStringLiteral("/v"), name,
                                               QStringLiteral("/t"), type, QStringLiteral("/d"), data,
                                               QStringLiteral("/f")});
        };
        QVERIFY(add(QStringLiteral("WithNul"), QStringLiteral("REG_SZ"), QStringLiteral("C:\\Tools\\msinfo32.exe")));
        QVERIFY(add(QStringLiteral("EmptyString"), QStringLiteral("REG_SZ"), QString()));
        QVERIFY(add(QStringLiteral("Fits"), QStringLiteral("REG_SZ"), QString(1023, u'f')));
        QVERIFY(add(QStringLiteral("TooLong"), QStringLiteral("REG_SZ"), QString(1024, u'x')));
        QVERIFY(add(QStringLiteral("Number"), QStringLiteral("REG_DWORD"), QStringLiteral("0x0A0B0C0D")));
        QVERIFY(add(QStringLiteral("Expandable"), QStringLiteral("REG_EXPAND_SZ"),
                    QStringLiteral("%SystemRoot%\\system32\\msinfo32.exe")));
        QVERIFY(importRegistryFile(m_folder.path(), "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Zephlan Tests]\r\n"
                                                    "\"WithoutNul\"=hex(1):61,62,63\r\n"
                                                    "\"NoBytes\"=hex(1):\r\n"));
    }

    void cleanupTestCase()
    {
        if (underWine())
            run(QStringLiteral("reg"), {QStringLiteral("delete"), kTestKey, QStringLiteral("/f")});
    }

    void keyIsOpenedForReading() { QCOMPARE(kSysInfoKeyAccess, static_cast<std::uint32_t>(KEY_READ)); }

    void getKeyValue_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<KeyLookup>("result");
        QTest::addColumn<QByteArray>("keyVal"); // "kept" goes in
        const QString key = QStringLiteral("SOFTWARE\\Zephlan Tests");
        QTest::newRow("string with its NUL") << key << "WithNul" << KeyLookup::Read << QByteArray("C:\\Tools\\msinfo32.exe");
        QTest::newRow("string without NUL") << key << "WithoutNul" << KeyLookup::Read << QByteArray("abc");
        QTest::newRow("empty string") << key << "EmptyString" << KeyLookup::Read << QByteArray();
        QTest::newRow("1,024 bytes with the NUL") << key << "Fits" << KeyLookup::Read << QByteArray(1023, 'f');
        QTest::newRow("over 1,024 bytes") << key << "TooLong" << KeyLookup::NotRead << QByteArray();
        QTest::newRow("no bytes") << key << "NoBytes" << KeyLookup::Fault << QByteArray("kept");
        QTest::newRow("number") << key << "Number" << KeyLookup::Read << QByteArray("&hkeptABCD");
        QTest::newRow("expandable string") << key << "Expandable" << KeyLookup::Read << QByteArray("kept");
        QTest::newRow("missing value") << key << "Missing" << KeyLookup::NotRead << QByteArray();
        QTest::newRow("missing key") << key + "\\Missing" << "WithNul" << KeyLookup::NotRead << QByteArray();
    }
    void getKeyValue()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(KeyLookup, result);
        QFETCH(QByteArray, keyVal);
        std::string read = "kept";
        QCOMPARE(GetKeyValue(*m_machine.registry, kHkeyLocalMachine, key.toStdString(), value.toStdString(), read),
                 result);
        QCOMPARE(QByteArray::fromStdString(read), keyVal);
    }

    void fileSearch_data()
    {
        QTest::addColumn<QString>("entry"); // a file, or a folder when it ends in '/'
        QTest::addColumn<QString>("found");
        QTest::newRow("tool") << "MSINFO32.EXE" << "MSINFO32.EXE";
        QTest::newRow("tool in lower case") << "msinfo32.exe" << "msinfo32.exe";
        QTest::newRow("other file") << "readme.txt" << "";
        QTest::newRow("folder of that name") << "MSINFO32.EXE/" << "";
    }
    void fileSearch()
    {
        QFETCH(QString, entry);
        QFETCH(QString, found);
        const QTemporaryDir folder;
        if (entry.endsWith(u'/'))
            QVERIFY(QDir(folder.path()).mkdir(entry.chopped(1)));
        else
            QVERIFY(QFile(folder.filePath(entry)).open(QIODevice::WriteOnly));
        const std::string pattern = nativePath(folder.path()).toStdString() + kSysInfoProgramFile;
        QCOMPARE(QString::fromStdString(m_machine.files->findFirst(pattern)), found);
    }

    // "{tool}" stands for a copy of sysinfomarker.exe, "{folder}" for a folder holding one as
    // MSINFO32.EXE and "{empty}" for a folder without it.
    void startSysInfo_data()
    {
        QTest::addColumn<QString>("pathValue"); // nothing: no such value
        QTest::addColumn<QString>("locationValue");
        QTest::addColumn<QString>("started"); // the command line the tool saw; nothing: the message
        QTest::newRow("first route") << "{tool}" << "" << "{tool}";
        QTest::newRow("first route naming nothing") << "{tool}.missing.exe" << "{folder}" << "";
        QTest::newRow("second route") << "" << "{folder}" << "{folder}\\MSINFO32.EXE";
        QTest::newRow("second route without the tool") << "" << "{empty}" << "";
        QTest::newRow("neither") << "" << "" << "";
    }
    void startSysInfo()
    {
        QFETCH(QString, pathValue);
        QFETCH(QString, locationValue);
        QFETCH(QString, started);
        const QTemporaryDir scratch;
        const QString folderPath = nativePath(scratch.filePath(QStringLiteral("folder")));
        const QString tool = copyMarker(scratch.filePath(QStringLiteral("tool")), QStringLiteral("tool.exe"));
        copyMarker(folderPath, QStringLiteral("MSINFO32.EXE"));
        QDir(scratch.path()).mkdir(QStringLiteral("empty"));
        const auto fill = [&](QString text) {
            return text.replace(QStringLiteral("{tool}"), tool)
                .replace(QStringLiteral("{folder}"), folderPath)
                .replace(QStringLiteral("{empty}"), nativePath(scratch.filePath(QStringLiteral("empty"))));
        };
        // An empty text removes the value; it need not have been there.
        const auto set = [](const QString &key, const QString &name, const QString &data) {
            const QString verb = data.isEmpty() ? QStringLiteral("delete") : QStringLiteral("add");
            QStringList arguments{verb, key, QStringLiteral("/v"), name, QStringLiteral("/f")};
            if (!data.isEmpty())
                arguments << QStringLiteral("/d") << data;
            return run(QStringLiteral("reg"), arguments) || data.isEmpty();
        };
        QVERIFY(set(kPathKey, QStringLiteral("PATH"), fill(pathValue)));
        QVERIFY(set(kLocationKey, QStringLiteral("MSINFO"), fill(locationValue)));
        const auto cleanup = qScopeGuard([&] {
            set(kPathKey, QStringLiteral("PATH"), {});
            set(kLocationKey, QStringLiteral("MSINFO"), {});
        });

        FakeMachine messages;
        QElapsedTimer clock;
        clock.start();
        StartSysInfo({*m_machine.registry, *m_machine.files, *m_machine.programs, messages});
        const qint64 took = clock.elapsed();

        const QString ran = started.isEmpty() ? QString() : fill(started);
        QCOMPARE(messages.shown.size(), std::size_t(ran.isEmpty() ? 1 : 0));
        if (ran.isEmpty()) {
            QTest::qWait(1000);
            for (const QString &folder : {QFileInfo(tool).path(), folderPath})
                QVERIFY2(!QFile::exists(folder + QStringLiteral("/started")), qPrintable(folder));
            return;
        }
        // The start returns while the tool still runs.
        const QString ranIn = QFileInfo(QDir::fromNativeSeparators(ran)).path();
        QVERIFY2(took < kMarkerRunMs / 2, qPrintable(QString::number(took) + " ms"));
        QVERIFY(!QFile::exists(ranIn + QStringLiteral("/finished")));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(ranIn + QStringLiteral("/finished")), 20000);
        QFile seen(ranIn + QStringLiteral("/started"));
        QVERIFY(seen.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromLocal8Bit(seen.readAll()), ran);
    }

    void programStart_data()
    {
        QTest::addColumn<QString>("commandLine");
        QTest::addColumn<bool>("started");
        QTest::newRow("empty") << "" << false;
        QTest::newRow("missing program") << "C:\\no such folder\\tool.exe" << false;
        QTest::newRow("folder") << "C:\\windows" << false;
    }
    void programStart()
    {
        QFETCH(QString, commandLine);
        QFETCH(bool, started);
        QCOMPARE(m_machine.programs->start(commandLine.toStdString()), started);
    }
};

QTEST_MAIN(TestSysInfoBackends)
#include "tst_sysinfobackendswindows.moc"
