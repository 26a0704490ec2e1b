#include "ui/main/frmZephlan.h"

#include "core/Schedule.h"
#include "traffic/TrafficList.h"
#include "ui/common/Appearance.h"
#include "ui/common/MessageSeam.h"
#include "ui/common/Windows1252.h"
#include "ui/main/AirportSearch.h"
#include "ui/main/CaptionFit.h"
#include "ui/main/EntryListModel.h"
#include "ui/main/FileDialogSeam.h"
#include "ui/common/FileSystemPath.h"
#include "ui/main/MaskedTimeEdit.h"
#include "ui/main/ShownLists.h"
#include "ui/main/TouchAndGoCaption.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QLocale>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>

namespace zephlan {
namespace {

const char *const kAirportFilter = "Airports(*.txt)|*.txt";
const char *const kAirportProposedName = "Airports.txt";
const char *const kAircraftFilter = "Aircrafts(*.txt)|*.txt";
const char *const kAircraftProposedName = "Aircraft.txt";
const char *const kAfterAirportsPrompt = "Open Decompiled Aircrafts.txt from File Menu";
const char *const kAfterAirportsTitle = "Open Aircrafts";
const char *const kAircraftLimitTitle = "Open Aircraft";

std::string bytesOf(const QString &text)
{
    return toWindows1252(text).value_or(std::string());
}

} // namespace

frmZephlan::frmZephlan(QWidget *parent)
    : frmZephlan(nullptr, nullptr, parent)
{
}

frmZephlan::frmZephlan(FileDialogSeam *dialogs, MessageSeam *messages, QWidget *parent)
    : QMainWindow(parent)
    , m_dialogs(dialogs)
    , m_messages(messages)
    , m_search(std::make_unique<AirportSearch>())
{
    if (m_dialogs == nullptr) {
        m_ownDialogs = std::make_unique<QtFileDialogSeam>();
        m_dialogs = m_ownDialogs.get();
    }
    if (m_messages == nullptr) {
        m_ownMessages = std::make_unique<MessageBoxSeam>();
        m_messages = m_ownMessages.get();
    }
    buildWindow();
    centreWhenFirstShown(this);
    m_shownLists = std::make_unique<ShownLists>(m_airports, m_aircraft, m_search.get());
    connectHandlers();
    buildPlanLine();
    Form_Load();
    m_txtDeparture->setFocus();
}

frmZephlan::~frmZephlan() = default;

void frmZephlan::connectHandlers()
{
    connect(m_mnuAirport, &QAction::triggered, this, &frmZephlan::mnuAirport_Click);
    connect(m_mnuAircraft, &QAction::triggered, this, &frmZephlan::mnuAircraft_Click);
    connect(m_mnuCheckPlans, &QAction::triggered, this, &frmZephlan::mnuCheckPlans_Click);
    connect(m_mnuExit, &QAction::triggered, this, &frmZephlan::mnuExit_Click);
    connect(m_mnuAbout, &QAction::triggered, this, &frmZephlan::mnuAbout_Click);
    connect(m_mnuHelp2, &QAction::triggered, this, &frmZephlan::mnuHelp2_Click);
    connect(m_txtDeparture, &QLineEdit::textChanged, this, &frmZephlan::txtDeparture_Change);
    connect(m_txtArrival, &QLineEdit::textChanged, this, &frmZephlan::txtArrival_Change);
    connect(m_lstDeparture->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &frmZephlan::lstDeparture_Click);
    connect(m_lstArrival->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &frmZephlan::lstArrival_Click);
    for (MaskedTimeEdit *field : {m_mskDepartureTime, m_mskReturnTime, m_mskDepartTNG, m_mskDestTNG})
        connect(field, &MaskedTimeEdit::gotFocus, field, &QLineEdit::selectAll);
    // A touch-and-go time counts as typed only from the moment its box is ticked.
    connect(m_chkDepartTNG, &QCheckBox::toggled, m_mskDepartTNG, &MaskedTimeEdit::forgetTyping);
    connect(m_chkDestTNG, &QCheckBox::toggled, m_mskDestTNG, &MaskedTimeEdit::forgetTyping);
    connect(m_cmdInstall, &QPushButton::clicked, this, &frmZephlan::cmdInstall_Click);
    connect(m_cmdReset, &QPushButton::clicked, this, &frmZephlan::cmdReset_Click);
    connect(m_cmdExit, &QPushButton::clicked, this, &frmZephlan::cmdExit_Click);
}

bool frmZephlan::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_image1 && event->type() == QEvent::MouseButtonRelease) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton && m_image1->rect().contains(mouse->position().toPoint()))
            Image1_Click();
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmZephlan::Form_Load()
{
    for (const RepeatPeriod &period : kRepeatPeriods)
        m_lstDuration->addItem(QString::fromLatin1(period.name.data(), qsizetype(period.name.size())));
    for (int offset = -12; offset <= 12; ++offset)
        m_cboTZ->addItem(offset > 0 ? QStringLiteral("+%1").arg(offset) : QString::number(offset));
    m_mnuAircraft->setEnabled(false);
}

void frmZephlan::mnuAirport_Click()
{
    const std::optional<QString> chosen = m_dialogs->askOpenPath(
        this, QString::fromLatin1(kAirportFilter), QString::fromLatin1(kAirportProposedName));
    if (chosen) {
        m_listFiles.push_back(toFilesystemPath(*chosen));
        m_airports->appendList(ReadAirportList(m_listFiles.back()));
        m_search->rebuild(m_airports->store());
        // Codes typed before the list arrived are searched now.
        txtDeparture_Change();
        txtArrival_Change();
    }
    m_messages->showMessage(this, QString::fromLatin1(kAfterAirportsPrompt),
                            QString::fromLatin1(kAfterAirportsTitle));
    m_mnuAircraft->setEnabled(true);
    m_mnuAirport->setEnabled(false);
}

void frmZephlan::mnuAircraft_Click()
{
    const std::optional<QString> chosen = m_dialogs->askOpenPath(
        this, QString::fromLatin1(kAircraftFilter), QString::fromLatin1(kAircraftProposedName));
    std::size_t leftOut = 0;
    if (chosen) {
        m_listFiles.push_back(toFilesystemPath(*chosen));
        leftOut = m_aircraft->appendList(ReadAircraftList(m_listFiles.back()));
    }
    m_mnuAircraft->setEnabled(false);
    if (leftOut > 0) {
        const QLocale grouped(QLocale::English, QLocale::UnitedStates);
        m_messages->showMessage(this,
                                QStringLiteral("Only the first %1 aircraft are listed; %2 more were left out.")
                                    .arg(grouped.toString(m_aircraft->rowCount()),
                                         grouped.toString(static_cast<qulonglong>(leftOut))),
                                QString::fromLatin1(kAircraftLimitTitle));
    }
}

void frmZephlan::mnuCheckPlans_Click()
{
    const std::optional<QString> chosen =
        m_dialogs->askOpenPath(this, QString::fromLatin1(kSaveFilter), QString::fromLatin1(kSaveProposedName));
    if (chosen)
        emit checkPlansRequested(*chosen, m_shownLists.get());
}

void frmZephlan::mnuExit_Click()
{
    close();
}

void frmZephlan::mnuAbout_Click()
{
    emit aboutRequested();
}

void frmZephlan::mnuHelp2_Click()
{
    emit helpRequested();
}

void frmZephlan::Image1_Click()
{
    emit helpRequested();
}

void frmZephlan::txtDeparture_Change()
{
    searchAndSelect(m_txtDeparture, m_lstDeparture);
    refreshCaption(m_chkDepartTNG, m_lstDeparture);
}

void frmZephlan::txtArrival_Change()
{
    searchAndSelect(m_txtArrival, m_lstArrival);
    refreshCaption(m_chkDestTNG, m_lstArrival);
}

void frmZephlan::lstDeparture_Click()
{
    refreshCaption(m_chkDepartTNG, m_lstDeparture);
}

void frmZephlan::lstArrival_Click()
{
    refreshCaption(m_chkDestTNG, m_lstArrival);
}

void frmZephlan::searchAndSelect(const QLineEdit *searchBox, QListView *list)
{
    const int row = m_search->find(searchBox->text());
    if (row < 0) {
        list->selectionModel()->clear();
        return;
    }
    const QModelIndex found = m_airports->index(row);
    list->selectionModel()->setCurrentIndex(found, QItemSelectionModel::ClearAndSelect);
    list->scrollTo(found);
}

// A code too long for the box is shortened so that " TNG" still shows; the
// whole caption is then the box's hint. A screen reader hears it whole, and
// which leg it belongs to.
void frmZephlan::refreshCaption(QCheckBox *box, const QListView *list)
{
    const QString code = fromWindows1252(m_airports->entryBytes(selectedRow(list)));
    const QString tail = TouchAndGoCaption(QString());
    const bool shortened = fitCaptionKeepingTail(box, code, tail);
    box->setToolTip(shortened ? TouchAndGoCaption(code) : QString());
    const QString leg = box == m_chkDepartTNG ? QStringLiteral(" at departure") : QStringLiteral(" at destination");
    box->setAccessibleName(TouchAndGoCaption(code).trimmed() + leg);
}

void frmZephlan::cmdInstall_Click()
{
    SaveFrontEnd frontEnd;
    frontEnd.showMessage = [this](const std::string &prompt, const std::string &title) {
        m_messages->showMessage(this, fromWindows1252(prompt), fromWindows1252(title));
    };
    frontEnd.askSavePath = [this](const std::string &filter, const std::string &proposedName)
        -> std::optional<std::filesystem::path> {
        const std::optional<QString> chosen =
            m_dialogs->askSavePath(this, fromWindows1252(filter), fromWindows1252(proposedName));
        if (!chosen)
            return std::nullopt;
        return toFilesystemPath(*chosen);
    };
    const SaveResult result = runSaveCommand(takeSaveInputs(), m_remembered, frontEnd);
    if (result.failedCheck)
        controlFor(*result.failedCheck)->setFocus(Qt::OtherFocusReason);
}

// The control a check's message points the user to: for an airport, the search box above its list.
QWidget *frmZephlan::controlFor(EntryCheck check) const
{
    switch (check) {
    case EntryCheck::DepartTngTime: return m_mskDepartTNG;
    case EntryCheck::DestTngTime: return m_mskDestTNG;
    case EntryCheck::Departure: return m_txtDeparture;
    case EntryCheck::Destination: return m_txtArrival;
    case EntryCheck::Aircraft: return m_lstAircraft;
    case EntryCheck::Duration: return m_lstDuration;
    case EntryCheck::DepartureTime: return m_mskDepartureTime;
    case EntryCheck::ReturnTime: return m_mskReturnTime;
    case EntryCheck::CallSign: return m_txtCallSign;
    case EntryCheck::FlightNumber:
    case EntryCheck::FlightNumberRange: return m_txtFlightNo;
    case EntryCheck::FlightLevel: return m_txtFlightLevel;
    case EntryCheck::Percent: return m_txtPercent;
    }
    return m_cmdInstall;
}

SaveInputs frmZephlan::takeSaveInputs() const
{
    SaveInputs inputs;
    inputs.departureText = std::string(m_airports->entryBytes(selectedRow(m_lstDeparture)));
    inputs.destinationText = std::string(m_airports->entryBytes(selectedRow(m_lstArrival)));
    const int aircraftRow = selectedRow(m_lstAircraft);
    inputs.aircraftText = std::string(m_aircraft->entryBytes(aircraftRow));
    // The list holds at most kAircraftLimit rows, so the row fits.
    inputs.aircraftIndex = static_cast<std::int16_t>(aircraftRow);
    const QList<QListWidgetItem *> duration = m_lstDuration->selectedItems();
    inputs.durationText = duration.isEmpty() ? std::string() : bytesOf(duration.first()->text());
    inputs.departureTimeText = bytesOf(m_mskDepartureTime->timeText());
    inputs.returnTimeText = bytesOf(m_mskReturnTime->timeText());
    inputs.departureTimeTyped = m_mskDepartureTime->typedInto();
    inputs.returnTimeTyped = m_mskReturnTime->typedInto();
    inputs.departTngTyped = m_mskDepartTNG->typedInto();
    inputs.destTngTyped = m_mskDestTNG->typedInto();
    inputs.departTngChecked = m_chkDepartTNG->isChecked();
    inputs.destTngChecked = m_chkDestTNG->isChecked();
    inputs.departTngText = bytesOf(m_mskDepartTNG->timeText());
    inputs.destTngText = bytesOf(m_mskDestTNG->timeText());
    inputs.vfrSelected = m_optVFR->isChecked();
    inputs.ifrSelected = m_optIFR->isChecked();
    inputs.callSignModeSelected = m_optCallSign->isChecked();
    inputs.flightNumberModeSelected = m_optFlightNumber->isChecked();
    inputs.callSignText = bytesOf(m_txtCallSign->text());
    inputs.flightNoText = bytesOf(m_txtFlightNo->text());
    inputs.flightLevelText = bytesOf(m_txtFlightLevel->text());
    inputs.percentText = bytesOf(m_txtPercent->text());
    inputs.listFiles = m_listFiles;
    return inputs;
}

void frmZephlan::cmdReset_Click()
{
    m_txtDeparture->clear();
    m_txtArrival->clear();
    m_optIFR->setChecked(true);
    m_optCallSign->setChecked(true);
    m_mskDepartureTime->reapplyPattern();
    m_mskReturnTime->reapplyPattern();
    for (QLineEdit *box : {m_txtCallSign, m_txtFlightNo, m_txtFlightLevel, m_txtPercent})
        box->clear();
    m_mskDepartTNG->reapplyPattern();
    m_mskDestTNG->reapplyPattern();
    m_chkDestTNG->setChecked(false);
    m_chkDepartTNG->setChecked(false);
    m_txtDeparture->setFocus();
}

void frmZephlan::cmdExit_Click()
{
    close();
}

} // namespace zephlan
