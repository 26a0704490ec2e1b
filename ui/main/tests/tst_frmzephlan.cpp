#include "Appearance.h"
#include "CaptionFit.h"
#include "MaskedTimeEdit.h"
#include "SeamDoubles.h"
#include "frmZephlan.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

using namespace zephlan;

namespace {

const QString kAfterAirports = QStringLiteral("Open Decompiled Aircrafts.txt from File Menu|Open Aircrafts");
const QByteArray kAirports = "KJFK,John F Kennedy,40.6,-73.7\r\n\xC9GLL,\"London, Heathrow\",51.4,-0.4\r\n"
                             "KJF,Short,1,2\r\nKLAX,Los Angeles,33.9,-118.4\r\n";
const QByteArray kAircraft = "1,B737,Boeing 737\r\n2,C172,\"Cessna 172, red\"\r\n3,A321,Airbus A321\r\n";

// Key clicks for any text; keys outside ASCII carry their text with no key code.
void typeInto(QWidget *widget, const QString &text)
{
    for (const QChar ch : text) {
        if (ch.unicode() < 0x80)
            QTest::keyClick(widget, static_cast<char>(ch.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    }
}

} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void layout_data();
    void layout();
    void captionsLieInsideTheirBoxes();
    void startState();
    void menuSequence_data();
    void menuSequence();
    void search_data();
    void search();
    void roadOfOnePlan();
    void checksReportInOrder();
    void resetClearsTheTypedInputs();
    void textLimits_data();
    void textLimits();
    void timeFieldSelectsAllOnFocus();
    void tabOrder();
    void keys_data();
    void keys();
    void otherWindowsAndExit_data();
    void otherWindowsAndExit();

private:
    template <typename T> T *child(const char *name) const
    {
        T *found = m_window->findChild<T *>(QLatin1String(name));
        if (found == nullptr)
            qFatal("no control %s", name);
        return found;
    }
    QString writeFile(const char *name, const QByteArray &bytes) const;
    void openLists();
    void type(const char *name, const QString &text) { typeInto(child<QWidget>(name), text); }
    void press(const char *name) { QTest::mouseClick(child<QWidget>(name), Qt::LeftButton); }
    void selectRow(const char *name, int row);
    QString selectedText(const char *name) const;
    QStringList tabStops(int count);

    std::unique_ptr<QTemporaryDir> m_dir;
    ScriptedDialogs m_dialogs;
    RecordingMessages m_messages;
    QPointer<frmZephlan> m_window;
};

void MainWindowTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_dialogs = ScriptedDialogs();
    m_messages = RecordingMessages();
    m_window = new frmZephlan(&m_dialogs, &m_messages);
    m_window->show();
    QApplication::setActiveWindow(m_window);
    QVERIFY(QTest::qWaitForWindowActive(m_window));
}

void MainWindowTest::cleanup()
{
    delete m_window;
}

QString MainWindowTest::writeFile(const char *name, const QByteArray &bytes) const
{
    QFile file(m_dir->filePath(QLatin1String(name)));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", name);
    return file.fileName();
}

void MainWindowTest::openLists()
{
    m_dialogs.answers = {writeFile("Airports.txt", kAirports), writeFile("Aircraft.txt", kAircraft)};
    child<QAction>("mnuAirport")->trigger();
    child<QAction>("mnuAircraft")->trigger();
    m_messages.shown.clear();
}

void MainWindowTest::selectRow(const char *name, int row)
{
    auto *list = child<QAbstractItemView>(name);
    list->selectionModel()->setCurrentIndex(list->model()->index(row, 0), QItemSelectionModel::ClearAndSelect);
}

QString MainWindowTest::selectedText(const char *name) const
{
    const QModelIndexList rows = child<QAbstractItemView>(name)->selectionModel()->selectedIndexes();
    return rows.isEmpty() ? QString() : rows.first().data().toString();
}

QStringList MainWindowTest::tabStops(int count)
{
    QStringList stops;
    for (int i = 0; i < count; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        stops << QApplication::focusWidget()->objectName();
    }
    return stops;
}

void MainWindowTest::layout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("container");
    QTest::addColumn<QRect>("place");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("hint");
    QTest::addColumn<qreal>("points");
    QTest::addColumn<bool>("bold");

    struct Row
    {
        const char *name, *container;
        int left, top, width, height;
        const char *caption, *hint;
        double points;
        bool bold;
    };
    const Row rows[] = {
        {"Label1", "client", 480, 240, 975, 255, "Departure ", "", 8.25, true},
        {"txtDeparture", "client", 480, 480, 975, 375, "", "", 8.25, false},
        {"lstDeparture", "client", 480, 870, 975, 2010, "", "", 8.25, false},
        {"Label2", "client", 1920, 240, 975, 255, "Destination ", "", 8.25, true},
        {"txtArrival", "client", 2040, 480, 975, 375, "", "", 8.25, false},
        {"lstArrival", "client", 2040, 870, 975, 2010, "", "", 8.25, false},
        {"Label3", "client", 3960, 240, 1215, 255, " FS9 Aircraft", "", 8.25, true},
        {"lstAircraft", "client", 3480, 480, 2415, 2400, "", "", 8.25, false},
        {"Label4", "client", 6240, 240, 1575, 255, "Repeat Schedule", "", 8.25, true},
        {"lstDuration", "client", 6300, 480, 1455, 2010, "", "", 8.25, false},
        {"fra1", "client", 8280, 360, 1095, 1335, "IFR/VFR", "", 8.25, true},
        {"optIFR", "fra1", 120, 360, 255, 255, "", "", 8.25, false},
        {"Label6", "fra1", 480, 360, 495, 255, "IFR", "", 8.25, false},
        {"optVFR", "fra1", 120, 840, 255, 255, "", "", 8.25, false},
        {"Label7", "fra1", 480, 840, 495, 255, "VFR", "", 8.25, false},
        {"Frame1", "client", 9480, 360, 1215, 1335, "ATC ID", "", 8.25, true},
        {"optCallSign", "Frame1", 120, 360, 255, 255, "", "", 8.25, false},
        {"Label14", "Frame1", 360, 360, 615, 255, "Call Sign", "", 8.25, false},
        {"optFlightNumber", "Frame1", 120, 840, 255, 255, "", "", 8.25, false},
        {"Label15", "Frame1", 360, 840, 615, 255, "Flight #", "", 8.25, false},
        {"chkDepartTNG", "client", 8280, 1800, 1335, 255, "TNG", "", 8.25, true},
        {"mskDepartTNG", "client", 9720, 1800, 975, 375, "00:00", "Touch and go at Departure Airport", 8.25, false},
        {"chkDestTNG", "client", 8280, 2400, 1335, 255, " TNG", "", 8.25, true},
        {"mskDestTNG", "client", 9720, 2400, 975, 375, "00:00", "Touch and Go at Destination Airport", 8.25, false},
        {"Label8", "client", 480, 3120, 1335, 255, "Departure Time", "", 8.25, true},
        {"mskDepartureTime", "client", 600, 3480, 855, 375, "00:00", "GMT Time", 8.25, false},
        {"Label9", "client", 2160, 3120, 1095, 255, "Return Time", "", 8.25, true},
        {"mskReturnTime", "client", 2160, 3480, 855, 375, "00:00", "GMT Time", 8.25, false},
        {"Label10", "client", 3540, 3120, 855, 375, "Call Sign", "", 8.25, true},
        {"txtCallSign", "client", 3480, 3480, 855, 375, "", "Ex: N541SP", 8.25, false},
        {"Label11", "client", 4710, 3120, 1215, 375, "Flight Number", "", 8.25, true},
        {"txtFlightNo", "client", 4800, 3480, 855, 375, "", "Ex: 0429", 8.25, false},
        {"Label12", "client", 6360, 3120, 1215, 255, "Flight Level", "", 8.25, true},
        {"txtFlightLevel", "client", 6360, 3480, 855, 375, "",
         "ex: 050=5000ft , 100=10,000ft , 195=19,500ft", 8.25, false},
        {"Label5", "client", 8040, 3120, 495, 375, "AI %", "", 8.25, true},
        {"txtPercent", "client", 7800, 3480, 855, 375, "", "", 8.25, false},
        {"Image2", "client", 0, 4200, 2475, 1860, "", "", 8.25, false},
        {"cmdInstall", "client", 2640, 4920, 1575, 615, "&Save Flight Plan", "", 9.75, true},
        {"cmdReset", "client", 4560, 4920, 1455, 615, "&Reset", "", 9.75, true},
        {"cmdExit", "client", 6360, 4920, 1575, 615, "&Exit Zephlan", "", 9.75, true},
        {"Image1", "client", 8880, 5040, 480, 480, "", "", 8.25, false},
        {"cboTZ", "client", 8640, 6000, 615, 315, "", "Not Active", 8.25, false},
    };
    for (const Row &row : rows)
        QTest::newRow(row.name) << row.name << row.container
                                << twipsRect(row.left, row.top, row.width, row.height) << row.caption
                                << row.hint << qreal(row.points) << row.bold;
}

void MainWindowTest::layout()
{
    QFETCH(QString, name);
    QFETCH(QString, container);
    QFETCH(QRect, place);
    QFETCH(QString, caption);
    QFETCH(QString, hint);
    QFETCH(qreal, points);
    QFETCH(bool, bold);

    const QWidget *control = m_window->findChild<QWidget *>(name);
    QVERIFY(control != nullptr);
    QCOMPARE(control->parentWidget()->objectName(), container);
    QCOMPARE(control->geometry(), place);
    QCOMPARE(control->toolTip(), hint);
    QCOMPARE(control->font().pointSizeF(), points);
    QCOMPARE(control->font().bold(), bold);
    const char *captionProperty = qobject_cast<const QGroupBox *>(control) ? "title" : "text";
    QCOMPARE(control->property(captionProperty).toString(), caption);
    if (name.startsWith(QLatin1String("Image")))
        QVERIFY(!qobject_cast<const QLabel *>(control)->pixmap().isNull());
    QCOMPARE(m_window->centralWidget()->size(), twipsRect(0, 0, 10995, 6480).size());
}

void MainWindowTest::captionsLieInsideTheirBoxes()
{
    m_dialogs.answers = {writeFile("Airports.txt", "WWWW,a,b,c\r\n")};
    child<QAction>("mnuAirport")->trigger();
    type("txtDeparture", QStringLiteral("WWWW"));
    QCOMPARE(child<QCheckBox>("chkDepartTNG")->text(), QStringLiteral("WWWW TNG"));
    for (const QWidget *control : m_window->findChildren<QWidget *>())
        QVERIFY2(captionFits(control), qPrintable(control->objectName()));
}

void MainWindowTest::startState()
{
    auto *durations = child<QListWidget>("lstDuration");
    QStringList texts;
    for (int row = 0; row < durations->count(); ++row)
        texts << durations->item(row)->text();
    QCOMPARE(texts.join(','), QStringLiteral("1Hr,2Hr,4Hr,6Hr,8Hr,12Hr,24Hr,Week"));
    auto *zones = child<QComboBox>("cboTZ");
    QCOMPARE(zones->count(), 25);
    for (auto [row, text] : {std::pair{0, "-12"}, {11, "-1"}, {12, "0"}, {13, "+1"}, {24, "+12"}})
        QCOMPARE(zones->itemText(row), QLatin1String(text));
    QVERIFY(!zones->isVisible() && !zones->isEnabled());
    QVERIFY(child<QAction>("mnuAirport")->isEnabled() && !child<QAction>("mnuAircraft")->isEnabled());
    QCOMPARE(QApplication::focusWidget(), child<QWidget>("txtDeparture"));
    QVERIFY(child<QRadioButton>("optIFR")->isChecked() && child<QRadioButton>("optCallSign")->isChecked());
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Zephlan"));
    QVERIFY(m_window->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!m_window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QCOMPARE(m_window->minimumSize(), m_window->maximumSize());
}

void MainWindowTest::menuSequence_data()
{
    QTest::addColumn<QString>("airports");
    QTest::addColumn<QString>("aircraft");
    QTest::addColumn<int>("airportCount");
    QTest::addColumn<int>("aircraftCount");

    QTest::newRow("both files read") << "full" << "full" << 4 << 3;
    QTest::newRow("both dialogs cancelled") << "cancel" << "cancel" << 0 << 0;
    QTest::newRow("both files missing") << "missing" << "missing" << 0 << 0;
    QTest::newRow("both files cut short") << "short" << "short" << 1 << 1;
}

void MainWindowTest::menuSequence()
{
    QFETCH(QString, airports);
    QFETCH(QString, aircraft);
    QFETCH(int, airportCount);
    QFETCH(int, aircraftCount);

    auto answer = [this](const QString &kind, const QByteArray &full, const QByteArray &cut) {
        if (kind == QLatin1String("cancel"))
            return std::optional<QString>();
        if (kind == QLatin1String("missing"))
            return std::optional<QString>(m_dir->filePath(QStringLiteral("nowhere.txt")));
        return std::optional<QString>(writeFile("list.txt", kind == QLatin1String("full") ? full : cut));
    };
    m_dialogs.answers = {answer(airports, kAirports, "KJFK,a,b,c\r\nEGLL,a")};
    child<QAction>("mnuAirport")->trigger();
    QCOMPARE(m_messages.shown, QStringList{kAfterAirports});
    QVERIFY(!child<QAction>("mnuAirport")->isEnabled());
    QVERIFY(child<QAction>("mnuAircraft")->isEnabled());
    QCOMPARE(child<QListView>("lstDeparture")->model()->rowCount(), airportCount);
    QCOMPARE(child<QListView>("lstArrival")->model()->rowCount(), airportCount);

    m_dialogs.answers = {answer(aircraft, kAircraft, "1,a,Title\r\n2,b")};
    child<QAction>("mnuAircraft")->trigger();
    QCOMPARE(m_messages.shown.size(), 1);
    QVERIFY(!child<QAction>("mnuAirport")->isEnabled());
    QVERIFY(!child<QAction>("mnuAircraft")->isEnabled());
    QCOMPARE(child<QListView>("lstAircraft")->model()->rowCount(), aircraftCount);
    QCOMPARE(m_dialogs.questions.size(), 2);
    QCOMPARE(m_dialogs.questions[0].filter, QStringLiteral("Airports(*.txt)|*.txt"));
    QCOMPARE(m_dialogs.questions[0].proposedName, QStringLiteral("Airports.txt"));
    QCOMPARE(m_dialogs.questions[1].filter, QStringLiteral("Aircrafts(*.txt)|*.txt"));
    QCOMPARE(m_dialogs.questions[1].proposedName, QStringLiteral("Aircraft.txt"));
    QVERIFY(!m_dialogs.questions[0].save && !m_dialogs.questions[1].save);
}

void MainWindowTest::search_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("selected");

    QTest::newRow("exact beats an earlier prefix") << "KJF" << "KJF";
    QTest::newRow("exact ignoring case") << "kjf" << "KJF";
    QTest::newRow("first prefix in file order") << "kj" << "KJFK";
    QTest::newRow("code read from the code page")
        << QString::fromUtf8("\xC3\xA9gl") << QString::fromUtf8("\xC3\x89GLL");
    QTest::newRow("no match") << "ZZ" << "";
    QTest::newRow("emptied") << "K\b" << "";
}

void MainWindowTest::search()
{
    QFETCH(QString, typed);
    QFETCH(QString, selected);

    openLists();
    type("txtDeparture", typed);
    type("txtArrival", typed);
    QCOMPARE(selectedText("lstDeparture"), selected);
    QCOMPARE(selectedText("lstArrival"), selected);
    QCOMPARE(child<QCheckBox>("chkDepartTNG")->text(), selected + QStringLiteral(" TNG"));
    QCOMPARE(child<QCheckBox>("chkDestTNG")->text(), selected + QStringLiteral(" TNG"));

    const QString searched = child<QLineEdit>("txtDeparture")->text();
    selectRow("lstDeparture", 3);
    QCOMPARE(child<QCheckBox>("chkDepartTNG")->text(), QStringLiteral("KLAX TNG"));
    QCOMPARE(child<QLineEdit>("txtDeparture")->text(), searched);
    QCOMPARE(selectedText("lstArrival"), selected);
}

void MainWindowTest::roadOfOnePlan()
{
    openLists();
    type("txtDeparture", QStringLiteral("kjfk"));
    type("txtArrival", QString::fromUtf8("\xC3\xA9gll"));
    selectRow("lstAircraft", 1);
    selectRow("lstDuration", 6);
    press("optVFR");
    press("optFlightNumber");
    press("chkDestTNG");
    for (auto [name, digits] : {std::pair{"mskDepartureTime", "0630"}, {"mskReturnTime", "184500"},
                                {"mskDestTNG", "1200"}}) {
        child<QWidget>(name)->setFocus();
        type(name, QLatin1String(digits));
    }
    type("txtCallSign", QStringLiteral("N541SP"));
    type("txtFlightNo", QStringLiteral("0429"));
    type("txtFlightLevel", QStringLiteral("050"));
    type("txtPercent", QStringLiteral("50"));
    const QString plans = m_dir->filePath(QStringLiteral("plans.txt"));
    m_dialogs.answers = {plans, plans};
    auto state = [this] {
        QStringList seen;
        for (const QLineEdit *box : m_window->findChildren<QLineEdit *>()) {
            const auto *time = qobject_cast<const MaskedTimeEdit *>(box);
            seen << box->objectName() + '=' + (time ? time->timeText() : box->text());
        }
        for (const QAbstractButton *button : m_window->findChildren<QAbstractButton *>())
            seen << button->objectName() + '=' + QString::number(button->isChecked());
        for (const char *list : {"lstDeparture", "lstArrival", "lstAircraft", "lstDuration"})
            seen << selectedText(list);
        return seen;
    };
    const QStringList before = state();

    press("cmdInstall");
    press("cmdInstall");

    QFile written(plans);
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QByteArray line = "AC#2,N541SP,50%,24Hr,VFR,06:30:00,00:00:00,050,F,0429,\xC9GLL,18:45:00,"
                            "TNG12:00:00,050,F,430,KJFK\r\n";
    QCOMPARE(written.readAll(), line + line);
    QCOMPARE(m_messages.shown, QStringList());
    QCOMPARE(m_dialogs.questions.size(), 4);
    QVERIFY(m_dialogs.questions[2].save);
    QCOMPARE(m_dialogs.questions[2].filter, QStringLiteral("FlightPlans(*.txt)|*.txt"));
    QCOMPARE(m_dialogs.questions[2].proposedName, QStringLiteral("FlightPlans_Zephlan .txt"));
    QCOMPARE(state(), before);
}

void MainWindowTest::checksReportInOrder()
{
    auto typeTime = [this](const char *name, const char *digits) {
        child<QWidget>(name)->setFocus();
        type(name, QLatin1String(digits));
    };
    struct Step
    {
        std::function<void()> fill;
        const char *message;
    };
    const Step steps[] = {
        {[this] { press("chkDepartTNG"); }, "Please Enter TNG Time|Enter Time"},
        {[&] { typeTime("mskDepartTNG", "0630"); press("chkDestTNG"); }, "Please Enter TNG Time|Enter Time"},
        {[&] { typeTime("mskDestTNG", "0700"); },
         "Select or Search for Departure Airport from list|Open Airports"},
        {[this] { type("txtDeparture", "KJFK"); },
         "Select or Search for Destination Airport from list|Open Airports"},
        {[this] { type("txtArrival", "KLAX"); }, "Select Aircraft from list|Open Aircrafts"},
        {[this] { selectRow("lstAircraft", 0); }, "Select Duration|Select Duration"},
        {[this] { selectRow("lstDuration", 0); }, "Enter Departure Time|Departure Time"},
        {[&] { typeTime("mskDepartureTime", "0600"); }, "Enter Return Time|Return Time"},
        {[&] { typeTime("mskReturnTime", "0800"); }, "Enter Call Sign|Call Sign"},
        {[this] { type("txtCallSign", "N1"); }, "Enter Flight Number|Flight Number"},
        {[this] { type("txtFlightNo", "1"); }, "Enter Flight Level  ie. 050 = 5000ft |Flight Level"},
        {[this] { type("txtFlightLevel", "050"); }, "Enter desired AI percentage|AI Percentage"},
    };
    openLists();
    QStringList expected;
    for (const Step &step : steps) {
        step.fill();
        press("cmdInstall");
        expected << QLatin1String(step.message);
        QCOMPARE(m_messages.shown, expected);
    }
    QCOMPARE(m_dialogs.questions.size(), 2);
    type("txtPercent", QStringLiteral("5"));
    press("cmdInstall");
    QCOMPARE(m_messages.shown, expected);
    QCOMPARE(m_dialogs.questions.size(), 3);
    QVERIFY(m_dialogs.questions.last().save);
    QCOMPARE(QDir(m_dir->path()).entryList({QStringLiteral("*.txt")}),
             QStringList({QStringLiteral("Aircraft.txt"), QStringLiteral("Airports.txt")}));
}

void MainWindowTest::resetClearsTheTypedInputs()
{
    openLists();
    type("txtDeparture", QStringLiteral("KJFK"));
    type("txtArrival", QStringLiteral("KLAX"));
    selectRow("lstAircraft", 2);
    selectRow("lstDuration", 3);
    press("optVFR");
    press("optFlightNumber");
    press("chkDepartTNG");
    press("chkDestTNG");
    for (const char *name : {"mskDepartureTime", "mskReturnTime", "mskDepartTNG", "mskDestTNG"}) {
        child<QWidget>(name)->setFocus();
        type(name, QStringLiteral("1234"));
    }
    for (const char *name : {"txtCallSign", "txtFlightNo", "txtFlightLevel", "txtPercent"})
        type(name, QStringLiteral("12"));

    press("cmdReset");

    for (const char *name :
         {"txtDeparture", "txtArrival", "txtCallSign", "txtFlightNo", "txtFlightLevel", "txtPercent"})
        QVERIFY2(child<QLineEdit>(name)->text().isEmpty(), name);
    for (const char *name : {"mskDepartureTime", "mskReturnTime", "mskDepartTNG", "mskDestTNG"})
        QCOMPARE(child<MaskedTimeEdit>(name)->timeText(), QStringLiteral("00:00:00"));
    QVERIFY(child<QRadioButton>("optIFR")->isChecked() && child<QRadioButton>("optCallSign")->isChecked());
    for (const char *name : {"chkDepartTNG", "chkDestTNG"}) {
        QVERIFY(!child<QCheckBox>(name)->isChecked());
        QCOMPARE(child<QCheckBox>(name)->text(), QStringLiteral(" TNG"));
    }
    QCOMPARE(selectedText("lstAircraft"), QStringLiteral("Airbus A321"));
    QCOMPARE(selectedText("lstDuration"), QStringLiteral("6Hr"));
    QCOMPARE(child<QListView>("lstDeparture")->model()->rowCount(), 4);
    QVERIFY(!child<QAction>("mnuAircraft")->isEnabled());
    QCOMPARE(QApplication::focusWidget(), child<QWidget>("txtDeparture"));
}

void MainWindowTest::textLimits_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");

    QTest::newRow("fifth departure character") << "txtDeparture" << "KJFKX" << "KJFK";
    QTest::newRow("fifth arrival character") << "txtArrival" << "EGLLX" << "EGLL";
    QTest::newRow("eighth call sign character") << "txtCallSign" << "N541SPXY" << "N541SPX";
    QTest::newRow("fifth flight number character") << "txtFlightNo" << "04290" << "0429";
    QTest::newRow("fourth flight level character") << "txtFlightLevel" << "0505" << "050";
    QTest::newRow("third percentage character") << "txtPercent" << "505" << "50";
    QTest::newRow("code page letters kept") << "txtCallSign" << QString::fromUtf8("\xC3\xA9\xE2\x82\xAC")
                                            << QString::fromUtf8("\xC3\xA9\xE2\x82\xAC");
    QTest::newRow("letters the code page lacks refused")
        << "txtCallSign" << QString::fromUtf8("A\xCE\xA9" "B\xE4\xB8\xAD") << "AB";
}

void MainWindowTest::textLimits()
{
    QFETCH(QString, name);
    QFETCH(QString, typed);
    QFETCH(QString, kept);

    auto *box = m_window->findChild<QLineEdit *>(name);
    typeInto(box, typed);
    QCOMPARE(box->text(), kept);
}

void MainWindowTest::timeFieldSelectsAllOnFocus()
{
    auto *field = child<MaskedTimeEdit>("mskDepartTNG");
    field->setFocus();
    type("mskDepartTNG", QStringLiteral("1234"));
    child<QWidget>("chkDepartTNG")->setFocus();
    QCOMPARE(field->text(), QStringLiteral("12:34"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), field);
    QCOMPARE(field->selectedText(), QStringLiteral("12:34:00"));
    type("mskDepartTNG", QStringLiteral("0915"));
    QCOMPARE(field->timeText(), QStringLiteral("09:15:00"));
}

void MainWindowTest::tabOrder()
{
    const QStringList expected = QString("txtArrival lstAircraft lstDuration optIFR optCallSign chkDepartTNG "
                                         "mskDepartTNG chkDestTNG mskDestTNG mskDepartureTime mskReturnTime "
                                         "txtCallSign txtFlightNo txtFlightLevel txtPercent cmdInstall cmdReset "
                                         "cmdExit lstDeparture lstArrival txtDeparture")
                                     .split(' ');
    QCOMPARE(tabStops(static_cast<int>(expected.size())), expected);
    press("optVFR");
    child<QWidget>("lstDuration")->setFocus();
    QCOMPARE(tabStops(2), QStringList({QStringLiteral("optVFR"), QStringLiteral("optCallSign")}));
}

void MainWindowTest::keys_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("messages");
    QTest::addColumn<QString>("callSign");
    QTest::addColumn<bool>("open");

    QTest::newRow("Enter on the save button") << "cmdInstall" << int(Qt::Key_Return) << 0 << 0 << "N1" << true;
    QTest::newRow("Esc on the save button") << "cmdInstall" << int(Qt::Key_Escape) << 0 << 0 << "N1" << true;
    QTest::newRow("Enter in a text box") << "txtCallSign" << int(Qt::Key_Return) << 0 << 0 << "N1" << true;
    QTest::newRow("Esc in a time field") << "mskReturnTime" << int(Qt::Key_Escape) << 0 << 0 << "N1" << true;
    QTest::newRow("Alt+S saves") << "txtCallSign" << int(Qt::Key_S) << int(Qt::AltModifier) << 1 << "N1" << true;
    QTest::newRow("Alt+R resets") << "txtCallSign" << int(Qt::Key_R) << int(Qt::AltModifier) << 0 << "" << true;
    QTest::newRow("Alt+E exits") << "txtCallSign" << int(Qt::Key_E) << int(Qt::AltModifier) << 0 << "" << false;
}

void MainWindowTest::keys()
{
    QFETCH(QString, focus);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, messages);
    QFETCH(QString, callSign);
    QFETCH(bool, open);

    type("txtCallSign", QStringLiteral("N1"));
    m_window->findChild<QWidget *>(focus)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QTRY_COMPARE(!m_window.isNull(), open);
    if (!open)
        return;
    // An access key clicks its button a moment later.
    QTRY_COMPARE(m_messages.shown.size(), messages);
    QTRY_COMPARE(child<QLineEdit>("txtCallSign")->text(), callSign);
    QTest::qWait(200);
    QCOMPARE(m_messages.shown.size(), messages);
    QVERIFY(m_dialogs.questions.isEmpty());
}

void MainWindowTest::otherWindowsAndExit_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("help");
    QTest::addColumn<int>("about");
    QTest::addColumn<bool>("open");

    QTest::newRow("Help menu") << "mnuHelp2" << 1 << 0 << true;
    QTest::newRow("help icon") << "Image1" << 1 << 0 << true;
    QTest::newRow("About menu") << "mnuAbout" << 0 << 1 << true;
    QTest::newRow("Exit menu") << "mnuExit" << 0 << 0 << false;
    QTest::newRow("Exit button") << "cmdExit" << 0 << 0 << false;
}

void MainWindowTest::otherWindowsAndExit()
{
    QFETCH(QString, control);
    QFETCH(int, help);
    QFETCH(int, about);
    QFETCH(bool, open);

    QSignalSpy helpSpy(m_window.data(), &frmZephlan::helpRequested);
    QSignalSpy aboutSpy(m_window.data(), &frmZephlan::aboutRequested);
    if (auto *action = m_window->findChild<QAction *>(control))
        action->trigger();
    else
        QTest::mouseClick(m_window->findChild<QWidget *>(control), Qt::LeftButton);
    QTRY_COMPARE(!m_window.isNull(), open);
    QCOMPARE(helpSpy.size(), help);
    QCOMPARE(aboutSpy.size(), about);
}

QTEST_MAIN(MainWindowTest)
#include "tst_frmzephlan.moc"
