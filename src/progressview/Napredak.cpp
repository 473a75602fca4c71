#include "progressview/Napredak.h"

#include "common/CommandGuard.h"
#include "common/CommandRegistry.h"
#include "common/DayCount.h"
#include "common/Errors.h"
#include "common/RegionalSettings.h"
#include "common/UserPrompts.h"
#include "common/ValueConversions.h"
#include "common/WholeFile.h"
#include "progress/RecordTexts.h"
#include "progressview/ChartView.h"

#include <QAction>
#include <QBuffer>
#include <QButtonGroup>
#include <QClipboard>
#include <QComboBox>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <climits>

namespace {
template<typename T>
T *named(T *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// The range choice's items, in the order of ProgressRange.
QComboBox *rangeChoice(QWidget *parent, const char *name)
{
    auto *box = named(new QComboBox(parent), name);
    box->addItems({QStringLiteral("Last 3 months"), QStringLiteral("Last year"), QStringLiteral("All")});
    box->setCurrentIndex(int(ProgressRange::All));
    return box;
}

// The colours of the body parts' bars, in turn.
const QList<QColor> BarColors = {QColor(0x4e, 0x79, 0xa7), QColor(0xf2, 0x8e, 0x2b), QColor(0x59, 0xa1, 0x4f),
                                 QColor(0xe1, 0x57, 0x59), QColor(0x76, 0xb7, 0xb2), QColor(0xed, 0xc9, 0x48),
                                 QColor(0xb0, 0x7a, 0xa1), QColor(0xff, 0x9d, 0xa7), QColor(0x9c, 0x75, 0x5f),
                                 QColor(0xba, 0xb0, 0xac)};

QString dateText(int day)
{
    return RegionalSettings::current().dayCountDateText(day);
}

// "1:30" from minutes.
QString hoursText(qint64 minutes)
{
    return QStringLiteral("%1:%2").arg(minutes / 60).arg(minutes % 60, 2, 10, QLatin1Char('0'));
}
}

TfrmNapredak::TfrmNapredak(UserPrompts &prompts, Collect collect, QWidget *parent)
    : QWidget(parent, Qt::Window), m_prompts(prompts), m_collect(std::move(collect)), m_today(QDate::currentDate())
{
    setObjectName(QStringLiteral("frmNapredak"));
    setWindowTitle(QStringLiteral("Progress"));
    buildControls();
    resize(1120, 620); // the records table's eleven columns fit
}

TfrmNapredak::~TfrmNapredak() = default;

void TfrmNapredak::buildControls()
{
    m_commands = new CommandRegistry(this, [this](const std::function<void()> &command) { runGuarded(m_prompts, command); });
    QAction *copy = m_commands->add({QStringLiteral("actKopirajGraf"), QStringLiteral("&Copy chart"),
                                     {QKeySequence(Qt::CTRL | Qt::Key_C)}, Qt::WindowShortcut, QStringLiteral("Copy chart"),
                                     QStringLiteral("Copy the chart as an image (Ctrl+C)")});
    QAction *save = m_commands->add({QStringLiteral("actSpremiGraf"), QStringLiteral("&Save chart as PNG..."), {},
                                     Qt::WindowShortcut, QStringLiteral("Save as PNG..."),
                                     QStringLiteral("Save the chart as a PNG image")});
    m_commands->add({QStringLiteral("actZatvori"), QStringLiteral("Close"), {QKeySequence(Qt::Key_Escape)},
                     Qt::WindowShortcut, {}, {}});
    m_commands->bind(QStringLiteral("actKopirajGraf"), [this] { copyChart(); });
    m_commands->bind(QStringLiteral("actSpremiGraf"), [this] { saveChart(); });
    m_commands->bind(QStringLiteral("actZatvori"), [this] { close(); });
    addActions(m_commands->actions());

    tabStranice = named(new QTabWidget(this), "tabStranice");
    tabStranice->addTab(buildExercisePage(), QStringLiteral("Exercise"));
    tabStranice->addTab(buildPeriodPage(), QStringLiteral("Period"));
    tabStranice->addTab(buildRecordsPage(), QStringLiteral("Records"));

    auto *buttons = new QHBoxLayout;
    for (QAction *action : {copy, save}) {
        auto *button = new QToolButton(this);
        button->setDefaultAction(action);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        buttons->addWidget(button);
    }
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tabStranice);
    layout->addLayout(buttons);

    // The chart commands work on a page with a chart only.
    const auto chartPage = [=, this] {
        const bool hasChart = currentChart() != nullptr;
        copy->setEnabled(hasChart);
        save->setEnabled(hasChart);
    };
    connect(tabStranice, &QTabWidget::currentChanged, this, chartPage);
    chartPage();
}

QWidget *TfrmNapredak::buildExercisePage()
{
    auto *page = new QWidget(this);
    cmbVjezba = named(new QComboBox(page), "cmbVjezba");
    cmbVjezba->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    cmbVjezba->setMinimumContentsLength(16);
    rbt1Rm = named(new QRadioButton(QStringLiteral("Expected 1RM"), page), "rbt1Rm");
    rbtTezina = named(new QRadioButton(QStringLiteral("Heaviest weight"), page), "rbtTezina");
    rbtVolumen = named(new QRadioButton(QStringLiteral("Volume"), page), "rbtVolumen");
    rbt1Rm->setChecked(true);
    cmbRasponVjezbe = rangeChoice(page, "cmbRasponVjezbe");
    grfVjezba = named(new ChartView(page), "grfVjezba");

    auto *choices = new QHBoxLayout;
    choices->addWidget(new QLabel(QStringLiteral("Exercise:"), page));
    choices->addWidget(cmbVjezba);
    choices->addSpacing(12);
    for (QRadioButton *button : {rbt1Rm, rbtTezina, rbtVolumen}) {
        choices->addWidget(button);
        connect(button, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                showExerciseChart();
        });
    }
    choices->addStretch();
    choices->addWidget(new QLabel(QStringLiteral("Range:"), page));
    choices->addWidget(cmbRasponVjezbe);
    auto *layout = new QVBoxLayout(page);
    layout->addLayout(choices);
    layout->addWidget(grfVjezba, 1);

    connect(cmbVjezba, &QComboBox::currentIndexChanged, this, [this] { showExerciseChart(); });
    connect(cmbRasponVjezbe, &QComboBox::currentIndexChanged, this, [this] { showExerciseChart(); });
    connect(grfVjezba, &ChartView::pointActivated, this, [this](int, int index) {
        if (index < m_shownPoints.size())
            emit workoutChosen(m_shownPoints.at(index).record);
    });
    return page;
}

QWidget *TfrmNapredak::buildPeriodPage()
{
    auto *page = new QWidget(this);
    cmbRasponPerioda = rangeChoice(page, "cmbRasponPerioda");
    rbtBrojTreninga = named(new QRadioButton(QStringLiteral("Number of workouts"), page), "rbtBrojTreninga");
    rbtTrajanje = named(new QRadioButton(QStringLiteral("Training time"), page), "rbtTrajanje");
    rbtBrojTreninga->setChecked(true);
    grfPeriod = named(new ChartView(page), "grfPeriod");

    auto *choices = new QHBoxLayout;
    choices->addWidget(new QLabel(QStringLiteral("Volume per week by body part, with the line of:"), page));
    for (QRadioButton *button : {rbtBrojTreninga, rbtTrajanje}) {
        choices->addWidget(button);
        connect(button, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                showPeriodChart();
        });
    }
    choices->addStretch();
    choices->addWidget(new QLabel(QStringLiteral("Range:"), page));
    choices->addWidget(cmbRasponPerioda);
    auto *layout = new QVBoxLayout(page);
    layout->addLayout(choices);
    layout->addWidget(grfPeriod, 1);
    connect(cmbRasponPerioda, &QComboBox::currentIndexChanged, this, [this] { showPeriodChart(); });
    return page;
}

void TfrmNapredak::showProgress()
{
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
    if (m_stale)
        queueRefresh();
}

void TfrmNapredak::trainingChanged()
{
    m_stale = true;
    if (isVisible())
        queueRefresh();
}

// Collected once the command that showed the window or changed the file has ended, and
// once for many changes.
void TfrmNapredak::queueRefresh()
{
    if (m_refreshQueued)
        return;
    m_refreshQueued = true;
    QTimer::singleShot(0, this, [this] {
        m_refreshQueued = false;
        if (m_stale && isVisible())
            refresh();
    });
}

void TfrmNapredak::refresh()
{
    runGuarded(m_prompts, [this] {
        m_data = m_collect(this);
        m_stale = false;
        fillExerciseChoice();
        showPeriodChart();
        fillRecords();
    });
}

void TfrmNapredak::fillExerciseChoice()
{
    // The chosen exercise stays chosen; at first the one done last is shown.
    QString chosen = cmbVjezba->currentText();
    if (chosen.isEmpty() || m_data.findExercise(chosen) < 0) {
        int latest = INT_MIN;
        for (const ExerciseSeries &series : m_data.exercises)
            if (!series.points.isEmpty() && series.points.last().day > latest) {
                latest = series.points.last().day;
                chosen = series.name;
            }
    }
    {
        const QSignalBlocker blocker(cmbVjezba);
        cmbVjezba->clear();
        for (const ExerciseSeries &series : m_data.exercises)
            cmbVjezba->addItem(series.name);
        const int index = m_data.findExercise(chosen);
        cmbVjezba->setCurrentIndex(index >= 0 ? index : 0);
    }
    showExerciseChart();
}

int TfrmNapredak::firstDay(const QComboBox *range) const
{
    return rangeFirstDay(ProgressRange(range->currentIndex()), m_today);
}

void TfrmNapredak::showExerciseChart()
{
    const ProgressMeasure measure = rbtVolumen->isChecked() ? ProgressMeasure::Volume
                                    : rbtTezina->isChecked() ? ProgressMeasure::Weight
                                                             : ProgressMeasure::OneRm;
    const QString title = rbtVolumen->isChecked() ? rbtVolumen->text() : rbtTezina->isChecked() ? rbtTezina->text() : rbt1Rm->text();
    m_shownPoints.clear();
    const int index = m_data.findExercise(cmbVjezba->currentText());
    Chart::LineSeries line;
    line.name = title;
    // A workout without a value of the measure (an expected 1RM of body-weight rows) is
    // no point of the chart.
    if (index >= 0)
        for (const ExercisePoint &p : pointsBetween(m_data.exercises.at(index).points, firstDay(cmbRasponVjezbe), INT_MAX))
            if (const float value = measureValue(p, measure); value > 0) {
                m_shownPoints << p;
                line.points << QPointF(p.day, value);
            }
    Chart::Spec spec;
    spec.yTitle = title + QStringLiteral(" (kg/lbs)");
    spec.legend = false;
    spec.lines << line;
    grfVjezba->setEmptyText(index < 0 ? QStringLiteral("No exercise to show.")
                                      : QStringLiteral("No workout with this exercise in this range."));
    grfVjezba->setChart(spec, [this, measure, title](int, int i) {
        const ExercisePoint &p = m_shownPoints.at(i);
        const QString value = measure == ProgressMeasure::Weight ? weightTimesReps(p.heaviest, p.heaviestReps)
                                                                 : FixedTwoDecimals(measureValue(p, measure));
        return QStringLiteral("%1\n%2: %3").arg(dateText(p.day), title, value);
    });
}

void TfrmNapredak::showPeriodChart()
{
    // A week without workouts between two with workouts is a week of nothing: the line
    // drops to zero there instead of bridging a break.
    m_shownWeeks.clear();
    for (const WeekTotals &week : weeksBetween(m_data.weeks, firstDay(cmbRasponPerioda), INT_MAX)) {
        if (!m_shownWeeks.isEmpty())
            for (int day = m_shownWeeks.last().firstDay + 7; day < week.firstDay; day += 7) {
                WeekTotals empty;
                empty.firstDay = day;
                m_shownWeeks << empty;
            }
        m_shownWeeks << week;
    }
    const bool time = rbtTrajanje->isChecked();
    Chart::Spec spec;
    spec.yTitle = QStringLiteral("Volume (kg/lbs)");
    spec.y2Title = time ? QStringLiteral("Hours") : QStringLiteral("Workouts");
    spec.bars.width = 7;
    for (const WeekTotals &week : std::as_const(m_shownWeeks))
        spec.bars.x << week.firstDay;
    // One stack per body part that has volume in the range.
    for (qsizetype b = 0; b < m_data.bodyparts.size(); ++b) {
        Chart::BarStack stack;
        bool any = false;
        for (const WeekTotals &week : std::as_const(m_shownWeeks)) {
            const double value = b < week.volumeByBodypart.size() ? week.volumeByBodypart.at(b) : 0.0;
            any = any || value > 0;
            stack.values << value;
        }
        if (!any)
            continue;
        stack.name = m_data.bodyparts.at(b).isEmpty() ? QStringLiteral("No body part") : m_data.bodyparts.at(b);
        stack.color = BarColors.at(spec.bars.stacks.size() % BarColors.size());
        spec.bars.stacks << stack;
    }
    Chart::LineSeries line;
    line.name = time ? rbtTrajanje->text() : rbtBrojTreninga->text();
    line.color = Qt::black;
    line.secondAxis = true;
    for (const WeekTotals &week : std::as_const(m_shownWeeks))
        line.points << QPointF(week.firstDay + 3.5, time ? week.minutes / 60.0 : week.workouts);
    spec.lines << line;
    grfPeriod->setEmptyText(QStringLiteral("No workout in this range."));
    grfPeriod->setChart(spec, [this](int, int i) {
        const WeekTotals &week = m_shownWeeks.at(i);
        return QStringLiteral("Week of %1\nVolume: %2\nWorkouts: %3\nTraining time: %4")
            .arg(dateText(week.firstDay), FixedTwoDecimals(week.volume()))
            .arg(week.workouts)
            .arg(hoursText(week.minutes));
    });
}

ChartView *TfrmNapredak::currentChart() const
{
    QWidget *page = tabStranice->currentWidget();
    if (page && page->isAncestorOf(grfVjezba))
        return grfVjezba;
    if (page && page->isAncestorOf(grfPeriod))
        return grfPeriod;
    return nullptr;
}

void TfrmNapredak::copyChart()
{
    if (ChartView *chart = currentChart())
        QGuiApplication::clipboard()->setImage(chart->image());
}

void TfrmNapredak::saveChart()
{
    ChartView *chart = currentChart();
    if (!chart)
        return;
    UserPrompts::FileDialog dialog{QStringLiteral("Save the chart"), QStringLiteral("PNG images (*.png)|*.png"),
                                   QStringLiteral("png"), QString()};
    dialog.askBeforeOverwrite = true;
    const QString chosen = m_prompts.saveFileName(dialog);
    if (chosen.isEmpty())
        return;
    const QString path = QFileInfo(chosen).absoluteFilePath();
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!chart->image().save(&buffer, "PNG"))
        throw IoError(QStringLiteral("Cannot write \"%1\": the image could not be made.").arg(path));
    WholeFile::write(path, png);
}
