#include "app/WindowRegistry.h"

#include <QtTest>

using namespace zephlan;
using Kind = WindowRegistry::Kind;

class TestWindowRegistry : public QObject
{
    Q_OBJECT

    static constexpr QStringView kLetters = u"WMA";
    static Kind kind(QChar letter) { return Kind(kLetters.indexOf(letter)); }

private slots:
    // Steps: "W+" shows the welcome window and waits until it is the active one, "M-" closes the
    // main window; W, M and A stand for welcome, main and about. Each row runs with every frame.
    void lifeOfTheWindows_data()
    {
        QTest::addColumn<Qt::WindowFlags>("flags");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("open"); // in the order W, M, A
        QTest::addColumn<QString>("created");
        QTest::addColumn<int>("ends");
        const std::pair<const char *, Qt::WindowFlags> frames[]{
            {"window", Qt::Window}, {"frameless dialog", Qt::Dialog | Qt::FramelessWindowHint}, {"tool", Qt::Tool}};
        for (const auto &frame : frames) {
            const auto row = [&](const char *name) -> QTestData & {
                return QTest::addRow("%s: %s", frame.first, name) << frame.second;
            };
            row("closed at start") << "W+ W-" << "" << "W" << 1;
            row("shown again: the same window, to the front") << "W+ M+ W+ M+" << "WM" << "WM" << 0;
            row("about closed last") << "W+ M+ W- A+ M- A-" << "" << "WMA" << 1;
            row("welcome outlives main") << "W+ M+ M-" << "W" << "WM" << 0;
            row("exit after continue") << "W+ M+ W- M-" << "" << "WM" << 1;
            row("about created afresh") << "W+ A+ A+ A- A+" << "WA" << "WAA" << 0;
        }
    }
    void lifeOfTheWindows()
    {
        QFETCH(Qt::WindowFlags, flags);
        QFETCH(QString, steps);
        QFETCH(QString, open);
        QFETCH(QString, created);
        QFETCH(int, ends);
        WindowRegistry registry;
        QString made;
        for (const QChar letter : kLetters)
            registry.setFactory(kind(letter), [&made, letter, flags] {
                made += letter;
                auto *window = new QWidget(nullptr, flags);
                window->setAttribute(Qt::WA_DeleteOnClose);
                return window;
            });
        QSignalSpy ended(&registry, &WindowRegistry::lastWindowClosed);

        for (const QString &step : steps.split(u' ')) {
            if (step.at(1) == u'+')
                QVERIFY(QTest::qWaitForWindowActive(registry.show(kind(step.at(0)))));
            else
                QVERIFY(registry.window(kind(step.at(0)))->close());
            QTest::qWait(0);
        }

        QString stillOpen;
        for (const QChar letter : kLetters)
            stillOpen += registry.window(kind(letter)) ? QString(letter) : QString();
        QCOMPARE(stillOpen, open);
        QCOMPARE(registry.openCount(), open.size());
        QCOMPARE(made, created);
        QCOMPARE(ended.count(), ends);
        for (const QChar letter : stillOpen)
            delete registry.window(kind(letter));
    }
};

QTEST_MAIN(TestWindowRegistry)
#include "tst_windowregistry.moc"
