#include "ui/welcome/RunOfSpaces.h"
#include "ui/welcome/frmWelcome.h"

#include <QLabel>
#include <QPointer>
#include <QtTest>

using namespace zephlan;

namespace {

// What a word-wrapping label shows on its second line; a null text when it wraps to more lines.
QString secondLine(const QLabel *label)
{
    const QFontMetricsF metrics(label->font());
    const int width = label->contentsRect().width();
    QStringList lines{QString()};
    for (const QString &word : label->text().split(u' ')) {
        const QString joined = lines.last().isEmpty() ? word : lines.last() + u' ' + word;
        if (word.isEmpty() || metrics.horizontalAdvance(joined.trimmed()) <= width || lines.last().trimmed().isEmpty())
            lines.last() = joined;
        else
            lines << word;
    }
    return lines.size() == 2 ? lines.last() : QString();
}

// A key with the character code the window system gives it; QTest sends Delete without one.
class KeyWithText final : public QTestEvent
{
public:
    KeyWithText(Qt::Key key, QString text) : m_key(key), m_text(std::move(text)) {}
    void simulate(QWidget *widget) override { QTest::sendKeyEvent(QTest::Click, widget, m_key, m_text, {}); }
    QTestEvent *clone() const override { return new KeyWithText(*this); }

private:
    Qt::Key m_key;
    QString m_text;
};

} // namespace

class TestFrmWelcome : public QObject
{
    Q_OBJECT

    QPointer<frmWelcome> m_window;
    QList<bool> m_askedWhileShown; // for each time the main window was asked for: was this one still shown

private slots:
    void init()
    {
        m_window = new frmWelcome;
        m_askedWhileShown.clear();
        connect(m_window.data(), &frmWelcome::continueRequested, this,
                [this] { m_askedWhileShown << (m_window && m_window->isVisible()); });
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
    }
    void cleanup() { delete m_window; }

    // The texts that come from the program's settings rather than from the window's own table.
    void labelsShowTheProgramsNameAndVersion()
    {
        QCOMPARE(m_window->findChild<QLabel *>(QStringLiteral("lblVersion"))->text(), QStringLiteral("Version " ZEPHLAN_VERSION));
        QCOMPARE(m_window->findChild<QLabel *>(QStringLiteral("lblProductName"))->text(), QStringLiteral("Zephlan"));
    }

    // The word after the run of spaces starts the second line of the instruction, in the
    // substitute the window found for its font and in the other faces a system may have.
    void runOfSpacesStartsTheSecondLine_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<double>("points");
        QTest::newRow("as shown") << "" << 0.0;
        QTest::newRow("wider") << "DejaVu Sans" << 8.25;
        QTest::newRow("metric-compatible") << "Liberation Sans" << 8.25;
        QTest::newRow("serif") << "DejaVu Serif" << 8.25;
        QTest::newRow("narrower") << "Liberation Sans" << 7.0;
    }
    void runOfSpacesStartsTheSecondLine()
    {
        QFETCH(QString, family);
        QFETCH(double, points);
        for (const auto &[name, word] : {std::pair{"Label8", "call sign"}, {"Label9", "worry"}, {"Label10", "Enter"}}) {
            auto *label = m_window->findChild<QLabel *>(QLatin1String(name));
            if (!family.isEmpty()) {
                QFont font(family);
                font.setPointSizeF(points);
                label->setFont(font);
                startSecondLineAfterRun(label);
            }
            QCOMPARE(secondLine(label), label->text().mid(label->text().lastIndexOf(QLatin1String(word))));
        }
    }

    // A key that types a character closes the window wherever the focus is, a left click on the
    // panel closes it, and only Continue asks for the main window, while the window is still shown.
    void input_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QTestEventList>("events");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<bool>("continues");
        const auto key = [](Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
            QTestEventList events;
            events.addKeyClick(key, modifiers);
            return events;
        };
        const auto click = [](Qt::MouseButton button, QPoint where = {}) {
            QTestEventList events;
            events.addMouseClick(button, {}, where);
            return events;
        };
        QTest::newRow("letter") << "cmdContinue" << key(Qt::Key_A) << true << false;
        QTest::newRow("digit on a label") << "Label4" << key(Qt::Key_7) << true << false;
        QTest::newRow("capital on the panel") << "Frame1" << key(Qt::Key_Q, Qt::ShiftModifier) << true << false;
        QTest::newRow("enter on Continue") << "cmdContinue" << key(Qt::Key_Return) << true << true;
        QTest::newRow("keypad enter on Continue") << "cmdContinue" << key(Qt::Key_Enter, Qt::KeypadModifier) << true << true;
        QTest::newRow("space on Continue") << "cmdContinue" << key(Qt::Key_Space) << true << true;
        QTest::newRow("shift+space on Continue") << "cmdContinue" << key(Qt::Key_Space, Qt::ShiftModifier) << true << false;
        QTest::newRow("enter on the panel") << "Frame1" << key(Qt::Key_Return) << true << false;
        QTest::newRow("escape") << "cmdContinue" << key(Qt::Key_Escape) << true << false;
        QTest::newRow("backspace") << "cmdContinue" << key(Qt::Key_Backspace) << true << false;
        QTest::newRow("ctrl+letter") << "cmdContinue" << key(Qt::Key_C, Qt::ControlModifier) << true << false;
        QTest::newRow("tab") << "cmdContinue" << key(Qt::Key_Tab) << false << false;
        QTestEventList deleteKey;
        deleteKey.append(new KeyWithText(Qt::Key_Delete, QStringLiteral("\x7f")));
        QTest::newRow("delete") << "cmdContinue" << deleteKey << false << false;
        QTest::newRow("alt+letter") << "cmdContinue" << key(Qt::Key_C, Qt::AltModifier) << false << false;
        QTest::newRow("arrow") << "cmdContinue" << key(Qt::Key_Left) << false << false;
        QTest::newRow("function key") << "cmdContinue" << key(Qt::Key_F1) << false << false;
        QTest::newRow("shift alone") << "cmdContinue" << key(Qt::Key_Shift, Qt::ShiftModifier) << false << false;
        QTest::newRow("ctrl alone") << "cmdContinue" << key(Qt::Key_Control, Qt::ControlModifier) << false << false;
        QTest::newRow("panel background") << "Frame1" << click(Qt::LeftButton, {20, 440}) << true << false;
        QTest::newRow("instruction") << "Label3" << click(Qt::LeftButton, {10, 5}) << false << false;
        QTest::newRow("right button on panel") << "Frame1" << click(Qt::RightButton, {20, 440}) << false << false;
        QTest::newRow("continue") << "cmdContinue" << click(Qt::LeftButton) << true << true;
    }
    void input()
    {
        QFETCH(QString, target);
        QFETCH(QTestEventList, events);
        QFETCH(bool, closes);
        QFETCH(bool, continues);
        events.simulate(m_window->findChild<QWidget *>(target));
        QTest::qWait(0);
        QCOMPARE(m_window.isNull(), closes);
        QCOMPARE(m_askedWhileShown, continues ? QList<bool>{true} : QList<bool>{});
    }
};

QTEST_MAIN(TestFrmWelcome)
#include "tst_frmwelcome.moc"
