#include "goals/Ciljevi.h"

#include "common/CommandGuard.h"
#include "common/CommandRegistry.h"
#include "common/DayCount.h"
#include "common/Errors.h"
#include "common/LimitedTextEdit.h"
#include "common/RegionalSettings.h"
#include "common/UserPrompts.h"
#include "goals/GoalControls.h"

#include <QAction>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {
const QColor Maroon(0x80, 0x00, 0x00);
const QColor Blue(0x00, 0x00, 0xFF);
const QColor Green(0x00, 0x80, 0x00);

struct Indicator {
    QColor color;
    const char *hint;
};
// By up-down position, which is the status.
const Indicator Indicators[3] = {{Maroon, "Unsuccessful goal"}, {Blue, "Pending goal"}, {Green, "Completed goal"}};

template <typename T>
T *named(T *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

void setDayCount(QDateEdit *edit, QTime &time, double dayCount)
{
    const QDate date = DayCount::toDate(dayCount);
    if (date.isValid())
        edit->setDate(date);
    time = DayCount::toTime(dayCount);
}
}

TfrmCiljevi::TfrmCiljevi(UserPrompts &prompts, QWidget *parent) : QWidget(parent, Qt::Window), m_prompts(prompts)
{
    setObjectName(QStringLiteral("frmCiljevi"));
    setWindowTitle(QStringLiteral("Fitness goals"));
    buildControls();
    clearFields();
    resize(960, 540);
}

TfrmCiljevi::~TfrmCiljevi() = default;

QGroupBox *TfrmCiljevi::listGroup(GoalList *list, const QString &caption, const QColor &color)
{
    auto *group = new QGroupBox(caption, this);
    QPalette palette = group->palette();
    palette.setColor(QPalette::WindowText, color);
    group->setPalette(palette);
    QPalette listPalette = list->palette();
    listPalette.setColor(QPalette::Text, color);
    list->setPalette(listPalette);
    auto *layout = new QVBoxLayout(group);
    layout->addWidget(list);
    connect(list, &QListWidget::itemSelectionChanged, this, [this, list] { listSelectionChanged(list); });
    connect(list, &QListWidget::itemDoubleClicked, this, [this, list] { viewGoal(list); });
    list->installEventFilter(this);
    list->addAction(actDel);
    return group;
}

void TfrmCiljevi::buildControls()
{
    // Del deletes a goal only from the lists; in the fields it edits the text.
    actDel = (new CommandRegistry(this))->add({QStringLiteral("actDel"), QStringLiteral("Delete"),
                                               {QKeySequence(Qt::Key_Delete)}, Qt::WidgetShortcut, {}, {}});
    connect(actDel, &QAction::triggered, this, &TfrmCiljevi::actDelExecute);

    lstPending = named(new GoalList(this), "lstPending");
    lstUspjesni = named(new GoalList(this), "lstUspjesni");
    lstNeuspjesni = named(new GoalList(this), "lstNeuspjesni");
    auto *lists = new QVBoxLayout;
    lists->addWidget(listGroup(lstPending, QLatin1String(GoalLists::Kinds[0].caption), Blue));
    lists->addWidget(listGroup(lstUspjesni, QLatin1String(GoalLists::Kinds[1].caption), Green));
    lists->addWidget(listGroup(lstNeuspjesni, QLatin1String(GoalLists::Kinds[2].caption), Maroon));
    connect(lstPending, &GoalList::dropped, this, &TfrmCiljevi::lstPendingDragDrop);
    connect(lstUspjesni, &GoalList::dropped, this, &TfrmCiljevi::lstUspjesniDragDrop);
    connect(lstNeuspjesni, &GoalList::dropped, this, &TfrmCiljevi::lstNeuspjesniDragDrop);

    grbGoal = named(new QGroupBox(QStringLiteral("View a goal:"), this), "grbGoal");
    edtIme = named(new QLineEdit(grbGoal), "edtIme");
    edtIme->setMaxLength(GoalRecord::NameCapacity);
    const QString dateFormat = RegionalSettings::current().dateFormat;
    dtpDatum = named(new QDateEdit(grbGoal), "dtpDatum");
    dtpRok = named(new QDateEdit(grbGoal), "dtpRok");
    for (QDateEdit *d : {dtpDatum, dtpRok}) {
        d->setCalendarPopup(true);
        d->setDisplayFormat(dateFormat);
        d->installEventFilter(this);
    }
    memOpis = named(new LimitedTextEdit(GoalRecord::DescriptionCapacity, grbGoal), "memOpis");
    memOpis->setTabChangesFocus(true);
    shpStatus = named(new StatusShape(grbGoal), "shpStatus");
    udStatus = named(new UpDown(grbGoal), "udStatus");
    udStatus->setRange(-9999, 9999);
    connect(udStatus, &UpDown::clicked, this, &TfrmCiljevi::udStatusClick);
    bitOcisti = named(new QPushButton(QStringLiteral("Clear fields"), grbGoal), "bitOcisti");
    bitOcisti->setToolTip(QStringLiteral("Clear fields"));
    bitSpremi = named(new QPushButton(QStringLiteral("Save goal"), grbGoal), "bitSpremi");
    bitSpremi->setToolTip(QStringLiteral("Save goal"));
    connect(bitOcisti, &QPushButton::clicked, this, &TfrmCiljevi::bitOcistiClick);
    connect(bitSpremi, &QPushButton::clicked, this, &TfrmCiljevi::bitSpremiClick);
    for (QPushButton *b : {bitOcisti, bitSpremi})
        b->installEventFilter(this);

    auto *form = new QGridLayout(grbGoal);
    form->addWidget(new QLabel(QStringLiteral("Name:"), grbGoal), 0, 0);
    form->addWidget(edtIme, 0, 1, 1, 3);
    form->addWidget(new QLabel(QStringLiteral("Start date:"), grbGoal), 1, 0);
    form->addWidget(dtpDatum, 1, 1);
    form->addWidget(new QLabel(QStringLiteral("Deadline:"), grbGoal), 1, 2);
    form->addWidget(dtpRok, 1, 3);
    form->addWidget(new QLabel(QStringLiteral("Description:"), grbGoal), 2, 0, Qt::AlignTop);
    form->addWidget(memOpis, 2, 1, 1, 3);
    auto *statusRow = new QHBoxLayout;
    statusRow->addWidget(shpStatus);
    statusRow->addWidget(udStatus);
    statusRow->addStretch();
    statusRow->addWidget(bitOcisti);
    statusRow->addWidget(bitSpremi);
    form->addWidget(new QLabel(QStringLiteral("Status:"), grbGoal), 3, 0);
    form->addLayout(statusRow, 3, 1, 1, 3);
    form->setRowStretch(2, 1);
    form->setColumnStretch(1, 1);
    form->setColumnStretch(3, 1);

    auto *layout = new QHBoxLayout(this);
    layout->addLayout(lists, 3);
    layout->addWidget(grbGoal, 2);

    QWidget *order[] = {lstPending, lstUspjesni, lstNeuspjesni, edtIme, dtpDatum, dtpRok, memOpis, udStatus, bitOcisti, bitSpremi};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

bool TfrmCiljevi::startUp(const QString &goalsFileName)
{
    m_fileName = GoalsFile::resolveName(goalsFileName);
    m_openError.clear();
    try {
        m_file.open(m_fileName);
        watchGoalsFile();
    } catch (const FortavoError &e) {
        m_openError = e.message();
        m_prompts.error(m_openError);
        return false;
    }
    return runGuarded(m_prompts, [this] {
        if (const int tail = m_file.partialTailSize())
            m_prompts.warning(PartialGoalNote(m_fileName, tail));
        m_currentGoalIndex = m_file.RecordCount();
        reloadLists();
    });
}

void TfrmCiljevi::showGoals()
{
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void TfrmCiljevi::closeGoalsFile()
{
    m_file.close();
}

void TfrmCiljevi::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // A window restored by the window system is not shown anew.
    if (!event->spontaneous())
        FormShow();
}

void TfrmCiljevi::FormShow()
{
    if (!m_file.isOpen()) {
        m_currentGoalIndex = 0;
        return;
    }
    runGuarded(m_prompts, [this] { askDeadlineQuestions(); });
    // The lists show the file as it stands, also after a failed answer.
    runGuarded(m_prompts, [this] {
        m_currentGoalIndex = m_file.RecordCount();
        reloadLists();
    });
}

void TfrmCiljevi::askDeadlineQuestions()
{
    const QDate today = QDate::currentDate();
    for (int n = 0; n < m_file.RecordCount(); ++n) {
        const GoalRecord goal = m_file.ReadRecord(n);
        if (!DeadlineHasCome(goal, today))
            continue;
        quint8 status = GoalStatus::Pending;
        switch (m_prompts.confirm(DeadlineQuestion(goal))) {
        case UserPrompts::Answer::Yes:
            status = GoalStatus::Completed;
            break;
        case UserPrompts::Answer::No:
            status = GoalStatus::Unsuccessful;
            break;
        case UserPrompts::Answer::Cancel:
            break;
        }
        m_file.setStatus(n, status);
    }
}

void TfrmCiljevi::reloadLists()
{
    m_lists = m_file.isOpen() ? GoalLists::read(m_file) : GoalLists();
    for (GoalList *list : {lstPending, lstUspjesni, lstNeuspjesni}) {
        list->clear();
        for (const GoalLists::Entry &entry : m_lists.of(statusOf(list))) {
            auto *item = new QListWidgetItem(entry.line, list);
            item->setData(Qt::UserRole, entry.record);
            item->setToolTip(entry.line);
        }
    }
}

void TfrmCiljevi::clearFields()
{
    m_currentGoalIndex = m_file.isOpen() ? m_file.RecordCount() : 0;
    edtIme->clear();
    memOpis->clear();
    dtpDatum->setDate(QDate::currentDate());
    dtpRok->setDate(QDate::currentDate());
    m_startTime = m_deadlineTime = QTime(0, 0);
    udStatus->setPosition(GoalStatus::Pending);
    setIndicator(GoalStatus::Pending);
}

void TfrmCiljevi::bitOcistiClick()
{
    runGuarded(m_prompts, [this] { clearFields(); });
}

void TfrmCiljevi::requireFile() const
{
    if (!m_file.isOpen())
        throw IoError(m_openError.isEmpty() ? QStringLiteral("No goals file is open.") : m_openError);
}

void TfrmCiljevi::bitSpremiClick()
{
    runGuarded(m_prompts, [this] {
        requireFile();
        GoalRecord goal;
        goal.Name = edtIme->text();
        goal.StartDate = DayCount::fromDateTime(dtpDatum->date(), m_startTime);
        goal.Deadline = DayCount::fromDateTime(dtpRok->date(), m_deadlineTime);
        goal.Description = memOpis->toPlainText();
        goal.Status = indicatorStatus();
        m_file.WriteRecord(m_currentGoalIndex, goal);
        clearFields();
        reloadLists();
    });
}

void TfrmCiljevi::udStatusClick()
{
    if (udStatus->position() < 0)
        udStatus->setPosition(GoalStatus::Completed);
    else if (udStatus->position() > 2)
        udStatus->setPosition(GoalStatus::Unsuccessful);
    setIndicator(udStatus->position());
}

void TfrmCiljevi::setIndicator(int position)
{
    if (position < 0 || position > 2)
        return;
    shpStatus->setColor(Indicators[position].color);
    shpStatus->setToolTip(QLatin1String(Indicators[position].hint));
}

quint8 TfrmCiljevi::indicatorStatus() const
{
    for (quint8 s = 0; s < 3; ++s)
        if (shpStatus->color() == Indicators[s].color)
            return s;
    return GoalStatus::Pending;
}

quint8 TfrmCiljevi::statusOf(const QListWidget *list) const
{
    if (list == lstPending)
        return GoalStatus::Pending;
    if (list == lstUspjesni)
        return GoalStatus::Completed;
    return GoalStatus::Unsuccessful;
}

int TfrmCiljevi::selectedRecord(const QListWidget *list) const
{
    const QList<QListWidgetItem *> selected = list->selectedItems();
    if (selected.isEmpty())
        return -1;
    const QListWidgetItem *item = selected.first();
    const int record = item->data(Qt::UserRole).toInt();
    const QString key = item->text() + QString::number(statusOf(list));
    return m_lists.keys.value(record) == key ? record : -1;
}

void TfrmCiljevi::listSelectionChanged(QListWidget *list)
{
    if (list->selectedItems().isEmpty())
        return;
    for (QListWidget *other : {static_cast<QListWidget *>(lstPending), static_cast<QListWidget *>(lstUspjesni),
                               static_cast<QListWidget *>(lstNeuspjesni)})
        if (other != list)
            other->clearSelection();
}

void TfrmCiljevi::viewGoal(QListWidget *list)
{
    const int record = selectedRecord(list);
    if (record < 0)
        return;
    runGuarded(m_prompts, [&] {
        const GoalRecord goal = m_file.ReadRecord(record);
        m_currentGoalIndex = record;
        edtIme->setText(goal.Name);
        setDayCount(dtpDatum, m_startTime, goal.StartDate);
        setDayCount(dtpRok, m_deadlineTime, goal.Deadline);
        memOpis->setPlainText(goal.Description);
        udStatus->setPosition(goal.Status);
        setIndicator(goal.Status);
    });
}

void TfrmCiljevi::lstPendingDblClick() { viewGoal(lstPending); }
void TfrmCiljevi::lstUspjesniDblClick() { viewGoal(lstUspjesni); }
void TfrmCiljevi::lstNeuspjesniDblClick() { viewGoal(lstNeuspjesni); }
void TfrmCiljevi::lstPendingDragDrop(QObject *source) { dropGoal(lstPending, source); }
void TfrmCiljevi::lstUspjesniDragDrop(QObject *source) { dropGoal(lstUspjesni, source); }
void TfrmCiljevi::lstNeuspjesniDragDrop(QObject *source) { dropGoal(lstNeuspjesni, source); }

void TfrmCiljevi::dropGoal(QListWidget *target, QObject *source)
{
    auto *from = qobject_cast<QListWidget *>(source);
    if (from == target || (from != lstPending && from != lstUspjesni && from != lstNeuspjesni))
        return;
    const int record = selectedRecord(from);
    if (record < 0)
        return;
    // The save position stays: a following "Save goal" must not overwrite the dropped goal.
    runGuarded(m_prompts, [&] {
        m_file.setStatus(record, statusOf(target));
        reloadLists();
    });
}

void TfrmCiljevi::actDelExecute()
{
    QListWidget *list = nullptr;
    for (QListWidget *l : {static_cast<QListWidget *>(lstPending), static_cast<QListWidget *>(lstUspjesni),
                           static_cast<QListWidget *>(lstNeuspjesni)})
        if (!list && !l->selectedItems().isEmpty())
            list = l;
    if (!list)
        return;
    if (m_prompts.confirm(QStringLiteral("Do you really wish to delete the selected goal?")) != UserPrompts::Answer::Yes)
        return;
    const int record = selectedRecord(list);
    if (record < 0)
        return;
    runGuarded(m_prompts, [&] {
        m_file.RemoveRecord(record);
        reloadLists();
        clearFields();
    });
}

bool TfrmCiljevi::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        // Tab leaves a date field as it leaves every other field; the arrow keys move
        // between the day, month and year.
        if (qobject_cast<QDateEdit *>(watched) && (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)) {
            if (key->key() == Qt::Key_Tab && key->modifiers() == Qt::NoModifier)
                focusNextChild();
            else
                focusPreviousChild();
            return true;
        }
        const bool enter = (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
                           && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        if (enter) {
            // Enter views the selected goal of a list and presses a focused button.
            if (auto *list = qobject_cast<QListWidget *>(watched)) {
                viewGoal(list);
                return true;
            }
            if (auto *button = qobject_cast<QPushButton *>(watched)) {
                button->click();
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}
