#pragma once

#include "core/PlanFileCheck.h"
#include "core/SaveCommand.h"

#include <QMainWindow>

#include <filesystem>
#include <memory>
#include <vector>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListView;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace zephlan {

class AirportSearch;
class EntryListModel;
class FileDialogSeam;
class MaskedTimeEdit;
class MessageSeam;
class ShownLists;

// The working window: pick lists, times, flight details and the save button.
class frmZephlan : public QMainWindow
{
    Q_OBJECT
public:
    // Uses the system's file dialog and the real message box.
    explicit frmZephlan(QWidget *parent = nullptr);
    // The seams are not owned; a null seam is replaced by the real one.
    frmZephlan(FileDialogSeam *dialogs, MessageSeam *messages, QWidget *parent = nullptr);
    ~frmZephlan() override;

signals:
    void helpRequested();
    void aboutRequested();
    // A flight-plans file chosen to be checked against the lists, which live as long as this window.
    void checkPlansRequested(const QString &path, const zephlan::PlanCheckLists *lists);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildWindow();
    void buildMenus();
    void buildLists(QWidget *client);
    void buildOptionFrames(QWidget *client);
    void buildTimeFields(QWidget *client);
    void buildTextBoxes(QWidget *client);
    void buildLabelsAndPictures(QWidget *client);
    void buildButtons(QWidget *client);
    void applyTabOrder();
    void connectHandlers();

    void Form_Load();
    void mnuAirport_Click();
    void mnuAircraft_Click();
    void mnuCheckPlans_Click();
    void mnuExit_Click();
    void mnuAbout_Click();
    void mnuHelp2_Click();
    void txtDeparture_Change();
    void txtArrival_Change();
    void lstDeparture_Click();
    void lstArrival_Click();
    void cmdInstall_Click();
    void cmdReset_Click();
    void cmdExit_Click();
    void Image1_Click();

    void searchAndSelect(const QLineEdit *searchBox, QListView *list);
    void refreshCaption(QCheckBox *box, const QListView *list);
    SaveInputs takeSaveInputs() const;
    QWidget *controlFor(EntryCheck check) const;

    // The plan line at the foot of the window (frmZephlanPlanLine.cpp).
    void buildPlanLine();
    void refreshPlanLine();

    // The shared file dialog dlgFile and the message box: the tests' seams, or else our own.
    std::unique_ptr<FileDialogSeam> m_ownDialogs;
    std::unique_ptr<MessageSeam> m_ownMessages;
    FileDialogSeam *m_dialogs = nullptr;
    MessageSeam *m_messages = nullptr;
    RememberedRules m_remembered;
    std::vector<std::filesystem::path> m_listFiles;

    EntryListModel *m_airports = nullptr;
    EntryListModel *m_aircraft = nullptr;
    std::unique_ptr<AirportSearch> m_search;
    std::unique_ptr<ShownLists> m_shownLists;

    QAction *m_mnuAirport = nullptr;
    QAction *m_mnuAircraft = nullptr;
    QAction *m_mnuCheckPlans = nullptr;
    QAction *m_mnuExit = nullptr;
    QAction *m_mnuAbout = nullptr;
    QAction *m_mnuHelp2 = nullptr;

    QLineEdit *m_txtDeparture = nullptr;
    QLineEdit *m_txtArrival = nullptr;
    QLineEdit *m_txtCallSign = nullptr;
    QLineEdit *m_txtFlightNo = nullptr;
    QLineEdit *m_txtFlightLevel = nullptr;
    QLineEdit *m_txtPercent = nullptr;
    QListView *m_lstDeparture = nullptr;
    QListView *m_lstArrival = nullptr;
    QListView *m_lstAircraft = nullptr;
    QListWidget *m_lstDuration = nullptr;
    QRadioButton *m_optIFR = nullptr;
    QRadioButton *m_optVFR = nullptr;
    QRadioButton *m_optCallSign = nullptr;
    QRadioButton *m_optFlightNumber = nullptr;
    QCheckBox *m_chkDepartTNG = nullptr;
    QCheckBox *m_chkDestTNG = nullptr;
    MaskedTimeEdit *m_mskDepartTNG = nullptr;
    MaskedTimeEdit *m_mskDestTNG = nullptr;
    MaskedTimeEdit *m_mskDepartureTime = nullptr;
    MaskedTimeEdit *m_mskReturnTime = nullptr;
    QPushButton *m_cmdInstall = nullptr;
    QPushButton *m_cmdReset = nullptr;
    QPushButton *m_cmdExit = nullptr;
    QLabel *m_image1 = nullptr;
    QComboBox *m_cboTZ = nullptr;
    QLabel *m_lblPlanWarnings = nullptr;
    QLabel *m_lblPlan = nullptr;
    // Everything the plan line says, as its tooltip shows it.
    QString m_planText;
    // Holds the plan line's connections; a member, so they end before the
    // window's own teardown moves the focus and changes the time fields.
    std::unique_ptr<QObject> m_planWatch;
};

} // namespace zephlan
