#include "core/testing/ExpectedLine.h"
#include "ui/common/MessageSeam.h"
#include "ui/main/CaptionFit.h"
#include "ui/main/frmZephlan.h"
#include "ui/main/MaskedTimeEdit.h"
#include "ui/main/testing/SeamDoubles.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QFile>
#include <QListWidget>
#include <QPointer>
#include <QLabel>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include <functional>
#include <map>

using namespace zephlan;

namespace {

const QByteArray kAirports = "KJFK,John F Kennedy,40.6,-73.7\r\n\xC9GLL,\"London, Heathrow\",51.4,-0.4\r\n"
                             "KJF,Short,1,2\r\nKLAX,Los Angeles,33.9,-118.4\r\n";
const QByteArray kAircraft = "1,B737,Boeing 737\r\n2,C172,\"Cessna 172, red\"\r\n3,A321,Airbus A321\r\n";
const char *const kTextBoxes[] = {"txtDeparture", "txtArrival",     "txtCallSign",
                                  "txtFlightNo",  "txtFlightLevel", "txtPercent"};

} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        m_dir.emplace();
        m_dialogs = ScriptedDialogs();
        m_messages = RecordingMessages();
        m_window = new frmZephlan(&m_dialogs, &m_messages);
        m_window->show();
        QApplication::setActiveWindow(m_window);
        QVERIFY(QTest::qWaitForWindowActive(m_window));
    }

    void cleanup() { delete m_window; }

    void startState()
    {
        QStringList durations;
        for (int row = 0; row < rows("lstDuration"); ++row)
            durations << child<QListWidget>("lstDuration")->item(row)->text();
        QCOMPARE(durations.join(','), "1Hr,2Hr,4Hr,6Hr,8Hr,12Hr,24Hr,Week");
        QVERIFY(!child("cboTZ")->isVisible() && !child("cboTZ")->isEnabled());
        QVERIFY(child<QAction>("mnuAirport")->isEnabled() && !child<QAction>("mnuAircraft")->isEnabled());
        QCOMPARE(QApplication::focusWidget(), child("txtDeparture"));
        QVERIFY(child<QRadioButton>("optIFR")->isChecked() && child<QRadioButton>("optCallSign")->isChecked());
        QCOMPARE(text("chkDepartTNG") + '|' + text("chkDestTNG"), "TNG| TNG");
        QVERIFY(!m_window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        QCOMPARE(m_window->minimumSize(), m_window->maximumSize());
        const QPoint offCentre = m_window->frameGeometry().center() - m_window->screen()->availableGeometry().center();
        QVERIFY2(offCentre.manhattanLength() <= 1, "first shown in the middle of the screen");

        // Every caption lies inside its box, even beside the widest airport code; a longer code
        // is shortened so that " TNG" still shows.
        m_dialogs.answers = {writeFile("Airports.txt", "WWWW,a,b,c\r\nEGLLONGCODE12,a,b,c\r\n")};
        child<QAction>("mnuAirport")->trigger();
        type("txtDeparture", "WWWW");
        QCOMPARE(text("chkDepartTNG"), "WWWW TNG");
        selectRow("lstArrival", 1);
        QVERIFY2(text("chkDestTNG").startsWith("EGLL") && text("chkDestTNG").endsWith(QString::fromUtf8("\u2026 TNG")),
                 qPrintable(text("chkDestTNG")));
        QCOMPARE(child("chkDestTNG")->toolTip(), "EGLLONGCODE12 TNG");
        for (const QWidget *control : m_window->findChildren<QWidget *>())
            QVERIFY2(captionFits(control), qPrintable(control->objectName()));
    }

    // The captions lie clear of the check and option indicators in Linux's style and in Windows'.
    void captionsFitInEachStyle_data()
    {
        QTest::addColumn<QString>("style");
        QTest::newRow("Fusion") << "Fusion";
        QTest::newRow("Windows") << "Windows";
    }

    void captionsFitInEachStyle()
    {
        QFETCH(QString, style);
        const QString before = QApplication::style()->name();
        QApplication::setStyle(style);
        QStringList cut;
        {
            const frmZephlan window(&m_dialogs, &m_messages);
            for (const QWidget *control : window.findChildren<QWidget *>()) {
                if (!captionFits(control))
                    cut << control->objectName();
            }
            for (const QRadioButton *option : window.findChildren<QRadioButton *>()) {
                if (paintedRight(option) >= captionLeft(option))
                    cut << option->objectName();
            }
        }
        QApplication::setStyle(before);
        QCOMPARE(cut, QStringList());
    }

    void menuSequence_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("airports");
        QTest::addColumn<int>("aircraft");

        QTest::newRow("both files read") << "full" << 4 << 3;
        QTest::newRow("both dialogs cancelled") << "cancel" << 0 << 0;
        QTest::newRow("both files missing") << "missing" << 0 << 0;
        QTest::newRow("both files cut short") << "short" << 1 << 1;
    }

    void menuSequence()
    {
        QFETCH(QString, answer);
        QFETCH(int, airports);
        QFETCH(int, aircraft);

        auto path = [&](const QByteArray &full, const QByteArray &cut) -> std::optional<QString> {
            if (answer == "cancel")
                return std::nullopt;
            if (answer == "missing")
                return m_dir->filePath(QStringLiteral("nowhere.txt"));
            return writeFile("list.txt", answer == "full" ? full : cut);
        };
        auto *openAirports = child<QAction>("mnuAirport");
        auto *openAircraft = child<QAction>("mnuAircraft");
        m_dialogs.answers = {path(kAirports, "KJFK,a,b,c\r\nEGLL,a")};
        openAirports->trigger();
        QCOMPARE(m_messages.shown, QStringList{"Open Decompiled Aircrafts.txt from File Menu|Open Aircrafts"});
        QVERIFY(!openAirports->isEnabled() && openAircraft->isEnabled());
        QCOMPARE(rows("lstDeparture"), airports);
        QCOMPARE(rows("lstArrival"), airports);

        m_dialogs.answers = {path(kAircraft, "1,a,Title\r\n2,b")};
        openAircraft->trigger();
        QCOMPARE(m_messages.shown.size(), 1);
        QVERIFY(!openAirports->isEnabled() && !openAircraft->isEnabled());
        QCOMPARE(rows("lstAircraft"), aircraft);
        QCOMPARE(m_dialogs.questions, QStringList({"open Airports(*.txt)|*.txt Airports.txt",
                                                   "open Aircrafts(*.txt)|*.txt Aircraft.txt"}));
    }

    // Aircraft beyond the limit are left out and named once; an airport found far down a long
    // list is scrolled into view.
    void longLists()
    {
        QByteArray airports, aircraft;
        for (int number = 0; number < 100000; ++number)
            airports += 'A' + QByteArray::number(number).rightJustified(5, '0') + ",1,2,3\r\n";
        for (int number = 1; number <= 40000; ++number)
            aircraft += "AC#" + QByteArray::number(number) + ",1,Plane " + QByteArray::number(number) + "\r\n";
        m_dialogs.answers = {writeFile("Airports.txt", airports), writeFile("Aircraft.txt", aircraft)};
        child<QAction>("mnuAirport")->trigger();
        m_messages.shown.clear();
        child<QAction>("mnuAircraft")->trigger();
        QCOMPARE(rows("lstAircraft"), 32767);
        QCOMPARE(child<QAbstractItemView>("lstAircraft")->model()->index(32766, 0).data().toString(), "Plane 32767");
        QCOMPARE(m_messages.shown,
                 QStringList{"Only the first 32,767 aircraft are listed; 7,233 more were left out.|Open Aircraft"});
        type("txtArrival", "A999");
        auto *list = child<QAbstractItemView>("lstArrival");
        QCOMPARE(selectedText("lstArrival"), "A99900");
        const QModelIndex found = list->selectionModel()->selectedIndexes().value(0);
        QVERIFY(list->viewport()->rect().contains(list->visualRect(found)));
    }

    // A title wider than its list scrolls sideways and shows whole in a tooltip; a short one has none.
    void longEntriesCanBeToldApart()
    {
        const QByteArray longTitle = "Airbus A321, Lufthansa D-AIDA in the livery of the year 2024";
        m_dialogs.answers = {writeFile("Airports.txt", kAirports),
                             writeFile("Aircraft.txt", "AC#1,450,\"" + longTitle + "\"\r\nAC#2,450,B737\r\n")};
        child<QAction>("mnuAirport")->trigger();
        child<QAction>("mnuAircraft")->trigger();
        auto *list = child<QAbstractItemView>("lstAircraft");
        QTRY_VERIFY(list->horizontalScrollBar()->maximum() > 0);
        QCOMPARE(child<QAbstractItemView>("lstDeparture")->horizontalScrollBar()->maximum(), 0);
        QStringList tips;
        for (int row : {0, 1}) {
            QToolTip::hideText();
            QTRY_VERIFY(!QToolTip::isVisible());
            const QPoint at = list->visualRect(list->model()->index(row, 0)).topLeft() + QPoint(4, 4);
            QHelpEvent help(QEvent::ToolTip, at, list->viewport()->mapToGlobal(at));
            QApplication::sendEvent(list->viewport(), &help);
            tips << (QToolTip::isVisible() ? QToolTip::text() : QString());
        }
        QCOMPARE(tips, QStringList({QString::fromLatin1(longTitle), QString()}));
    }

    // Check Flight Plans asks for a file as the save does and hands on the lists as they stand:
    // codes byte for byte, the first of equal codes, one in another case named; aircraft by place.
    void checkFlightPlansHandsOnTheLists()
    {
        QStringList paths;
        const PlanCheckLists *lists = nullptr;
        connect(m_window.data(), &frmZephlan::checkPlansRequested, this,
                [&](const QString &path, const PlanCheckLists *given) { paths << path, lists = given; });
        m_dialogs.answers = {m_dir->filePath(QStringLiteral("Plans.txt")), std::nullopt};
        child<QAction>("mnuCheckPlans")->trigger();
        child<QAction>("mnuCheckPlans")->trigger();
        QCOMPARE(paths, QStringList{m_dir->filePath(QStringLiteral("Plans.txt"))});
        QCOMPARE(m_dialogs.questions.last(), "open FlightPlans(*.txt)|*.txt FlightPlans_Zephlan .txt");
        QVERIFY(lists && !lists->hasAirports() && lists->aircraftCount() == 0);

        m_dialogs.answers = {writeFile("Airports.txt", "KJFK,40.5,-73.5,13\r\nEGLL,51.5,-0.5,83\r\nKJFK,1,1,0\r\n"
                                                       "KLAX,x,y,0\r\n"),
                             writeFile("Aircraft.txt", "AC#1,450,B737\r\nAC#2,x,A320\r\n")};
        child<QAction>("mnuAirport")->trigger();
        child<QAction>("mnuAircraft")->trigger();
        QVERIFY(lists->hasAirports());
        const ListedAirport jfk = lists->airport("KJFK");
        QVERIFY(jfk.listed && jfk.position && jfk.position->latitude == 40.5 && jfk.position->longitude == -73.5);
        QVERIFY(lists->airport("KLAX").listed && !lists->airport("KLAX").position);
        QCOMPARE(lists->airport("kjfk").listedAs, "KJFK");
        QVERIFY(!lists->airport("kjfk").listed && lists->airport("KJF").listedAs.empty() && !lists->airport("KJF").listed);
        QCOMPARE(lists->aircraftCount(), 2u);
        QVERIFY(lists->cruiseKnots(1) == 450 && !lists->cruiseKnots(2) && !lists->cruiseKnots(3));
    }

    // Down or Home in a list with no selection selects its first entry. A list that loses the focus
    // keeps its selection in the highlight colour, not in the faint grey some systems give an
    // inactive selection. A click on the caption beside an option button selects that button.
    void listsAndOptionCaptions()
    {
        openLists();
        for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Home}) {
            for (const char *list : {"lstDeparture", "lstAircraft", "lstDuration"}) {
                auto *view = child<QAbstractItemView>(list);
                view->selectionModel()->clearSelection();
                view->setFocus();
                QTest::keyClick(view, key);
                QCOMPARE(view->currentIndex().row(), 0);
                QCOMPARE(selectedText(list), view->model()->index(0, 0).data().toString());
            }
        }
        for (const char *name : {"lstDeparture", "lstArrival", "lstAircraft", "lstDuration"}) {
            auto *list = child<QAbstractItemView>(name);
            QPalette faint = list->palette();
            faint.setColor(QPalette::Inactive, QPalette::Highlight, QColor(0xf0, 0xf0, 0xf0));
            list->setPalette(faint);
            list->setFocus();
            selectRow(name, 1);
            child("txtCallSign")->setFocus();
            QTRY_VERIFY(!list->hasFocus());
            const QRect row = list->visualRect(list->model()->index(1, 0));
            const QColor shown = list->viewport()->grab().toImage().pixelColor(row.right() - 2, row.center().y());
            QCOMPARE(shown.name(), list->palette().color(QPalette::Active, QPalette::Highlight).name());
        }
        for (auto [caption, option] : {std::pair{"Label7", "optVFR"}, {"Label6", "optIFR"},
                                       {"Label15", "optFlightNumber"}, {"Label14", "optCallSign"}}) {
            QTest::mouseClick(child(caption), Qt::LeftButton);
            QVERIFY2(child<QRadioButton>(option)->isChecked(), caption);
        }
    }

    // The plan line follows the aircraft picked and the times typed; warnings have a red line of their own above it,
    // each line whole at the window's width; the tooltip and the screen reader have every word,
    // and the reasons for what is missing.
    void planLineFollowsTheInputs()
    {
        const QByteArray airports = "EGLL,51.4775,-0.4614,83\r\nKJFK,N40* 38.388',W73* 46.734',13\r\n";
        m_dialogs.answers = {writeFile("Airports.txt", airports),
                             writeFile("Aircraft.txt", "AC#1,490,\"Boeing 747-400\"\r\nAC#2,450,\"Boeing 777\"\r\n"
                                                       "AC#3,fast,\"Learjet 45\"\r\n")};
        child<QAction>("mnuAirport")->trigger();
        child<QAction>("mnuAircraft")->trigger();
        auto *line = child<QLabel>("lblPlan");
        auto *warnings = child<QLabel>("lblPlanWarnings");
        QCOMPARE(line->text(), QString());
        type("txtDeparture", "EGLL");
        type("txtArrival", "KJFK");
        selectRow("lstAircraft", 0);
        QCOMPARE(line->text(), "EGLL -> KJFK 2,991 nm; Boeing 747-400 at 490 kt: about 6 h 06 min");
        // A typed midnight emptied again reads 00:00:00 as before, and is no time now.
        type("mskDepartureTime", "0000");
        QVERIFY(line->text().endsWith("arrives about 06:06 GMT"));
        QTest::keySequence(QApplication::focusWidget(), QKeySequence::SelectAll);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
        QCOMPARE(line->text(), "EGLL -> KJFK 2,991 nm; Boeing 747-400 at 490 kt: about 6 h 06 min");
        selectRow("lstAircraft", 1);
        QCOMPARE(line->text(), "EGLL -> KJFK 2,991 nm; Boeing 777 at 450 kt: about 6 h 39 min");
        QCOMPARE(line->accessibleName(), "Plan: " + line->text());
        QVERIFY(!warnings->isVisible());
        selectRow("lstAircraft", 2);
        QCOMPARE(line->toolTip(), "EGLL -> KJFK 2,991 nm; Learjet 45\nNo cruise speed for Learjet 45 in the aircraft list");
        QCOMPARE(line->accessibleDescription(), "No cruise speed for Learjet 45 in the aircraft list");

        // A long plan with warnings: each on its line, cut only where longer than the window.
        selectRow("lstAircraft", 0);
        selectRow("lstDuration", 2);
        press("chkDepartTNG");
        type("mskDepartTNG", "0000");
        type("mskDepartureTime", "2200");
        type("mskReturnTime", "2300");
        const QString plan = "EGLL -> KJFK 2,991 nm; Boeing 747-400 at 490 kt: about 6 h 06 min, touch-and-go "
                             "00:00 GMT; return 23:00, back about 05:06 GMT next day";
        const QString said = QString::fromUtf8("\u26A0 Return leaves 1 h 00 min before the outbound arrives. Return "
                                               "is back 3 h 06 min after the next outbound leaves. Both flights take "
                                               "8 h 06 min, longer than the 4Hr repeat period.");
        for (auto [label, whole] : {std::pair{line, plan}, {warnings, said}}) {
            const QString shown = label->text();
            QVERIFY2(shown == whole || (shown.endsWith(QChar(0x2026)) && whole.startsWith(shown.chopped(1))),
                     qPrintable(shown));
            QVERIFY(label->fontMetrics().horizontalAdvance(shown) <= label->width());
            QVERIFY(shown == whole || label->fontMetrics().horizontalAdvance(whole) > label->width());
        }
        QCOMPARE(line->accessibleName(), "Plan: " + plan);
        QVERIFY(warnings->isVisible());
        QCOMPARE(warnings->accessibleName(), "Plan warnings: " + said);
        QCOMPARE(line->toolTip(), said + '\n' + plan);
        QVERIFY(warnings->palette().color(QPalette::WindowText) != line->palette().color(QPalette::WindowText));
        child<QLineEdit>("txtArrival")->clear();
        type("txtArrival", "EGLL");
        QVERIFY2(warnings->text().contains(QStringLiteral("Departure and destination are the same airport.")),
                 qPrintable(warnings->text()));
    }

    void search_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("selected");

        QTest::newRow("exact beats an earlier prefix") << "KJF" << "KJF";
        QTest::newRow("first prefix in file order") << "kj" << "KJFK";
        QTest::newRow("no match") << "ZZ" << "";
        QTest::newRow("emptied") << "K\b" << "";
    }

    void search()
    {
        QFETCH(QString, typed);
        QFETCH(QString, selected);

        type("txtDeparture", typed); // before the list arrives: searched when it does
        openLists();
        type("txtArrival", typed);
        QCOMPARE(selectedText("lstDeparture") + '|' + selectedText("lstArrival"), selected + '|' + selected);
        QCOMPARE(text("chkDepartTNG") + '|' + text("chkDestTNG"), selected + " TNG|" + selected + " TNG");

        const QString searched = text("txtDeparture");
        selectRow("lstDeparture", 3);
        QCOMPARE(text("chkDepartTNG"), "KLAX TNG");
        QCOMPARE(text("txtDeparture"), searched);
    }

    void roadOfOnePlan()
    {
        fillPlan();
        const QString plans = m_dir->filePath(QStringLiteral("plans.txt"));
        m_dialogs.answers = {plans, plans};
        const QStringList before = state();

        press("cmdInstall");
        press("cmdInstall");

        QFile written(plans);
        QVERIFY(written.open(QIODevice::ReadOnly));
        const ExpectedLine expected{.aircraft = "2", .rules = "VFR", .departure = "06:30:00", .atcId = "F",
                                    .destination = "\xC9GLL", .returnTime = "18:45:00",
                                    .returnArrival = "TNG12:00:00", .home = "KJFK"};
        const QByteArray line = QByteArray::fromStdString(expected.text() + "\r\n");
        QCOMPARE(written.readAll(), line + line);
        QCOMPARE(m_messages.shown, QStringList());
        QCOMPARE(m_dialogs.questions.mid(2),
                 QStringList(2, "save FlightPlans(*.txt)|*.txt FlightPlans_Zephlan .txt"));
        QCOMPARE(state(), before);
    }

    // Each message sends the focus to the control it names, so typing goes on there;
    // a typed midnight is a time, in a touch-and-go field as anywhere, once its box is ticked.
    void checksReportInOrder()
    {
        const std::tuple<std::function<void()>, const char *, const char *> steps[] = {
            {[this] { press("chkDepartTNG"); }, "Please Enter TNG Time|Enter Time", "mskDepartTNG"},
            {[this] { type("mskDepartTNG", "0000"); press("chkDestTNG"); }, "Please Enter TNG Time|Enter Time",
             "mskDestTNG"},
            {[this] { type("mskDestTNG", "0700"); }, "Select or Search for Departure Airport from list|Open Airports",
             "txtDeparture"},
            {[this] { type("txtDeparture", "KJFK"); },
             "Select or Search for Destination Airport from list|Open Airports", "txtArrival"},
            {[this] { type("txtArrival", "KLAX"); }, "Select Aircraft from list|Open Aircrafts", "lstAircraft"},
            {[this] { selectRow("lstAircraft", 0); }, "Select Duration|Select Duration", "lstDuration"},
            {[this] { selectRow("lstDuration", 0); }, "Enter Departure Time|Departure Time", "mskDepartureTime"},
            {[this] { type("mskDepartureTime", "000000"); }, "Enter Return Time|Return Time", "mskReturnTime"},
            {[this] { type("mskReturnTime", "0800"); }, "Enter Call Sign|Call Sign", "txtCallSign"},
            {[this] { type("txtCallSign", "N1"); }, "Enter Flight Number|Flight Number", "txtFlightNo"},
            {[this] { type("txtFlightNo", "9E99"); }, "Flight number is too large|Flight Number", "txtFlightNo"},
            {[this] { child<QLineEdit>("txtFlightNo")->clear(); type("txtFlightNo", "1"); },
             "Enter Flight Level  ie. 050 = 5000ft |Flight Level", "txtFlightLevel"},
            {[this] { type("txtFlightLevel", "050"); }, "Enter desired AI percentage|AI Percentage", "txtPercent"},
        };
        type("mskDepartTNG", "0000"); // before the box is ticked: not counted
        openLists();
        QStringList expected;
        for (const auto &[fill, message, focused] : steps) {
            fill();
            press("cmdInstall");
            expected << QLatin1String(message);
            QCOMPARE(m_messages.shown, expected);
            QCOMPARE(QApplication::focusWidget()->objectName(), QLatin1String(focused));
        }
        type("txtPercent", "5");
        press("cmdInstall");
        QCOMPARE(m_messages.shown, expected);
        QCOMPARE(m_dialogs.questions.mid(2), QStringList{"save FlightPlans(*.txt)|*.txt FlightPlans_Zephlan .txt"});
    }

    void resetEmptiesTheInputsButKeepsTheLists()
    {
        openLists();
        selectRow("lstAircraft", 2);
        selectRow("lstDuration", 3);
        const QStringList fresh = state();
        for (const char *name : {"optVFR", "optFlightNumber", "chkDepartTNG", "chkDestTNG"})
            press(name);
        for (const char *name : {"mskDepartureTime", "mskReturnTime", "mskDepartTNG", "mskDestTNG"})
            type(name, "1234");
        for (const char *name : kTextBoxes)
            type(name, "KJFK");

        press("cmdReset");

        QCOMPARE(state(), fresh);
        QCOMPARE(text("chkDepartTNG") + '|' + text("chkDestTNG"), " TNG| TNG");
        QCOMPARE(QApplication::focusWidget(), child("txtDeparture"));
    }

    void textLimits()
    {
        QStringList kept;
        for (const char *name : kTextBoxes) {
            type(name, "0123456789889");
            kept << text(name);
        }
        QCOMPARE(kept.join(' '), "0123 0123 0123456 0123 012 01");
        // The percentage box takes a third character only to make 100.
        for (const char *percent : {"100", "101", "1000"}) {
            child<QLineEdit>("txtPercent")->clear();
            type("txtPercent", percent);
            kept << text("txtPercent");
        }
        QCOMPARE(kept.mid(6).join(' '), "100 10 100");
        child<QLineEdit>("txtCallSign")->clear();
        type("txtCallSign", QString::fromUtf8("\xC3\xA9\xE2\x82\xAC" "A\xCE\xA9" "B\xE4\xB8\xAD"));
        QCOMPARE(text("txtCallSign"), QString::fromUtf8("\xC3\xA9\xE2\x82\xAC" "AB"));
    }

    // What cannot be stored is left out of a paste or input-method text, the rest is kept up to
    // the limit, and a notice at the box names what was left out.
    void unstorableCharactersAreLeftOut_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<bool>("paste"); // else input-method text
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("caret"); // where it stands in "before"; -1: at its end
        QTest::addColumn<QString>("inserted");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("notice");

        const QString cjk = QString::fromUtf8("AB\u4E2DCD");
        QTest::newRow("paste, up to the limit") << "txtDeparture" << true << "" << -1 << cjk << "ABCD" << "\u4E2D (U+4E2D)";
        QTest::newRow("paste into text") << "txtCallSign" << true << "N5" << -1 << cjk << "N5ABCD" << "\u4E2D (U+4E2D)";
        QTest::newRow("input method") << "txtFlightLevel" << false << "" << -1 << cjk << "ABC" << "\u4E2D (U+4E2D)";
        QTest::newRow("nothing storable") << "txtPercent" << true << "1" << -1 << QString::fromUtf8("\u4E2D\U0001F600")
                                          << "1" << "\u4E2D (U+4E2D), \U0001F600 (U+1F600)";
        QTest::newRow("all storable, too long") << "txtPercent" << true << "" << -1 << "12345" << "12" << "";
        QTest::newRow("paste into the middle") << "txtCallSign" << true << "N5SP" << 2 << "ABCDE" << "N5ABCSP" << "";
    }

    void unstorableCharactersAreLeftOut()
    {
        QFETCH(QString, box);
        QFETCH(bool, paste);
        QFETCH(QString, before);
        QFETCH(int, caret);
        QFETCH(QString, inserted);
        QFETCH(QString, after);
        QFETCH(QString, notice);

        QToolTip::hideText();
        QTRY_VERIFY(!QToolTip::isVisible());
        type(qPrintable(box), before);
        auto *control = child<QLineEdit>(box);
        if (caret >= 0)
            control->setCursorPosition(caret);
        const int caretBefore = control->cursorPosition();
        if (paste) {
            QGuiApplication::clipboard()->setText(inserted);
            QTest::keySequence(control, QKeySequence::Paste);
        } else {
            QInputMethodEvent event;
            event.setCommitString(inserted);
            QApplication::sendEvent(control, &event);
        }
        QCOMPARE(control->text(), after);
        QCOMPARE(control->cursorPosition(), caretBefore + after.size() - before.size());
        QCOMPARE(QToolTip::isVisible() ? QToolTip::text() : QString(),
                 notice.isEmpty() ? QString() : "Left out, as a flight plan cannot hold them: " + notice);
    }

    void clickIntoATimeFieldSelectsTheWholeTime()
    {
        auto *field = child<MaskedTimeEdit>("mskDepartureTime");
        QCOMPARE(field->text(), "00:00");
        QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(field->width() - 6, field->height() / 2));
        QCOMPARE(QApplication::focusWidget(), field);
        QTest::keyClicks(field, "0630");
        QCOMPARE(field->timeText(), "06:30:00");
        QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(3, field->height() / 2));
        QTest::keyClick(field, Qt::Key_1);
        QCOMPARE(field->timeText(), "16:30:00");
        child("txtCallSign")->setFocus();
        QCOMPARE(field->text(), "16:30");
        // Keys that reach the field while it has no focus start at its first place; a reset empties it.
        QTest::keyClicks(field, "1830");
        QCOMPARE(field->timeText(), "18:30:00");
        field->reapplyPattern();
        QCOMPARE(field->timeText(), "00:00:00");
    }

    // Real keys into a time field, with the clipboard holding a text. In "keys" '<' is Backspace,
    // '#' Delete, '^' Home, '>' Right, '+' Shift+Right, '*' Ctrl+A, 'X' Ctrl+X, 'V' Ctrl+V,
    // 'I' Shift+Insert and 'M' Paste in the context menu. After the text come what is selected
    // in brackets, whether the field counts as typed into, and whether a notice showed.
    void timeTyping_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("after");

        QTest::newRow("untouched") << "" << "" << "00:00:00";
        QTest::newRow("typed zeros are kept") << "100000" << "" << "10:00:00 typed";
        QTest::newRow("digits skip the colons, letters and a seventh are refused") << "12a34567" << "" << "12:34:56 typed";
        QTest::newRow("a colon after a whole section changes nothing") << "12:3" << "" << "12:30:00 typed";
        QTest::newRow("Backspace steps back over the colon") << "123<<" << "" << "10:00:00 typed";
        QTest::newRow("typing replaces a selection") << "123456^++1" << "" << "10:34:56 typed";
        QTest::newRow("a colon in a fresh field is no typing") << ":" << "" << "00:00:00";
        QTest::newRow("nor a full stop") << "." << "" << "00:00:00";
        QTest::newRow("select all and Delete empty the field") << "123456*#" << "" << "00:00:00";
        QTest::newRow("so does Backspace, a typed midnight too") << "000000*<" << "" << "00:00:00";
        QTest::newRow("so does Ctrl+X") << "123456*X" << "" << "00:00:00";
        QTest::newRow("so does pasting blanks") << "123456*V" << " \t" << "00:00:00";
        QTest::newRow("a letter over a selection changes nothing") << "123456^>>>++x" << "" << "12:34:56 [34] typed";
        QTest::newRow("nor does a space") << "123456^>>>++ " << "" << "12:34:56 [34] typed";
        QTest::newRow("a digit that would make 25 changes nothing") << "2345^>+5" << "" << "23:45:00 [3] typed";
        QTest::newRow("a time pasted at the end") << "123456V" << "07:05:00" << "07:05:00 typed";
        QTest::newRow("a time pasted at the start replaces the seconds too") << "123456^V" << "07:05" << "07:05:00 typed";
        QTest::newRow("a time pasted in the minutes") << "123456^>>>>V" << "7:05" << "07:05:00 typed";
        QTest::newRow("a time pasted from the context menu") << "123456M" << "07:05" << "07:05:00 typed";
        QTest::newRow("digits run together over the whole field") << "123456*V" << "705" << "07:05:00 typed";
        QTest::newRow("Shift+Insert, blanks around") << "I" << " 7:05\r\n" << "07:05:00 typed";
        QTest::newRow("two digits pasted go in as keys") << "123456^>>>V" << "30" << "12:30:56 typed";
        QTest::newRow("Delete empties the digit after the caret, which stays") << "2345^#1" << "" << "13:45:00 typed";
        QTest::newRow("a paste that is not a time of day") << "123456*V" << "25:00" << "12:34:56 [12:34:56] typed notice";
        QTest::newRow("a paste that is no time at all") << "123456^+V" << "\u00e9t\u00e9" << "12:34:56 [1] typed notice";
    }

    void timeTyping()
    {
        QFETCH(QString, keys);
        QFETCH(QString, clipboard);
        QFETCH(QString, after);

        QToolTip::hideText();
        QTRY_VERIFY(!QToolTip::isVisible());
        QGuiApplication::clipboard()->setText(clipboard);
        auto *field = focusedTimeField();
        for (const QChar key : keys)
            pressInTimeField(field, key.toLatin1());
        const QString selected = field->selectedText();
        QCOMPARE(field->text() + (selected.isEmpty() ? "" : " [" + selected + ']') + (field->typedInto() ? " typed" : "")
                     + (QToolTip::isVisible() ? " notice" : ""),
                 after);
        child("txtCallSign")->setFocus();
        QTRY_VERIFY(!field->hasFocus());
        QCOMPARE(field->text(), after.left(5));
        QCOMPARE(field->timeText(), after.left(8));
    }

    // The window system may leave another window active when a dialog closes (Wine with a window
    // manager does): the window that opened it takes the keys again, in the control that had them.
    void messageGivesTheFocusBack()
    {
        QWidget *focused = child("txtCallSign");
        focused->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), focused);
        QWidget elsewhere;
        QTimer::singleShot(50, m_window, [&elsewhere] {
            QWidget *box = QApplication::activeModalWidget();
            QVERIFY(box);
            elsewhere.show();
            box->close();
            elsewhere.activateWindow();
        });
        MessageBoxSeam().showMessage(m_window, QStringLiteral("Enter Call Sign"), QStringLiteral("Call Sign"));
        QTRY_COMPARE(QApplication::activeWindow(), m_window.data());
        QCOMPARE(QApplication::focusWidget(), focused);
    }

    // Each stop of the Tab key, with the text a field selects on entry.
    void tabOrder()
    {
        type("mskDepartTNG", "1234");
        child("txtDeparture")->setFocus();
        const QStringList expected = QString("txtArrival lstAircraft lstDuration optIFR optCallSign chkDepartTNG "
                                             "mskDepartTNG=12:34:00 chkDestTNG mskDestTNG=00:00:00 "
                                             "mskDepartureTime=00:00:00 mskReturnTime=00:00:00 txtCallSign "
                                             "txtFlightNo txtFlightLevel txtPercent cmdInstall cmdReset cmdExit "
                                             "lstDeparture lstArrival txtDeparture")
                                         .split(' ');
        QStringList stops;
        while (stops.size() < expected.size()) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            const QWidget *stop = QApplication::focusWidget();
            const QString selected = stop->property("selectedText").toString();
            stops << stop->objectName() + (selected.isEmpty() ? "" : '=' + selected);
        }
        QCOMPARE(stops, expected);
    }

    // After each key or command: messages shown, call sign, help and about signals, or "closed".
    void keysAndCommands_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<QString>("after");

        // After keys, a q is typed at once: it must reach the box that has the focus then.
        QTest::newRow("Enter on the save button") << "cmdInstall" << QKeySequence(Qt::Key_Return) << "0 N1  0 0";
        QTest::newRow("Enter in a text box") << "txtCallSign" << QKeySequence(Qt::Key_Return) << "0 N1q  0 0";
        QTest::newRow("Esc in a time field") << "mskReturnTime" << QKeySequence(Qt::Key_Escape) << "0 N1  0 0";
        QTest::newRow("Alt+S saves, the message sends the focus to the airport search")
            << "txtCallSign" << QKeySequence("Alt+S") << "1 N1 q 0 0";
        QTest::newRow("Alt+R resets") << "txtCallSign" << QKeySequence("Alt+R") << "0  q 0 0";
        QTest::newRow("Alt+E exits") << "txtCallSign" << QKeySequence("Alt+E") << "closed";
        QTest::newRow("Alt+F types nothing") << "txtCallSign" << QKeySequence("Alt+F") << "0 N1q  0 0";
        QTest::newRow("Alt+K in a search box") << "txtDeparture" << QKeySequence("Alt+K") << "0 N1 q 0 0";
        QTest::newRow("Help menu") << "mnuHelp2" << QKeySequence() << "0 N1  1 0";
        QTest::newRow("help icon") << "Image1" << QKeySequence() << "0 N1  1 0";
        QTest::newRow("About menu") << "mnuAbout" << QKeySequence() << "0 N1  0 1";
        QTest::newRow("Exit menu") << "mnuExit" << QKeySequence() << "closed";
        QTest::newRow("Exit button") << "cmdExit" << QKeySequence() << "closed";
    }

    void keysAndCommands()
    {
        QFETCH(QString, control);
        QFETCH(QKeySequence, keys);
        QFETCH(QString, after);

        QSignalSpy help(m_window.data(), &frmZephlan::helpRequested);
        QSignalSpy about(m_window.data(), &frmZephlan::aboutRequested);
        type("txtCallSign", "N1");
        if (!keys.isEmpty()) {
            child(control)->setFocus();
            QTest::keySequence(QApplication::focusWidget(), keys);
            if (m_window && QApplication::focusWidget())
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Q);
        } else if (auto *action = m_window->findChild<QAction *>(control)) {
            action->trigger();
        } else {
            press(control);
        }
        auto outcome = [&] {
            return m_window.isNull() ? QStringLiteral("closed")
                                     : QStringLiteral("%1 %2 %3 %4 %5").arg(m_messages.shown.size())
                                           .arg(text("txtCallSign"), text("txtDeparture")).arg(help.size())
                                           .arg(about.size());
        };
        // An access key acts at once, and nothing follows later.
        QTest::qWait(0);
        QCOMPARE(outcome(), after);
        QTest::qWait(200);
        QCOMPARE(outcome(), after);
    }

private:
    // An option button covers its caption with the circle, and with its whole box when it fills it.
    static int paintedRight(const QRadioButton *option)
    {
        QStyleOptionButton drawn;
        drawn.initFrom(option);
        const QRect circle = option->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &drawn, option);
        return option->x() + (option->autoFillBackground() ? option->width() : circle.right() + 1) - 1;
    }

    // Where the text of the label to the right of an option button begins.
    static int captionLeft(const QRadioButton *option)
    {
        int left = 1 << 20;
        for (const QLabel *label : option->parentWidget()->findChildren<QLabel *>(Qt::FindDirectChildrenOnly)) {
            if (label->x() > option->x() && std::abs(label->y() - option->y()) < option->height()) // beside it
                left = std::min(left, label->x() + label->contentsRect().left());
        }
        return left;
    }

    template <typename T = QWidget> T *child(const QString &name) const { return m_window->findChild<T *>(name); }
    QString text(const char *name) const { return child(name)->property("text").toString(); }
    int rows(const char *name) const { return child<QAbstractItemView>(name)->model()->rowCount(); }

    // Every input of the window as "name=value"; each list as its row count and selected entry.
    QStringList state() const
    {
        QStringList seen;
        for (const QLineEdit *box : m_window->findChildren<QLineEdit *>()) {
            const auto *time = qobject_cast<const MaskedTimeEdit *>(box);
            seen << box->objectName() + '=' + (time ? time->timeText() + (time->typedInto() ? "*" : "") : box->text());
        }
        for (const QAbstractButton *button : m_window->findChildren<QAbstractButton *>())
            seen << button->objectName() + '=' + QString::number(button->isChecked());
        for (const char *list : {"lstDeparture", "lstArrival", "lstAircraft", "lstDuration"})
            seen << QLatin1String(list) + '=' + QString::number(rows(list)) + ':' + selectedText(list);
        return seen;
    }

    QString writeFile(const char *name, const QByteArray &bytes) const
    {
        QFile file(m_dir->filePath(QLatin1String(name)));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", name);
        return file.fileName();
    }

    // Every input filled, the destination touch-and-go checked, for one line.
    void fillPlan()
    {
        openLists();
        type("txtDeparture", "kjfk");
        type("txtArrival", QString::fromUtf8("\xC3\xA9gll"));
        selectRow("lstAircraft", 1);
        selectRow("lstDuration", 6);
        for (const char *name : {"optVFR", "optFlightNumber", "chkDestTNG"})
            press(name);
        for (auto [name, text] : {std::pair{"mskDepartureTime", "0630"}, {"mskReturnTime", "184500"},
                                  {"mskDestTNG", "1200"}, {"txtCallSign", "N541SP"}, {"txtFlightNo", "0429"},
                                  {"txtFlightLevel", "050"}, {"txtPercent", "50"}})
            type(name, QLatin1String(text));
    }

    void openLists()
    {
        m_dialogs.answers = {writeFile("Airports.txt", kAirports), writeFile("Aircraft.txt", kAircraft)};
        child<QAction>("mnuAirport")->trigger();
        child<QAction>("mnuAircraft")->trigger();
        m_messages.shown.clear();
    }

    // Focuses the control and types; characters outside ASCII carry their text with no key code.
    void type(const char *name, const QString &text)
    {
        QWidget *control = child(name);
        control->setFocus();
        for (const QChar ch : text) {
            if (ch.unicode() < 0x80)
                QTest::keyClick(control, static_cast<char>(ch.unicode()));
            else
                QTest::sendKeyEvent(QTest::Click, control, Qt::Key_unknown, QString(ch), Qt::NoModifier);
        }
    }

    // The departure time field, with the focus and the caret at its start.
    MaskedTimeEdit *focusedTimeField()
    {
        auto *field = child<MaskedTimeEdit>("mskDepartureTime");
        field->setFocus();
        field->setCursorPosition(0);
        return field;
    }

    void pressInTimeField(MaskedTimeEdit *field, char key)
    {
        const std::map<char, QKeySequence> keys = {
            {'<', QKeySequence(Qt::Key_Backspace)}, {'#', QKeySequence(Qt::Key_Delete)},
            {'^', QKeySequence(Qt::Key_Home)},      {'>', QKeySequence(Qt::Key_Right)},
            {'+', QKeySequence(Qt::SHIFT | Qt::Key_Right)}, {'*', QKeySequence(QKeySequence::SelectAll)},
            {'X', QKeySequence(QKeySequence::Cut)}, {'V', QKeySequence(QKeySequence::Paste)},
            {'I', QKeySequence(Qt::SHIFT | Qt::Key_Insert)}};
        if (keys.count(key) != 0) {
            QTest::keySequence(field, keys.at(key));
        } else if (key == 'M') {
            // The menu key, as the window system passes it on, then P for Paste.
            QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(2, 2), field->mapToGlobal(QPoint(2, 2)));
            QApplication::sendEvent(field, &menuKey);
            QTRY_VERIFY(QApplication::activePopupWidget());
            QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_P);
        } else {
            QTest::keyClick(field, key);
        }
    }

    void press(const QString &name) { QTest::mouseClick(child(name), Qt::LeftButton); }

    void selectRow(const char *name, int row)
    {
        auto *list = child<QAbstractItemView>(name);
        list->selectionModel()->setCurrentIndex(list->model()->index(row, 0), QItemSelectionModel::ClearAndSelect);
    }

    QString selectedText(const char *name) const
    {
        const QModelIndexList selected = child<QAbstractItemView>(name)->selectionModel()->selectedIndexes();
        return selected.isEmpty() ? QString() : selected.first().data().toString();
    }

    std::optional<QTemporaryDir> m_dir;
    ScriptedDialogs m_dialogs;
    RecordingMessages m_messages;
    QPointer<frmZephlan> m_window;
};

QTEST_MAIN(MainWindowTest)
#include "tst_frmzephlan.moc"
