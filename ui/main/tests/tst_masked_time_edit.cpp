#include "MaskedTimeEdit.h"

#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

using namespace zephlan;

class MaskedTimeEditTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void typing_data();
    void typing();
    void reapplyingThePatternEmpties();
    void keysWithoutFocusStartAtTheFirstPlace();

private:
    QWidget *m_window = nullptr;
    MaskedTimeEdit *m_field = nullptr;
    QLineEdit *m_other = nullptr;
};

void MaskedTimeEditTest::init()
{
    m_window = new QWidget;
    auto *layout = new QVBoxLayout(m_window);
    m_field = new MaskedTimeEdit(m_window);
    m_other = new QLineEdit(m_window);
    layout->addWidget(m_field);
    layout->addWidget(m_other);
    m_window->show();
    QApplication::setActiveWindow(m_window);
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    m_field->setFocus();
    QTRY_VERIFY(m_field->hasFocus());
    m_field->setCursorPosition(0);
}

void MaskedTimeEditTest::cleanup()
{
    delete m_window;
}

void MaskedTimeEditTest::typing_data()
{
    QTest::addColumn<QTestEventList>("events");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("shownUnfocused");

    auto typed = [](const char *keys) {
        QTestEventList events;
        events.addKeyClicks(QString::fromLatin1(keys));
        return events;
    };
    QTestEventList backOverColon = typed("12");
    backOverColon.addKeyClick(Qt::Key_Backspace);
    QTestEventList backspace = typed("123");
    backspace.addKeyClick(Qt::Key_Backspace);
    QTestEventList deleteFirst = typed("123456");
    deleteFirst.addKeyClick(Qt::Key_Home);
    deleteFirst.addKeyClick(Qt::Key_Delete);
    QTestEventList selectAllThenType = typed("123456");
    selectAllThenType.addKeyClick(Qt::Key_A, Qt::ControlModifier);
    selectAllThenType.addKeyClicks(QStringLiteral("2"));
    QTestEventList shiftSelect = typed("123456");
    shiftSelect.addKeyClick(Qt::Key_Home);
    shiftSelect.addKeyClick(Qt::Key_Right, Qt::ShiftModifier);
    shiftSelect.addKeyClick(Qt::Key_Right, Qt::ShiftModifier);
    shiftSelect.addKeyClicks(QStringLiteral("1"));

    QTest::newRow("untouched") << QTestEventList() << "00:00:00" << "00:00";
    QTest::newRow("digits skip the colons") << typed("123456") << "12:34:56" << "12:34";
    QTest::newRow("typed zeros are kept") << typed("100000") << "10:00:00" << "10:00";
    QTest::newRow("letters are refused") << typed("1a2b") << "12:00:00" << "12:00";
    QTest::newRow("a seventh digit is refused") << typed("1234567") << "12:34:56" << "12:34";
    QTest::newRow("a typed colon changes nothing") << typed("12:3") << "12:30:00" << "12:30";
    QTest::newRow("backspace puts back the prompt") << backspace << "12:00:00" << "12:00";
    QTest::newRow("backspace steps over the colon") << backOverColon << "10:00:00" << "10:00";
    QTest::newRow("delete clears the next digit") << deleteFirst << "02:34:56" << "02:34";
    QTest::newRow("typing replaces everything selected") << selectAllThenType << "20:00:00" << "20:00";
    QTest::newRow("typing replaces a partial selection") << shiftSelect << "10:34:56" << "10:34";
    QTest::newRow("hours past 23 show in full") << typed("2500") << "25:00:00" << "25:00:00";
    QTest::newRow("minutes past 59 show in full") << typed("1260") << "12:60:00" << "12:60:00";
}

void MaskedTimeEditTest::typing()
{
    QFETCH(QTestEventList, events);
    QFETCH(QString, expected);
    QFETCH(QString, shownUnfocused);

    events.simulate(m_field);
    QCOMPARE(m_field->timeText(), expected);
    QCOMPARE(m_field->text(), expected);
    m_other->setFocus();
    QTRY_VERIFY(m_other->hasFocus());
    QCOMPARE(m_field->text(), shownUnfocused);
    QCOMPARE(m_field->timeText(), expected);
}

void MaskedTimeEditTest::reapplyingThePatternEmpties()
{
    QTest::keyClicks(m_field, QStringLiteral("2359"));
    m_field->reapplyPattern();
    QCOMPARE(m_field->timeText(), QStringLiteral("00:00:00"));
    QTest::keyClicks(m_field, QStringLiteral("07"));
    QCOMPARE(m_field->timeText(), QStringLiteral("07:00:00"));
}

void MaskedTimeEditTest::keysWithoutFocusStartAtTheFirstPlace()
{
    m_other->setFocus();
    QTRY_VERIFY(m_other->hasFocus());
    QTest::keyClicks(m_field, QStringLiteral("183000"));
    QCOMPARE(m_field->timeText(), QStringLiteral("18:30:00"));
}

QTEST_MAIN(MaskedTimeEditTest)
#include "tst_masked_time_edit.moc"
