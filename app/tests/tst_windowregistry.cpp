#include "WindowRegistry.h"

#include <QSignalSpy>
#include <QtTest>

#include <map>

using namespace zephlan;
using Kind = WindowRegistry::Kind;

namespace {

const std::map<QChar, Kind> kKinds{{'W', Kind::Welcome}, {'M', Kind::Main}, {'A', Kind::About}};

} // namespace

class TestWindowRegistry : public QObject
{
    Q_OBJECT

private slots:
    // Steps: "W+" shows the welcome window, "M-" closes the main window, and so on.
    void lifeOfTheWindows_data()
    {
        QTest::addColumn<int>("flags");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("open"); // in the order W, M, A
        QTest::addColumn<QString>("created");
        QTest::addColumn<int>("ends");
        const QList<std::pair<const char *, int>> kinds{
            {"window", int(Qt::Window)},
            {"frameless dialog", int(Qt::Dialog | Qt::FramelessWindowHint)},
            {"tool", int(Qt::Tool)}};
        for (const auto &[kind, flags] : kinds) {
            auto row = [&](const char *name) -> QTestData & { return QTest::addRow("%s: %s", kind, name) << flags; };
            row("closed at start") << "W+ W-" << "" << "W" << 1;
            row("continue") << "W+ M+ W-" << "M" << "WM" << 0;
            row("help shown twice is one window") << "W+ M+ W- W+ W+" << "WM" << "WMW" << 0;
            row("help closed again") << "W+ M+ W- W+ M+ W-" << "M" << "WMW" << 0;
            row("about outlives main") << "W+ M+ W- A+ M-" << "A" << "WMA" << 0;
            row("about closed last") << "W+ M+ W- A+ M- A-" << "" << "WMA" << 1;
            row("welcome outlives main") << "W+ M+ M-" << "W" << "WM" << 0;
            row("exit after continue") << "W+ M+ W- M-" << "" << "WM" << 1;
            row("about created afresh") << "W+ A+ A+ A- A+" << "WA" << "WAA" << 0;
            row("program goes on after the end") << "W+ W- W+" << "W" << "WW" << 1;
        }
    }
    void lifeOfTheWindows()
    {
        QFETCH(int, flags);
        QFETCH(QString, steps);
        QFETCH(QString, open);
        QFETCH(QString, created);
        QFETCH(int, ends);

        WindowRegistry registry;
        QString made;
        for (const auto &[letter, kind] : kKinds) {
            registry.setFactory(kind, [&made, letter = letter, flags] {
                made += letter;
                return new QWidget(nullptr, Qt::WindowFlags(flags));
            });
        }
        QSignalSpy ended(&registry, &WindowRegistry::lastWindowClosed);

        for (const QString &step : steps.split(QLatin1Char(' '))) {
            const Kind kind = kKinds.at(step.at(0));
            if (step.at(1) == QLatin1Char('+')) {
                QWidget *window = registry.show(kind);
                QVERIFY(window && window->isVisible());
            } else {
                QVERIFY(registry.window(kind));
                QVERIFY(registry.window(kind)->close());
            }
            QTest::qWait(0);
        }

        QString stillOpen;
        for (const QChar letter : QStringLiteral("WMA")) {
            if (registry.window(kKinds.at(letter)))
                stillOpen += letter;
        }
        QCOMPARE(stillOpen, open);
        QCOMPARE(registry.openCount(), open.size());
        QCOMPARE(made, created);
        QCOMPARE(ended.count(), ends);

        for (const QChar letter : stillOpen)
            delete registry.window(kKinds.at(letter));
    }

    void shownWindowComesToTheFront()
    {
        WindowRegistry registry;
        registry.setFactory(Kind::Main, [] { return new QWidget; });
        registry.setFactory(Kind::About, [] { return new QWidget; });
        QWidget *main = registry.show(Kind::Main);
        QWidget *about = registry.show(Kind::About);
        QVERIFY(QTest::qWaitForWindowActive(about));
        QCOMPARE(registry.show(Kind::Main), main);
        QVERIFY(QTest::qWaitForWindowActive(main));
        QVERIFY(main->testAttribute(Qt::WA_DeleteOnClose));
        delete main;
        delete about;
    }
};

QTEST_MAIN(TestWindowRegistry)
#include "tst_windowregistry.moc"
