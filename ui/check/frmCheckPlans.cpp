#include "ui/check/frmCheckPlans.h"

#include "core/PlanFileCheck.h"
#include "core/SystemText.h"
#include "ui/check/CheckReportModel.h"
#include "traffic/FileBytes.h"
#include "ui/common/Appearance.h"
#include "ui/common/FileSystemPath.h"
#include "ui/common/ListCaption.h"
#include "ui/common/MessageSeam.h"
#include "ui/common/Windows1252.h"

#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTableView>
#include <QVBoxLayout>

#include <array>

namespace zephlan {
namespace {

// Twips: the window's first size and the columns' widths but the last, which takes the rest.
constexpr int kWindowWidth = 11400;
constexpr int kWindowHeight = 6000;
constexpr std::array<int, 4> kColumnWidths = {750, 1200, 2700, 750};

QPushButton *makeButton(QWidget *parent, const char *name, const char *caption)
{
    auto *button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    paintLightGrey(button);
    return button;
}

} // namespace

frmCheckPlans::frmCheckPlans(const QString &path, const PlanCheckLists *lists, MessageSeam *messages,
                             QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_path(path)
    , m_lists(lists)
    , m_messages(messages)
{
    if (m_messages == nullptr) {
        m_ownMessages = std::make_unique<MessageBoxSeam>();
        m_messages = m_ownMessages.get();
    }
    setObjectName(QStringLiteral("frmCheckPlans"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Check Flight Plans - ") + QFileInfo(path).fileName());
    setFont(dialogFont());
    paintLightGrey(this);
    resize(twips(kWindowWidth), twips(kWindowHeight));
    buildControls();
    centreWhenFirstShown(this);
    runCheck();
    m_grdLines->setFocus();
}

frmCheckPlans::~frmCheckPlans() = default;

void frmCheckPlans::buildControls()
{
    m_lblSummary = makeCaptionLabel(this, QStringLiteral("lblSummary"), QRect(), dialogFont(8.25, true));
    m_lblSummary->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_model = new CheckReportModel(this);
    m_grdLines = new QTableView(this);
    m_grdLines->setObjectName(QStringLiteral("grdLines"));
    m_grdLines->setModel(m_model);
    m_grdLines->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grdLines->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_grdLines->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grdLines->setWordWrap(false);
    m_grdLines->setTabKeyNavigation(false);
    m_grdLines->verticalHeader()->hide();
    // Rows of one height and columns of set widths: a hundred thousand rows are laid out at once.
    m_grdLines->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grdLines->verticalHeader()->setDefaultSectionSize(m_grdLines->fontMetrics().height() + twips(90));
    for (std::size_t column = 0; column < kColumnWidths.size(); ++column)
        m_grdLines->setColumnWidth(static_cast<int>(column), twips(kColumnWidths[column]));
    m_grdLines->horizontalHeader()->setStretchLastSection(true);
    m_grdLines->setAccessibleName(QStringLiteral("Lines with something to say"));
    m_grdLines->setAccessibleDescription(
        QStringLiteral("Enter shows the whole line, Ctrl+C copies the selected rows, F5 checks the file again"));
    labelListByCaption(m_grdLines, m_lblSummary);
    m_grdLines->installEventFilter(this);
    connect(m_grdLines, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex &index) { showWholeLine(index.row()); });

    m_cmdCheckAgain = makeButton(this, "cmdCheckAgain", "&Check Again");
    m_cmdCheckAgain->setToolTip(QStringLiteral("Reads the file again and checks it (F5)"));
    m_cmdClose = makeButton(this, "cmdClose", "Close");
    connect(m_cmdCheckAgain, &QPushButton::clicked, this, &frmCheckPlans::cmdCheckAgain_Click);
    connect(m_cmdClose, &QPushButton::clicked, this, &frmCheckPlans::cmdClose_Click);
    connect(new QShortcut(QKeySequence(Qt::Key_F5), this), &QShortcut::activated, this,
            &frmCheckPlans::cmdCheckAgain_Click);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
            &frmCheckPlans::cmdClose_Click);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cmdCheckAgain);
    buttons->addWidget(m_cmdClose);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(twips(120), twips(120), twips(120), twips(120));
    layout->addWidget(m_lblSummary);
    layout->addWidget(m_grdLines, 1);
    layout->addLayout(buttons);
}

void frmCheckPlans::runCheck()
{
    FileBytesRead file = FileBytes::read(toFilesystemPath(m_path));
    if (!file.bytes) {
        m_model->setReport(std::nullopt, {});
        m_lblSummary->setText(QFileInfo(m_path).fileName() + QStringLiteral(" could not be read: ")
                              + fromWindows1252(systemText(file.error.message())));
        return;
    }
    PlanFileReport report = checkPlanFile(file.bytes->view(), *m_lists);
    m_lblSummary->setText(fromWindows1252(reportSentence(report)));
    m_model->setReport(std::move(file.bytes), std::move(report));
    if (m_model->rowCount() > 0)
        m_grdLines->setCurrentIndex(m_model->index(0, 0));
}

void frmCheckPlans::cmdCheckAgain_Click()
{
    runCheck();
}

void frmCheckPlans::cmdClose_Click()
{
    close();
}

void frmCheckPlans::showWholeLine(int row)
{
    if (row < 0 || row >= m_model->rowCount())
        return;
    // What is wrong too: its column is often cut at the window's width.
    const QString wrong = m_model->index(row, CheckReportModel::WhatColumn).data().toString();
    m_messages->showMessage(this, m_model->lineText(row) + QStringLiteral("\n\n") + wrong,
                            QStringLiteral("Line %1").arg(static_cast<qulonglong>(m_model->lineNumber(row))));
}

void frmCheckPlans::copySelectedRows()
{
    QList<int> rows;
    for (const QModelIndex &index : m_grdLines->selectionModel()->selectedRows())
        rows.append(index.row());
    if (rows.isEmpty() && m_grdLines->currentIndex().isValid())
        rows.append(m_grdLines->currentIndex().row());
    QApplication::clipboard()->setText(m_model->rowsAsText(rows));
}

// The table's own Enter and Ctrl+C would open an editor and copy one cell.
bool frmCheckPlans::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_grdLines && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->matches(QKeySequence::Copy)) {
            copySelectedRows();
            return true;
        }
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && key->modifiers() == Qt::NoModifier) {
            showWholeLine(m_grdLines->currentIndex().row());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace zephlan
