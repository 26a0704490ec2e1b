#include "ui/main/frmZephlan.h"

#include "core/AppInfo.h"
#include "ui/common/Appearance.h"
#include "ui/common/ListCaption.h"
#include "ui/common/ReadingOrder.h"
#include "ui/main/CaptionFit.h"
#include "ui/main/DialogHabits.h"
#include "ui/main/EntryListDelegate.h"
#include "ui/main/EntryListModel.h"
#include "ui/main/MaskedTimeEdit.h"
#include "ui/main/StorableText.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>

#include <array>

namespace zephlan {
namespace {

constexpr int kClientWidth = 10995;
// One line taller than the form's 6480 twips: the plan line's warnings have a line of their own.
constexpr int kClientHeight = 6720;
const QString kWebAddress = QStringLiteral("www.zephlan.example.org");

struct Place
{
    int left, top, width, height;
};

enum class Face { Regular, Bold, LargeBold };

QFont faceFont(Face face)
{
    switch (face) {
    case Face::Bold:
        return dialogFont(8.25, true);
    case Face::LargeBold:
        return dialogFont(9.75, true);
    case Face::Regular:
        break;
    }
    return dialogFont();
}

template <typename Control>
Control *place(QWidget *parent, const char *name, Place at, Face face = Face::Regular)
{
    auto *control = new Control(parent);
    control->setObjectName(QLatin1String(name));
    control->setGeometry(twipsRect(at.left, at.top, at.width, at.height));
    control->setFont(faceFont(face));
    return control;
}

QLabel *makeLabel(QWidget *parent, const char *name, const QString &caption, Place at, Face face)
{
    return makeCaptionLabel(parent, QLatin1String(name), twipsRect(at.left, at.top, at.width, at.height),
                            faceFont(face), caption);
}

// A caption label names its control for a screen reader; a caption without "&" gives no access
// key. Lists do not look for a buddy, and a reader would say a caption's trailing blank.
void nameByCaption(QLabel *caption, QWidget *control)
{
    caption->setBuddy(control);
    control->setAccessibleName(caption->text().trimmed());
    if (auto *list = qobject_cast<QAbstractItemView *>(control))
        labelListByCaption(list, caption);
}

// For a control that has no caption of its own, what a screen reader says instead.
void describe(QWidget *control, const char *name, const char *description)
{
    control->setAccessibleName(QString::fromLatin1(name));
    control->setAccessibleDescription(QString::fromLatin1(description));
}

QListView *makeListView(QWidget *parent, const char *name, Place at)
{
    auto *list = place<QListView>(parent, name, at);
    list->setUniformItemSizes(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    return list;
}

} // namespace

void frmZephlan::buildWindow()
{
    setObjectName(QStringLiteral("frmZephlan"));
    setWindowTitle(QString::fromLatin1(kApplicationTitle));
    setWindowFlags(withFixedBorder(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                                   | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                                   | Qt::WindowCloseButtonHint));
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(dialogFont());
    paintLightGrey(this);

    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(twips(kClientWidth), twips(kClientHeight));
    paintLightGrey(client);
    setCentralWidget(client);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    buildMenus();
    buildLists(client);
    buildOptionFrames(client);
    buildTimeFields(client);
    buildTextBoxes(client);
    buildLabelsAndPictures(client);
    buildButtons(client);
    applyTabOrder();
    readInTabOrder(client, m_txtDeparture);
    for (QGroupBox *frame : client->findChildren<QGroupBox *>())
        readInTabOrder(frame, m_txtDeparture, QAccessible::Grouping);
    for (QWidget *control : client->findChildren<QWidget *>())
        fitCaption(control);
    // Labels and pictures lie beneath the other controls where they overlap.
    for (QLabel *label : client->findChildren<QLabel *>())
        label->lower();
}

void frmZephlan::buildMenus()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    m_mnuAirport = file->addAction(QStringLiteral("Open Airport"));
    m_mnuAircraft = file->addAction(QStringLiteral("Open Aircraft"));
    m_mnuCheckPlans = file->addAction(QStringLiteral("Check Flight Plans..."));
    m_mnuExit = file->addAction(QStringLiteral("Exit"));
    QMenu *help = menuBar()->addMenu(QStringLiteral("Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    m_mnuAbout = help->addAction(QStringLiteral("About"));
    m_mnuHelp2 = help->addAction(QStringLiteral("Help"));
    m_mnuAirport->setObjectName(QStringLiteral("mnuAirport"));
    m_mnuAircraft->setObjectName(QStringLiteral("mnuAircraft"));
    m_mnuCheckPlans->setObjectName(QStringLiteral("mnuCheckPlans"));
    m_mnuExit->setObjectName(QStringLiteral("mnuExit"));
    m_mnuAbout->setObjectName(QStringLiteral("mnuAbout"));
    m_mnuHelp2->setObjectName(QStringLiteral("mnuHelp2"));
    menuBar()->setAccessibleName(QStringLiteral("Menu bar"));
    for (QMenu *menu : {file, help})
        menu->setAccessibleName(menu->title());
    // F10 highlights the menu bar's first title, as on Windows, just as Alt alone does: the
    // arrows then open and walk the menu. It is passed on as an Alt press to the menu bar.
    auto *menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(menuKey, &QShortcut::activated, this, [this] {
        QWidget *target = focusWidget() ? focusWidget() : this;
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
        QApplication::sendEvent(target, &press);
        QApplication::sendEvent(target, &release);
    });
}

void frmZephlan::buildLists(QWidget *client)
{
    m_airports = new EntryListModel(this);
    m_aircraft = new EntryListModel(this);
    m_aircraft->setRowLimit(kAircraftLimit);
    m_lstDeparture = makeListView(client, "lstDeparture", {480, 870, 975, 2010});
    m_lstArrival = makeListView(client, "lstArrival", {2040, 870, 975, 2010});
    m_lstAircraft = makeListView(client, "lstAircraft", {3480, 480, 2415, 2400});
    m_lstDeparture->setModel(m_airports);
    m_lstArrival->setModel(m_airports);
    m_lstAircraft->setModel(m_aircraft);
    m_lstDuration = place<QListWidget>(client, "lstDuration", {6300, 480, 1455, 2010});
    m_lstDuration->setUniformItemSizes(true);
    m_lstDuration->setSelectionMode(QAbstractItemView::SingleSelection);
    const std::array<QAbstractItemView *, 4> lists = {m_lstDeparture, m_lstArrival, m_lstAircraft, m_lstDuration};
    for (QAbstractItemView *list : lists) {
        selectOnFirstMove(list);
        list->setItemDelegate(new EntryListDelegate(list));
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    }
    describe(m_lstDeparture, "Departure airports",
             "The codes of the airports list; typing in the Departure box selects one");
    describe(m_lstArrival, "Destination airports",
             "The codes of the airports list; typing in the Destination box selects one");
}

void frmZephlan::buildOptionFrames(QWidget *client)
{
    auto *fra1 = place<QGroupBox>(client, "fra1", {8280, 360, 1095, 1335}, Face::Bold);
    fra1->setTitle(QStringLiteral("IFR/VFR"));
    auto *frame1 = place<QGroupBox>(client, "Frame1", {9480, 360, 1215, 1335}, Face::Bold);
    frame1->setTitle(QStringLiteral("ATC ID"));
    paintLightGrey(fra1);
    paintLightGrey(frame1);

    struct OptionRow
    {
        QRadioButton **option;
        QWidget *frame;
        const char *name;
        Place at;
        const char *captionName;
        const char *caption;
        Place captionAt;
    };
    const std::array<OptionRow, 4> rows = {{
        {&m_optIFR, fra1, "optIFR", {120, 360, 255, 255}, "Label6", "IFR", {480, 360, 495, 255}},
        {&m_optVFR, fra1, "optVFR", {120, 840, 255, 255}, "Label7", "VFR", {480, 840, 495, 255}},
        {&m_optCallSign, frame1, "optCallSign", {120, 360, 255, 255}, "Label14", "Call Sign", {360, 360, 615, 255}},
        {&m_optFlightNumber, frame1, "optFlightNumber", {120, 840, 255, 255}, "Label15", "Flight #",
         {360, 840, 615, 255}},
    }};
    for (const OptionRow &row : rows) {
        *row.option = place<QRadioButton>(row.frame, row.name, row.at);
        QLabel *caption =
            makeLabel(row.frame, row.captionName, QString::fromLatin1(row.caption), row.captionAt, Face::Regular);
        nameByCaption(caption, *row.option);
        selectOnCaptionClick(caption, *row.option);
    }
    // The grey frame shows through: a filled option button would paint over the first
    // letter of its caption where a style draws the circle wider.
    for (QRadioButton *option : {m_optIFR, m_optVFR, m_optCallSign, m_optFlightNumber}) {
        paintLightGrey(option);
        option->setAutoFillBackground(false);
    }
    m_optIFR->setChecked(true);
    m_optCallSign->setChecked(true);

    m_chkDepartTNG = place<QCheckBox>(client, "chkDepartTNG", {8280, 1800, 1335, 255}, Face::Bold);
    m_chkDepartTNG->setText(QStringLiteral("TNG"));
    m_chkDestTNG = place<QCheckBox>(client, "chkDestTNG", {8280, 2400, 1335, 255}, Face::Bold);
    m_chkDestTNG->setText(QStringLiteral(" TNG"));
    m_chkDepartTNG->setAccessibleName(QStringLiteral("TNG at departure"));
    m_chkDestTNG->setAccessibleName(QStringLiteral("TNG at destination"));
    paintLightGrey(m_chkDepartTNG);
    paintLightGrey(m_chkDestTNG);
}

void frmZephlan::buildTimeFields(QWidget *client)
{
    struct TimeRow
    {
        MaskedTimeEdit **field;
        const char *name;
        Place at;
        const char *hint;
    };
    const std::array<TimeRow, 4> rows = {{
        {&m_mskDepartTNG, "mskDepartTNG", {9720, 1800, 975, 375}, "Touch and go at Departure Airport"},
        {&m_mskDestTNG, "mskDestTNG", {9720, 2400, 975, 375}, "Touch and Go at Destination Airport"},
        {&m_mskDepartureTime, "mskDepartureTime", {600, 3480, 855, 375}, "GMT Time"},
        {&m_mskReturnTime, "mskReturnTime", {2160, 3480, 855, 375}, "GMT Time"},
    }};
    for (const TimeRow &row : rows) {
        *row.field = place<MaskedTimeEdit>(client, row.name, row.at);
        (*row.field)->setToolTip(QString::fromLatin1(row.hint));
        refuseAltCharacters(*row.field);
    }
    // The touch-and-go check boxes beside these two name an airport, not the field.
    m_mskDepartTNG->setAccessibleName(QStringLiteral("Touch-and-go time at departure"));
    m_mskDestTNG->setAccessibleName(QStringLiteral("Touch-and-go time at destination"));
}

void frmZephlan::buildTextBoxes(QWidget *client)
{
    struct TextRow
    {
        QLineEdit **box;
        const char *name;
        Place at;
        int maxLength;
        const char *hint;
        // The one longer text the box also takes: a percentage of 100.
        const char *longerOnly = "";
    };
    const std::array<TextRow, 6> rows = {{
        {&m_txtDeparture, "txtDeparture", {480, 480, 975, 375}, 4, ""},
        {&m_txtArrival, "txtArrival", {2040, 480, 975, 375}, 4, ""},
        {&m_txtCallSign, "txtCallSign", {3480, 3480, 855, 375}, 7, "Ex: N541SP"},
        {&m_txtFlightNo, "txtFlightNo", {4800, 3480, 855, 375}, 4, "Ex: 0429"},
        {&m_txtFlightLevel, "txtFlightLevel", {6360, 3480, 855, 375}, 3,
         "ex: 050=5000ft , 100=10,000ft , 195=19,500ft"},
        {&m_txtPercent, "txtPercent", {7800, 3480, 855, 375}, 2, "", "100"},
    }};
    for (const TextRow &row : rows) {
        QLineEdit *box = place<QLineEdit>(client, row.name, row.at);
        keepStorableText(box, row.maxLength, QString::fromLatin1(row.longerOnly));
        refuseAltCharacters(box);
        box->setToolTip(QString::fromLatin1(row.hint));
        *row.box = box;
    }
}

void frmZephlan::buildLabelsAndPictures(QWidget *client)
{
    struct LabelRow
    {
        const char *name;
        const char *caption;
        Place at;
        Face face;
        QWidget *names;
    };
    const std::array<LabelRow, 10> rows = {{
        {"Label1", "Departure ", {480, 240, 975, 255}, Face::Bold, m_txtDeparture},
        {"Label2", "Destination ", {1920, 240, 975, 255}, Face::Bold, m_txtArrival},
        {"Label3", " FS9 Aircraft", {3960, 240, 1215, 255}, Face::Bold, m_lstAircraft},
        {"Label4", "Repeat Schedule", {6240, 240, 1575, 255}, Face::Bold, m_lstDuration},
        {"Label8", "Departure Time", {480, 3120, 1335, 255}, Face::Bold, m_mskDepartureTime},
        {"Label9", "Return Time", {2160, 3120, 1095, 255}, Face::Bold, m_mskReturnTime},
        {"Label10", "Call Sign", {3540, 3120, 855, 375}, Face::Bold, m_txtCallSign},
        {"Label11", "Flight Number", {4710, 3120, 1215, 375}, Face::Bold, m_txtFlightNo},
        {"Label12", "Flight Level", {6360, 3120, 1215, 255}, Face::Bold, m_txtFlightLevel},
        {"Label5", "AI %", {8040, 3120, 495, 375}, Face::Bold, m_txtPercent},
    }};
    for (const LabelRow &row : rows)
        nameByCaption(makeLabel(client, row.name, QString::fromLatin1(row.caption), row.at, row.face), row.names);
    // Each airport list lies under the caption of its search box.
    labelListByCaption(m_lstDeparture, client->findChild<QLabel *>(QStringLiteral("Label1")));
    labelListByCaption(m_lstArrival, client->findChild<QLabel *>(QStringLiteral("Label2")));
    makeLabel(client, "Label13", kWebAddress, {3240, 5760, 3975, 255}, Face::Regular);

    auto *logo = place<QLabel>(client, "Image2", {0, 4200, 2475, 1860});
    logo->setPixmap(QPixmap(QStringLiteral(":/zephlan/logo.png")));
    logo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    describe(logo, "Zephlan logo", "The product name over a blue globe");
    m_image1 = place<QLabel>(client, "Image1", {8880, 5040, 480, 480});
    m_image1->setPixmap(QPixmap(QStringLiteral(":/zephlan/help.png")));
    m_image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_image1->setCursor(Qt::PointingHandCursor);
    m_image1->installEventFilter(this);
    describe(m_image1, "Help", "A question mark on a green disc; a click opens the user guide");

    m_cboTZ = place<QComboBox>(client, "cboTZ", {8640, 6000, 615, 315});
    m_cboTZ->setToolTip(QStringLiteral("Not Active"));
    describe(m_cboTZ, "Time zone", "Not Active");
    m_cboTZ->setEnabled(false);
    m_cboTZ->hide();
}

void frmZephlan::buildButtons(QWidget *client)
{
    struct ButtonRow
    {
        QPushButton **button;
        const char *name;
        const char *caption;
        Place at;
    };
    const std::array<ButtonRow, 3> rows = {{
        {&m_cmdInstall, "cmdInstall", "&Save Flight Plan", {2640, 4920, 1575, 615}},
        {&m_cmdReset, "cmdReset", "&Reset", {4560, 4920, 1455, 615}},
        {&m_cmdExit, "cmdExit", "&Exit Zephlan", {6360, 4920, 1575, 615}},
    }};
    for (const ButtonRow &row : rows) {
        QPushButton *button = place<QPushButton>(client, row.name, row.at, Face::LargeBold);
        button->setText(QString::fromLatin1(row.caption));
        button->setAutoDefault(false);
        button->setDefault(false);
        clickAtOnceOnAccessKey(button);
        paintLightGrey(button);
        *row.button = button;
    }
}

void frmZephlan::applyTabOrder()
{
    const std::array<QWidget *, 23> order = {
        m_txtDeparture,     m_txtArrival,    m_lstAircraft,  m_lstDuration,    m_optIFR,
        m_optVFR,           m_optCallSign,   m_optFlightNumber, m_chkDepartTNG, m_mskDepartTNG,
        m_chkDestTNG,       m_mskDestTNG,    m_mskDepartureTime, m_mskReturnTime, m_txtCallSign,
        m_txtFlightNo,      m_txtFlightLevel, m_txtPercent,   m_cmdInstall,     m_cmdReset,
        m_cmdExit,          m_lstDeparture,  m_lstArrival};
    for (std::size_t i = 0; i + 1 < order.size(); ++i)
        QWidget::setTabOrder(order[i], order[i + 1]);
}

} // namespace zephlan
