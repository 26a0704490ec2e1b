#include "ui/main/MaskedTimeEdit.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QToolTip>
#include <QTest>
#include <QVBoxLayout>

using namespace zephlan;

class MaskedTimeEditTest : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        m_window = new QWidget;
        auto *layout = new QVBoxLayout(m_window);
        layout->addWidget(m_field = new MaskedTimeEdit(m_window));
        layout->addWidget(m_other = new QLineEdit(m_window));
        m_window->show();
        QApplication::setActiveWindow(m_window);
        QVERIFY(QTest::qWaitForWindowActive(m_window));
        m_field->setFocus();
        QTRY_VERIFY(m_field->hasFocus());
        m_field->setCursorPosition(0);
    }

    void cleanup() { delete m_window; }

    // In "keys" '<' is Backspace, '^' Home, '#' Delete, '*' Ctrl+A and '+' Shift+Right.
    void typing_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("shownUnfocused");

        QTest::newRow("untouched") << "" << "00:00:00" << "00:00";
        QTest::newRow("typed zeros are kept") << "100000" << "10:00:00" << "10:00";
        QTest::newRow("letters are refused") << "1a2b" << "12:00:00" << "12:00";
        QTest::newRow("digits skip the colons, a seventh is refused") << "1234567" << "12:34:56" << "12:34";
        QTest::newRow("a typed colon changes nothing") << "12:3" << "12:30:00" << "12:30";
        QTest::newRow("backspace puts back zeros, stepping over the colon") << "123<<" << "10:00:00" << "10:00";
        QTest::newRow("delete clears the next digit") << "123456^#" << "02:34:56" << "02:34";
        QTest::newRow("typing replaces everything selected") << "123456*2" << "20:00:00" << "20:00";
        QTest::newRow("typing replaces a partial selection") << "123456^++1" << "10:34:56" << "10:34";
    }

    void typing()
    {
        QFETCH(QString, keys);
        QFETCH(QString, expected);
        QFETCH(QString, shownUnfocused);

        for (const QChar key : keys) {
            switch (key.unicode()) {
            case '<': QTest::keyClick(m_field, Qt::Key_Backspace); break;
            case '^': QTest::keyClick(m_field, Qt::Key_Home); break;
            case '#': QTest::keyClick(m_field, Qt::Key_Delete); break;
            case '*': QTest::keyClick(m_field, Qt::Key_A, Qt::ControlModifier); break;
            case '+': QTest::keyClick(m_field, Qt::Key_Right, Qt::ShiftModifier); break;
            default: QTest::keyClick(m_field, key.toLatin1());
            }
        }
        QCOMPARE(m_field->text(), expected);
        m_other->setFocus();
        QTRY_VERIFY(m_other->hasFocus());
        QCOMPARE(m_field->text(), shownUnfocused);
        QCOMPARE(m_field->timeText(), expected);
    }

    // A paste goes in whole over the selection, or not at all with a notice at the field.
    void paste_data()
    {
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("expected");

        QTest::newRow("a time of day") << " 7:05\n" << "07:05:00";
        QTest::newRow("not a time of day") << "25:00" << "12:34:56";
        QTest::newRow("not a time at all") << "\u00e9t\u00e9" << "12:34:56";
    }

    void paste()
    {
        QFETCH(QString, clipboard);
        QFETCH(QString, expected);

        QTest::keyClicks(m_field, QStringLiteral("123456"));
        QToolTip::hideText();
        QTest::keyClick(m_field, Qt::Key_A, Qt::ControlModifier);
        QGuiApplication::clipboard()->setText(clipboard);
        QTest::keySequence(m_field, QKeySequence::Paste);
        QCOMPARE(m_field->timeText(), expected);
        QCOMPARE(QToolTip::isVisible(), expected == "12:34:56");
        QCOMPARE(m_field->typedInto(), true);
    }

    void unfocusedKeysStartAtTheFirstPlaceAndResetEmpties()
    {
        QTest::keyClicks(m_field, QStringLiteral("2359"));
        m_other->setFocus();
        QTRY_VERIFY(m_other->hasFocus());
        QTest::keyClicks(m_field, QStringLiteral("1830"));
        QCOMPARE(m_field->timeText(), QStringLiteral("18:30:00"));
        m_field->reapplyPattern();
        QCOMPARE(m_field->timeText(), QStringLiteral("00:00:00"));
    }

private:
    QWidget *m_window = nullptr;
    MaskedTimeEdit *m_field = nullptr;
    QLineEdit *m_other = nullptr;
};

QTEST_MAIN(MaskedTimeEditTest)
#include "tst_maskedtimeedit.moc"
