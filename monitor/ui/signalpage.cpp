#include "monitor/ui/signalpage.h"

#include "monitor/ui/signalhistorywindow.h"
#include "shell/core/helptopics.h"
#include "shell/ui/mainwindowhost.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace telvio {

namespace {

const int kCellHelpIds[7][4] = {
    // operator, bar, cell id, rxlev
    {1350, 1356, 1352, 1354}, {1364, 1522, 1102, 1506}, {1366, 1524, 1104, 1508}, {1368, 1526, 1106, 1510},
    {1370, 1528, 1108, 1512}, {1372, 1530, 1110, 1514}, {1374, 1532, 1112, 1516},
};

QString BarStyle(SignalColour colour)
{
    return QStringLiteral("QProgressBar { border: 1px solid palette(mid); background: palette(base); }"
                          "QProgressBar::chunk { background: #%1; }")
        .arg(ColourRgb(colour), 6, 16, QLatin1Char('0'));
}

} // namespace

// The main window's signal timer; a page tried on its own has none.
class Csignal::Timer : public SignalTimerControl {
public:
    explicit Timer(MainWindowHost *main) : m_main(main) {}
    void StartSignalTimer(int intervalMs) override
    {
        if (m_main)
            m_main->StartSignalTimer(intervalMs);
    }
    void StopSignalTimer() override
    {
        if (m_main)
            m_main->StopSignalTimer();
    }

private:
    MainWindowHost *m_main;
};

Csignal::Csignal(const PageContext &context, QWidget *parent)
    : PropertyPage(PageId::Signal, signalpagetext::kTitle, context, parent),
      m_timer(std::make_unique<Timer>(context.main)),
      m_logic(std::make_unique<SignalLogic>(Session(), m_timer.get()))
{
    SetHelpId(this, HelpTopics::kSignalTopicId);

    // The main cell across the top, the neighbours in two columns below.
    auto *cellsGrid = new QGridLayout;
    cellsGrid->setVerticalSpacing(4);
    for (int c = 0; c < 7; ++c) {
        const QString title = c == 0 ? signalpagetext::kMainCell : signalpagetext::NeighbourTitle(c);
        auto *box = new QGroupBox(title, this);
        auto *grid = new QGridLayout(box);
        grid->setContentsMargins(6, 2, 6, 4);
        grid->setVerticalSpacing(2);
        CellControls &cell = m_cells[c];
        cell.operatorName = new QLabel(box);
        cell.bar = new QProgressBar(box);
        cell.bar->setRange(0, 63);
        cell.bar->setTextVisible(false);
        cell.bar->setFixedHeight(10);
        cell.cellId = new QLabel(box);
        cell.rxlev = new QLabel(box);
        cell.cellId->setMinimumWidth(36);
        cell.rxlev->setMinimumWidth(18);
        SetHelpId(cell.operatorName, kCellHelpIds[c][0]);
        SetHelpId(cell.bar, kCellHelpIds[c][1]);
        SetHelpId(cell.cellId, kCellHelpIds[c][2]);
        SetHelpId(cell.rxlev, kCellHelpIds[c][3]);
        grid->addWidget(cell.operatorName, 0, 0, 1, 4);
        grid->addWidget(cell.bar, 1, 0, 1, 4);
        grid->addWidget(new QLabel(signalpagetext::kCellId, box), 2, 0);
        grid->addWidget(cell.cellId, 2, 1);
        grid->addWidget(new QLabel(signalpagetext::kRxLev, box), 2, 2);
        grid->addWidget(cell.rxlev, 2, 3);
        grid->setColumnStretch(1, 1);
        grid->setColumnStretch(3, 1);
        if (c == 0) {
            m_ber = new QLabel(box);
            SetHelpId(m_ber, 1060);
            grid->addWidget(new QLabel(signalpagetext::kBer, box), 2, 4);
            grid->addWidget(m_ber, 2, 5);
            grid->setColumnStretch(5, 2);
            grid->addWidget(cell.bar, 1, 0, 1, 6);
            grid->addWidget(cell.operatorName, 0, 0, 1, 6);
            cellsGrid->addWidget(box, 0, 0, 1, 2);
        } else {
            cellsGrid->addWidget(box, 1 + (c - 1) / 2, (c - 1) % 2);
        }
    }

    auto *settings = new QGroupBox(signalpagetext::kSettings, this);
    auto *sgrid = new QGridLayout(settings);
    m_interval = new QComboBox(settings);
    m_interval->addItems(SignalForm::IntervalItems());
    m_red = new QComboBox(settings);
    m_red->addItems(SignalForm::RedItems());
    m_green = new QComboBox(settings);
    m_green->addItems(SignalForm::GreenItems());
    SetHelpId(m_interval, 1390);
    SetHelpId(m_red, 1426);
    SetHelpId(m_green, 1226);
    auto *intervalLabel = new QLabel(signalpagetext::kUpdateInterval, settings);
    intervalLabel->setBuddy(m_interval);
    sgrid->setVerticalSpacing(3);
    sgrid->addWidget(intervalLabel, 0, 0);
    sgrid->addWidget(m_interval, 0, 1, 1, 2);
    sgrid->addWidget(new QLabel(signalpagetext::kRedBefore, settings), 1, 0);
    sgrid->addWidget(m_red, 1, 1);
    sgrid->addWidget(new QLabel(signalpagetext::kRedAfter, settings), 1, 2);
    sgrid->addWidget(new QLabel(signalpagetext::kGreenBefore, settings), 2, 0);
    sgrid->addWidget(m_green, 2, 1);
    sgrid->addWidget(new QLabel(signalpagetext::kGreenAfter, settings), 2, 2);
    sgrid->setColumnStretch(3, 1);

    // Beyond the page's own controls: below the settings, out of their way.
    m_history = new QPushButton(signalpagetext::kHistoryButton, this);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_history);

    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(4);
    layout->addLayout(cellsGrid);
    layout->addWidget(settings);
    layout->addLayout(buttons);
    layout->addStretch(1);

    connect(m_interval, &QComboBox::activated, this, [this](int index) { m_logic->ChooseInterval(index); });
    connect(m_red, &QComboBox::activated, this, [this](int index) {
        m_logic->ChooseRed(index);
        if (m_historyWindow)
            m_historyWindow->SetThresholds(m_logic->RedThreshold(), m_logic->GreenThreshold());
    });
    connect(m_green, &QComboBox::activated, this, [this](int index) {
        m_logic->ChooseGreen(index);
        if (m_historyWindow)
            m_historyWindow->SetThresholds(m_logic->RedThreshold(), m_logic->GreenThreshold());
    });
    connect(m_history, &QPushButton::clicked, this, &Csignal::ShowHistory);
    ShowForm();
}

Csignal::~Csignal()
{
    delete m_historyWindow;
}

void Csignal::ShowForm()
{
    m_interval->setCurrentIndex(m_logic->form.interval);
    m_red->setCurrentIndex(m_logic->form.red);
    m_green->setCurrentIndex(m_logic->form.green);
    ShowCells();
}

void Csignal::ShowCells()
{
    const auto &cells = m_logic->Cells();
    // Bars first, then the texts, as the page always painted them.
    for (int c = 0; c < 7; ++c) {
        // A new style sheet makes the bar re-resolve its style: only when
        // the colour changed.
        const QString style = BarStyle(cells[c].colour);
        if (m_cells[c].bar->styleSheet() != style)
            m_cells[c].bar->setStyleSheet(style);
    }
    for (int c = 0; c < 7; ++c)
        m_cells[c].bar->setValue(std::clamp(cells[c].rxlev, 0, 63));
    for (int c = 0; c < 7; ++c)
        m_cells[c].rxlev->setText(QString::number(cells[c].rxlev));
    for (int c = 0; c < 7; ++c)
        m_cells[c].operatorName->setText(QString::fromLatin1(cells[c].operatorName));
    m_ber->setText(m_logic->BerLabel());
    for (int c = 0; c < 7; ++c)
        m_cells[c].cellId->setText(QString::fromLatin1(cells[c].cellId));
}

void Csignal::RunMeasurement()
{
    if (!m_logic->RunMeasurement())
        return;
    ShowCells();
    if (m_historyWindow && m_historyWindow->isVisible())
        m_historyWindow->Refresh();
}

void Csignal::OnSetActive()
{
    // A failure here ("connnection broken") has nobody to tell: the page
    // stays locked without polling until it is shown again.
    m_logic->Activate();
}

void Csignal::OnKillActive()
{
    m_logic->Deactivate();
}

void Csignal::ResetState()
{
    // Taken out of the set on a disconnect: the next connect shows the page
    // as if its window were made anew.
    if (m_logic->State() != PollingState::Idle)
        m_logic->Deactivate();
    m_logic->Initialise();
    ShowForm();
}

void Csignal::ShowHistory()
{
    if (!m_historyWindow) {
        m_historyWindow = new SignalHistoryWindow(m_logic->History(), Context().prompter, window());
        m_historyWindow->setAttribute(Qt::WA_DeleteOnClose, false);
    }
    m_historyWindow->SetThresholds(m_logic->RedThreshold(), m_logic->GreenThreshold());
    m_historyWindow->Refresh();
    m_historyWindow->show();
    m_historyWindow->raise();
    m_historyWindow->activateWindow();
}

} // namespace telvio
